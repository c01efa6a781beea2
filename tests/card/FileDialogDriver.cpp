#include "tests/card/FileDialogDriver.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

namespace cardtest {

FileDialogDriver::FileDialogDriver() = default;
FileDialogDriver::~FileDialogDriver() = default;

void FileDialogDriver::whenModalShown(std::function<bool(QWidget*)> step) {
    auto timer = std::make_unique<QTimer>();
    QTimer* raw = timer.get();
    raw->setInterval(5);
    QObject::connect(raw, &QTimer::timeout, raw, [this, raw, step] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible()) {
            return;
        }
        // The step says whether the widget was the one it waits for.
        raw->stop();
        if (step(modal)) {
            ++stepsRun_;
        } else {
            raw->start();
        }
    });
    raw->start();
    timers_.push_back(std::move(timer));
}

void FileDialogDriver::whenFileDialogShown(std::function<void(QFileDialog*)> step) {
    whenModalShown([step](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (dialog == nullptr) {
            return false;
        }
        step(dialog);
        return true;
    });
}

void FileDialogDriver::whenMessageBoxShown(std::function<void(QMessageBox*)> step) {
    whenModalShown([step](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr) {
            return false;
        }
        step(box);
        return true;
    });
}

void FileDialogDriver::typeAndConfirm(QFileDialog* dialog, const QString& name) {
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (edit == nullptr) {
        ADD_FAILURE() << "the file dialog has no name box";
        dialog->reject();
        return;
    }
    // The dialog selects its initial file once it has listed the folder, which it does in the
    // background: typing earlier would be undone by that selection.
    auto* list = dialog->findChild<QAbstractItemView*>(QStringLiteral("listView"));
    if (list != nullptr && list->model() != nullptr) {
        static_cast<void>(QTest::qWaitFor(
            [list] { return list->model()->rowCount(list->rootIndex()) > 0; }, 2000));
        QTest::qWait(50);
    }
    // The dialog drops the file it selected at first only while its name box has the focus,
    // as it has when a user types.
    dialog->activateWindow();
    if (!QTest::qWaitForWindowActive(dialog, 2000)) {
        ADD_FAILURE() << "the file dialog did not become active";
    }
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    // Through an input method, as any text (Chinese included) would arrive.
    QInputMethodEvent event;
    event.setCommitString(name);
    QApplication::sendEvent(edit, &event);
    if (edit->completer() != nullptr && edit->completer()->popup() != nullptr) {
        edit->completer()->popup()->hide();
    }
    QTest::keyClick(edit, Qt::Key_Return);
}

void FileDialogDriver::cancel(QFileDialog* dialog) {
    dialog->reject();
}

void FileDialogDriver::press(QMessageBox* box, QMessageBox::StandardButton which) {
    QAbstractButton* button = box->button(which);
    if (button == nullptr) {
        ADD_FAILURE() << "the message box has no such button";
        box->reject();
        return;
    }
    button->click();
}

QString FileDialogDriver::nameBoxText(QFileDialog* dialog) {
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    return edit ? edit->text() : QString();
}

}  // namespace cardtest
