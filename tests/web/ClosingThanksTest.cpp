// Closing the window: the thank-you box first, the home page after it, whichever way the box
// is dismissed.
#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>

#include "WebFixture.h"
#include "toolkit/EditBox.h"

namespace {

enum class Dismissal { OkButton, Enter, Escape, CloseBox };

const char* nameOf(Dismissal way) {
    switch (way) {
        case Dismissal::OkButton:
            return "OkButton";
        case Dismissal::Enter:
            return "Enter";
        case Dismissal::Escape:
            return "Escape";
        case Dismissal::CloseBox:
            return "CloseBox";
    }
    return "";
}

void PrintTo(Dismissal way, std::ostream* out) {
    *out << nameOf(way);
}

QMessageBox* shownThankYouBox() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("thankYouBox") && widget->isVisible()) {
            return qobject_cast<QMessageBox*>(widget);
        }
    }
    return nullptr;
}

// What the test saw of the box while it was up.
struct BoxSeen {
    bool shown = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::Information;
    int buttons = 0;
    bool okButton = false;
    bool activeModal = false;
    bool appModal = false;
    bool mainWindowVisible = true;
    qsizetype openedBefore = -1;
};

class ClosingTest : public WebTest {
  protected:
    // Watches for the box from timers, which run inside the box's own event loop, notes what
    // it shows and dismisses it with `act`.
    void watchForTheBox(std::function<void(QMessageBox*)> act) {
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [this, act] {
            QMessageBox* box = shownThankYouBox();
            if (!box) {
                return;
            }
            poll.stop();
            seen.shown = true;
            seen.title = box->windowTitle();
            seen.text = box->text();
            seen.icon = box->icon();
            seen.buttons = static_cast<int>(box->buttons().size());
            seen.okButton = box->button(QMessageBox::Ok) != nullptr;
            seen.activeModal = QApplication::activeModalWidget() == box;
            seen.appModal = box->windowModality() == Qt::ApplicationModal;
            seen.mainWindowVisible = window().widget()->isVisible();
            seen.openedBefore = opened.size();
            act(box);
        });
        poll.start();
    }

    void pressEscInAnEditBox() {
        QWidget* box = control(QStringLiteral("编辑框3"))->widget();
        box->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(box, Qt::Key_Escape);
    }

    bool waitForTheEnd() {
        return QTest::qWaitFor([this] { return unloaded; }, 10000);
    }

    QTimer poll;
    BoxSeen seen;
};

class ClosingByEachDismissal : public ClosingTest,
                               public ::testing::WithParamInterface<Dismissal> {};

TEST_P(ClosingByEachDismissal, ThanksFirstThenOpensTheHomePage) {
    watchForTheBox([](QMessageBox* box) {
        switch (GetParam()) {
            case Dismissal::OkButton:
                QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
                break;
            case Dismissal::Enter:
                QTest::keyClick(box, Qt::Key_Return);
                break;
            case Dismissal::Escape:
                QTest::keyClick(box, Qt::Key_Escape);
                break;
            case Dismissal::CloseBox:
                box->close();
                break;
        }
    });
    pressEscInAnEditBox();
    ASSERT_TRUE(waitForTheEnd());

    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, QStringLiteral("信息："));
    EXPECT_EQ(seen.text, QStringLiteral("感谢您的使用,Tarnwick(bbs.tarnwick.example)！"));
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons, 1);
    EXPECT_TRUE(seen.okButton);
    EXPECT_TRUE(seen.activeModal);
    EXPECT_TRUE(seen.appModal);
    EXPECT_FALSE(seen.mainWindowVisible);
    EXPECT_EQ(seen.openedBefore, 0) << "the home page was opened before the box was dismissed";

    EXPECT_EQ(opened, QStringList{QStringLiteral("http://bbs.tarnwick.example")});
    EXPECT_FALSE(mainWindow->exists());
    EXPECT_EQ(shownThankYouBox(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Ways, ClosingByEachDismissal,
                         ::testing::Values(Dismissal::OkButton, Dismissal::Enter, Dismissal::Escape,
                                           Dismissal::CloseBox),
                         [](const auto& info) { return std::string(nameOf(info.param)); });

TEST_F(ClosingTest, ARefusedHomePageTriesNoFallbackAndStaysSilent) {
    desktopAccepts = false;
    qputenv("BROWSER", "my-browser %s");
    int boxes = 0;
    watchForTheBox([&boxes](QMessageBox* box) {
        ++boxes;
        box->button(QMessageBox::Ok)->click();
    });
    window().requestClose();
    ASSERT_TRUE(waitForTheEnd());
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(opened, QStringList{QStringLiteral("http://bbs.tarnwick.example")});
    EXPECT_TRUE(started.isEmpty());
    // Nothing of ours is left on the screen: no message about the failure.
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        EXPECT_FALSE(widget->isVisible())
            << widget->metaObject()->className() << " " << widget->objectName().toStdString();
    }
}

}  // namespace
