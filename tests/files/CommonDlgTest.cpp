// The file dialog component over the real Qt file dialog, driven as a user would.
#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "pictures/CommonDlg.h"
#include "tests/files/QtPrinters.h"

namespace {

const QString avatarFilter = QStringLiteral("图片文件(*.bmp;*.jpg;*.gif)|*.bmp;*.jpg;*.gif");
const QString cardFilter = QStringLiteral("图片文件(*.bmp)|*.bmp");

class CommonDlgTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        // Qt's file dialog keeps its history in the user's settings; keep ours apart.
        QStandardPaths::setTestModeEnabled(true);
    }

    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        folder_ = QDir(dir_.path()).canonicalPath();
        startDirectory_ = QDir::currentPath();
        for (const char* name : {"face.jpg", "old.bmp", "notes.txt"}) {
            QFile file(inFolder(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("x");
        }
    }

    void TearDown() override {
        QDir::setCurrent(startDirectory_);
        for (const QPointer<QTimer>& timer : timers_) {
            delete timer.data();
        }
    }

    QString inFolder(const QString& name) const { return folder_ + u'/' + name; }
    QString inFolder(const char* name) const { return inFolder(QString::fromUtf8(name)); }

    // Runs step on the next modal widget of kind W to show, from within its own event loop.
    // Steps for boxes that a step itself opens must be queued before that step opens them.
    template <typename W>
    void whenShown(std::function<void(W*)> step) {
        auto* timer = new QTimer;
        timers_.append(timer);
        timer->setInterval(5);
        QObject::connect(timer, &QTimer::timeout, timer, [this, timer, step] {
            W* widget = qobject_cast<W*>(QApplication::activeModalWidget());
            if (widget == nullptr || !widget->isVisible()) {
                return;
            }
            timer->stop();
            ++stepsRun_;
            const QPointer<W> guard(widget);
            step(widget);
            // A step that stopped on a failed assertion must not leave its dialog waiting.
            if (::testing::Test::HasFatalFailure() && guard && guard->isVisible()) {
                guard->reject();
            }
        });
        timer->start();
    }

    static QLineEdit* nameBox(QFileDialog* dialog) {
        return dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    }

    static QComboBox* typeBox(QFileDialog* dialog) {
        return dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    }

    // Keys for Latin text; the rest comes as an input method delivers it.
    static void typeText(QLineEdit* edit, const QString& text) {
        bool latin = true;
        for (QChar c : text) {
            latin = latin && c.unicode() < 0x80;
        }
        if (latin) {
            QTest::keyClicks(edit, text);
            return;
        }
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(edit, &event);
    }

    // A user types once the dialog is active and lists its folder (which it reads in a thread
    // of its own). Before that, a folder name typed on the way to a longer path stays selected
    // in the list, and Return opens that folder instead of accepting the name.
    static void waitUntilReady(QFileDialog* dialog) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        auto* model = dialog->findChild<QFileSystemModel*>();
        ASSERT_NE(model, nullptr);
        const QModelIndex folder = model->index(dialog->directory().absolutePath());
        ASSERT_TRUE(QTest::qWaitFor([&] { return model->rowCount(folder) > 0; }));
    }

    // Types name into the name box and presses Return, as a user confirms a name.
    static void typeAndConfirm(QFileDialog* dialog, const QString& name) {
        waitUntilReady(dialog);
        QLineEdit* edit = nameBox(dialog);
        ASSERT_NE(edit, nullptr);
        edit->setFocus();
        ASSERT_TRUE(edit->hasFocus());
        edit->selectAll();
        typeText(edit, name);
        if (edit->completer() != nullptr && edit->completer()->popup() != nullptr) {
            edit->completer()->popup()->hide();
        }
        QTest::keyClick(edit, Qt::Key_Return);
    }

    static void pressButton(QMessageBox* box, QMessageBox::StandardButton which) {
        QAbstractButton* button = box->button(which);
        ASSERT_NE(button, nullptr);
        button->click();
    }

    QTemporaryDir dir_;
    QString folder_;
    QString startDirectory_;
    QList<QPointer<QTimer>> timers_;
    int stepsRun_ = 0;
    pictures::CommonDlg dlg_;
};

TEST_F(CommonDlgTest, StartsWithTheDefaultSettings) {
    const pictures::CommonDlg dlg;
    EXPECT_EQ(dlg.dialogType, 0);
    EXPECT_TRUE(dlg.title.isEmpty());
    EXPECT_TRUE(dlg.fileName.isEmpty());
    EXPECT_TRUE(dlg.filter.isEmpty());
    EXPECT_EQ(dlg.initialFilterIndex, 0);
    EXPECT_TRUE(dlg.initialDirectory.isEmpty());
    EXPECT_TRUE(dlg.defaultExtension.isEmpty());
    EXPECT_FALSE(dlg.createPrompt);
    EXPECT_TRUE(dlg.fileMustExist);
    EXPECT_TRUE(dlg.overwritePrompt);
    EXPECT_TRUE(dlg.pathMustExist);
    EXPECT_FALSE(dlg.keepCurrentDirectory);
}

TEST_F(CommonDlgTest, OpenDialogConfirmsATypedName) {
    dlg_.filter = avatarFilter;
    dlg_.initialDirectory = folder_;
    whenShown<QFileDialog>([](QFileDialog* dialog) {
        EXPECT_EQ(dialog->objectName(), QString::fromLatin1(toolkit::fileDialogObjectName));
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Open"));  // Qt's own caption
        typeAndConfirm(dialog, QStringLiteral("face.jpg"));
    });
    ASSERT_TRUE(dlg_.open(nullptr));
    EXPECT_EQ(stepsRun_, 1);
    EXPECT_EQ(dlg_.fileName, inFolder("face.jpg"));
    EXPECT_EQ(QDir::currentPath(), folder_);  // moved to the chosen file's folder
}

TEST_F(CommonDlgTest, KeepCurrentDirectoryLeavesItWhereItWas) {
    dlg_.initialDirectory = folder_;
    dlg_.keepCurrentDirectory = true;
    whenShown<QFileDialog>([](QFileDialog* dialog) { typeAndConfirm(dialog, "face.jpg"); });
    ASSERT_TRUE(dlg_.open(nullptr));
    EXPECT_EQ(dlg_.fileName, inFolder("face.jpg"));
    EXPECT_EQ(QDir::currentPath(), startDirectory_);
}

TEST_F(CommonDlgTest, SaveDialogAddsTheDefaultExtensionOnlyWhereNoneIsTyped) {
    struct Case {
        const char* typed;
        const char* confirmed;
    };
    // Qt alone would take "card" for the folder of that name in the current directory.
    ASSERT_TRUE(QDir(folder_).mkpath(QStringLiteral("elsewhere/card")));
    for (const Case& c :
         {Case{"card", "card.bmp"}, Case{"card.png", "card.png"}, Case{"名片", "名片.bmp"}}) {
        ASSERT_TRUE(QDir::setCurrent(inFolder("elsewhere")));
        pictures::CommonDlg dlg;
        dlg.dialogType = 1;
        dlg.filter = cardFilter;
        dlg.defaultExtension = QStringLiteral("bmp");
        dlg.initialDirectory = folder_;
        const QString typed = QString::fromUtf8(c.typed);
        whenShown<QFileDialog>([typed](QFileDialog* dialog) {
            EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
            EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Save As"));
            typeAndConfirm(dialog, typed);
        });
        ASSERT_TRUE(dlg.open(nullptr)) << c.typed;
        EXPECT_EQ(dlg.fileName, inFolder(c.confirmed)) << c.typed;
    }
}

TEST_F(CommonDlgTest, OpenDialogLooksForTheDefaultExtensionToo) {
    // After a save the avatar dialog keeps "bmp": a bare name finds the BMP file.
    dlg_.filter = avatarFilter;
    dlg_.defaultExtension = QStringLiteral("bmp");
    dlg_.initialDirectory = folder_;
    whenShown<QFileDialog>([](QFileDialog* dialog) { typeAndConfirm(dialog, "old"); });
    ASSERT_TRUE(dlg_.open(nullptr));
    EXPECT_EQ(dlg_.fileName, inFolder("old.bmp"));
}

TEST_F(CommonDlgTest, CancellingChangesNothing) {
    const QString before = inFolder("face.jpg");
    dlg_.fileName = before;
    dlg_.initialDirectory = folder_;
    whenShown<QFileDialog>([](QFileDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    EXPECT_FALSE(dlg_.open(nullptr));
    whenShown<QFileDialog>([](QFileDialog* dialog) { dialog->close(); });  // the close box
    EXPECT_FALSE(dlg_.open(nullptr));
    EXPECT_EQ(stepsRun_, 2);
    EXPECT_EQ(dlg_.fileName, before);
    EXPECT_EQ(QDir::currentPath(), startDirectory_);
}

TEST_F(CommonDlgTest, NextDialogStartsWithTheLastConfirmedPath) {
    ASSERT_TRUE(QDir(folder_).mkdir(QStringLiteral("saved")));
    dlg_.dialogType = 1;
    dlg_.filter = cardFilter;
    dlg_.initialDirectory = folder_;
    whenShown<QFileDialog>(
        [](QFileDialog* dialog) { typeAndConfirm(dialog, QStringLiteral("saved/first.bmp")); });
    ASSERT_TRUE(dlg_.open(nullptr));
    const QString first = inFolder("saved/first.bmp");
    ASSERT_EQ(dlg_.fileName, first);

    // The avatar dialog next: its name box holds the saved card's path.
    dlg_.dialogType = 0;
    dlg_.filter = avatarFilter;
    QString shownFolder;
    QString shownName;
    whenShown<QFileDialog>([&](QFileDialog* dialog) {
        shownFolder = dialog->directory().absolutePath();
        shownName = nameBox(dialog)->text();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    EXPECT_FALSE(dlg_.open(nullptr));
    EXPECT_EQ(shownFolder, inFolder("saved"));
    EXPECT_EQ(shownName, QStringLiteral("first.bmp"));
    EXPECT_EQ(dlg_.fileName, first);
}

TEST_F(CommonDlgTest, InitialPathConfirmedUnchangedAsksToReplaceIt) {
    // The save dialog right after an avatar was chosen: same path, same extension kept.
    dlg_.dialogType = 1;
    dlg_.filter = cardFilter;
    dlg_.defaultExtension = QStringLiteral("bmp");
    dlg_.fileName = inFolder("face.jpg");
    whenShown<QFileDialog>([this](QFileDialog* dialog) {
        EXPECT_EQ(nameBox(dialog)->text(), QStringLiteral("face.jpg"));
        whenShown<QMessageBox>(
            [](QMessageBox* box) { pressButton(box, QMessageBox::No); });  // declined
        QTest::keyClick(nameBox(dialog), Qt::Key_Return);
        EXPECT_TRUE(dialog->isVisible());  // back in the dialog
        whenShown<QMessageBox>([](QMessageBox* box) { pressButton(box, QMessageBox::Yes); });
        QTest::keyClick(nameBox(dialog), Qt::Key_Return);
    });
    ASSERT_TRUE(dlg_.open(nullptr));
    EXPECT_EQ(stepsRun_, 3);
    EXPECT_EQ(dlg_.fileName, inFolder("face.jpg"));
}

TEST_F(CommonDlgTest, WithoutOverwritePromptAnExistingFileIsTakenAtOnce) {
    dlg_.dialogType = 1;
    dlg_.overwritePrompt = false;
    dlg_.initialDirectory = folder_;
    whenShown<QFileDialog>([](QFileDialog* dialog) { typeAndConfirm(dialog, "old.bmp"); });
    ASSERT_TRUE(dlg_.open(nullptr));
    EXPECT_EQ(dlg_.fileName, inFolder("old.bmp"));
}

TEST_F(CommonDlgTest, OpenDialogRefusesAMissingFile) {
    dlg_.initialDirectory = folder_;
    bool stayed = false;
    whenShown<QFileDialog>([this, &stayed](QFileDialog* dialog) {
        whenShown<QMessageBox>([](QMessageBox* box) { pressButton(box, QMessageBox::Ok); });
        typeAndConfirm(dialog, QStringLiteral("missing.jpg"));
        stayed = dialog->isVisible();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    EXPECT_FALSE(dlg_.open(nullptr));
    EXPECT_EQ(stepsRun_, 2);  // the dialog said so
    EXPECT_TRUE(stayed);
    EXPECT_TRUE(dlg_.fileName.isEmpty());
}

TEST_F(CommonDlgTest, MissingFolderIsRefusedWithAMessage) {
    dlg_.dialogType = 1;
    dlg_.initialDirectory = folder_;
    bool stayed = false;
    whenShown<QFileDialog>([this, &stayed](QFileDialog* dialog) {
        whenShown<QMessageBox>([](QMessageBox* box) { pressButton(box, QMessageBox::Ok); });
        typeAndConfirm(dialog, QStringLiteral("nowhere/card.bmp"));
        stayed = dialog->isVisible();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    EXPECT_FALSE(dlg_.open(nullptr));
    EXPECT_EQ(stepsRun_, 2);
    EXPECT_TRUE(stayed);
}

TEST_F(CommonDlgTest, PathLongerThan259CharactersFails) {
    dlg_.dialogType = 1;
    dlg_.initialDirectory = folder_;
    dlg_.fileName = QStringLiteral("kept.bmp");
    const QString longName = QString(260 - folder_.size(), u'n') + QStringLiteral(".bmp");
    whenShown<QFileDialog>([longName](QFileDialog* dialog) { typeAndConfirm(dialog, longName); });
    EXPECT_FALSE(dlg_.open(nullptr));
    EXPECT_EQ(stepsRun_, 1);
    EXPECT_EQ(dlg_.fileName, QStringLiteral("kept.bmp"));
    EXPECT_EQ(QDir::currentPath(), startDirectory_);
}

TEST_F(CommonDlgTest, ShowsTheFilterPairs) {
    struct Case {
        QString filter;
        int initialIndex;
        QStringList descriptions;
        int selected;
        QStringList masks;
    };
    const Case cases[] = {
        {avatarFilter,
         0,
         {QStringLiteral("图片文件(*.bmp;*.jpg;*.gif)")},
         0,
         {QStringLiteral("*.bmp"), QStringLiteral("*.jpg"), QStringLiteral("*.gif")}},
        {QStringLiteral("Text|*.txt|Pictures|*.bmp;*.jpg  \n"),
         1,
         {QStringLiteral("Text"), QStringLiteral("Pictures")},
         1,
         {QStringLiteral("*.bmp"), QStringLiteral("*.jpg")}},
        {QStringLiteral("Text|*.txt|Pictures|*.bmp"),
         5,  // out of range: the first
         {QStringLiteral("Text"), QStringLiteral("Pictures")},
         0,
         {QStringLiteral("*.txt")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.filter.toStdString());
        pictures::CommonDlg dlg;
        dlg.filter = c.filter;
        dlg.initialFilterIndex = c.initialIndex;
        dlg.title = QStringLiteral("选择个性头像");
        QStringList shown;
        int selected = -1;
        QStringList masks;
        QString title;
        whenShown<QFileDialog>([&](QFileDialog* dialog) {
            QComboBox* types = typeBox(dialog);
            for (int i = 0; types != nullptr && i < types->count(); ++i) {
                shown << types->itemText(i);
            }
            selected = types != nullptr ? types->currentIndex() : -1;
            if (auto* model = dialog->findChild<QFileSystemModel*>()) {
                masks = model->nameFilters();
            }
            title = dialog->windowTitle();
            dialog->reject();
        });
        EXPECT_FALSE(dlg.open(nullptr));
        EXPECT_EQ(shown, c.descriptions);
        EXPECT_EQ(selected, c.selected);
        EXPECT_EQ(masks, c.masks);
        EXPECT_EQ(title, QStringLiteral("选择个性头像"));
    }
}

}  // namespace
