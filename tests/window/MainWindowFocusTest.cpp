// The keyboard: the focus cycle, Esc and Enter.
#include <QLineEdit>
#include <QSignalSpy>

#include "MainWindowFixture.h"
#include "toolkit/ComboBox.h"

namespace {

const char* const cycle[] = {"编辑框1", "超文本浏览框1", "编辑框6", "编辑框2", "编辑框3",
                             "编辑框4", "组合框1",       "编辑框5", "按钮2",   "按钮1"};

bool hasFocus(QWidget* candidate) {
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        if (w == candidate) {
            return true;
        }
    }
    return false;
}

TEST_F(MainWindowTest, FocusCycleTakesTheTiedControlsInDesignOrder) {
    std::vector<QString> names;
    for (const toolkit::Control* c : window().focusCycle()) {
        names.push_back(c->name());
    }
    std::vector<QString> expected;
    for (const char* name : cycle) {
        expected.push_back(QString::fromUtf8(name));
    }
    EXPECT_EQ(names, expected);
}

TEST_F(MainWindowTest, TabAndShiftTabWalkTheCycleAndWrap) {
    const int n = static_cast<int>(std::size(cycle));
    for (int i = 0; i < n; ++i) {
        const char* from = cycle[i];
        const char* next = cycle[(i + 1) % n];
        const char* previous = cycle[(i + n - 1) % n];
        if (std::string(from) == "超文本浏览框1") {
            continue;  // the page takes Tab first; its own tests cover it
        }
        widget(from)->setFocus(Qt::OtherFocusReason);
        ASSERT_TRUE(QTest::qWaitFor([&] { return hasFocus(widget(from)); }, 2000)) << from;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_TRUE(QTest::qWaitFor([&] { return hasFocus(widget(next)); }, 2000))
            << "Tab from " << from;

        widget(from)->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return hasFocus(widget(previous)); }, 2000))
            << "Shift+Tab from " << from;
    }
}

TEST_F(MainWindowTest, EnterInAnEditBoxNeitherMovesTheFocusNorPressesAButton) {
    int clicks = 0;
    for (const char* name : {"按钮1", "按钮2"}) {
        control(name)->setHandler(toolkit::EventKind::clicked, [&](toolkit::Event&) { ++clicks; });
    }
    for (const char* name : {"编辑框1", "编辑框5", "编辑框6"}) {
        QWidget* box = widget(name);
        box->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClick(box, Qt::Key_Enter);
        QApplication::processEvents();
        EXPECT_TRUE(hasFocus(box)) << name;
    }
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(window().isDestroyed());
}

TEST_F(MainWindowTest, EscInAnEditBoxClosesTheWindow) {
    bool asked = false;
    bool destroyed = false;
    window().setHandler(toolkit::EventKind::canClose, [&](toolkit::Event&) { asked = true; });
    // The real handler shows the thank-you box; its own tests cover that.
    window().setHandler(toolkit::EventKind::willBeDestroyed,
                        [&](toolkit::Event&) { destroyed = asked; });
    QWidget* box = widget("编辑框3");
    box->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return mainWindow->exists() == false; }, 2000));
    EXPECT_TRUE(asked);
    EXPECT_TRUE(destroyed);
}

TEST_F(MainWindowTest, ACloseRefusedByCanCloseKeepsTheWindow) {
    window().setHandler(toolkit::EventKind::canClose,
                        [](toolkit::Event& event) { event.answer = false; });
    window().requestClose();
    QTest::qWait(50);
    EXPECT_TRUE(mainWindow->exists());
    EXPECT_TRUE(window().widget()->isVisible());
}

}  // namespace
