// The window layer on its own: routing, the event gate, written bounds and copies of controls.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <vector>

#include "toolkit/DrawPanel.h"
#include "toolkit/EditBox.h"
#include "toolkit/Window.h"

namespace {

using toolkit::ControlDesign;
using toolkit::ControlKind;
using toolkit::EventKind;

ControlDesign record(const char* name, ControlKind kind, int left, int top, int stackPlace,
                     const char* parent = "") {
    ControlDesign design;
    design.name = QString::fromUtf8(name);
    design.kind = kind;
    design.parent = QString::fromUtf8(parent);
    design.left = left;
    design.top = top;
    design.width = 100;
    design.height = 20;
    design.stackPlace = stackPlace;
    return design;
}

// A small window: three edit boxes, a button, a frame holding a canvas.
toolkit::WindowDesign smallDesign() {
    toolkit::WindowDesign window;
    window.name = QStringLiteral("testWindow");
    window.title = QStringLiteral("test");
    window.outerWidth = 300;
    window.outerHeight = 200;
    window.controls = {
        record("boxA", ControlKind::EditBox, 0, 0, 0),
        record("boxB", ControlKind::EditBox, 0, 30, 1),
        record("boxC", ControlKind::EditBox, 0, 60, 2),
        record("button", ControlKind::Button, 0, 90, 3),
        record("frame", ControlKind::ShapeBox, 150, 0, 4),
        record("canvas", ControlKind::DrawPanel, 10, 10, 0, "frame"),
    };
    window.controls.back().border = toolkit::BorderStyle::Sunken;
    window.controls.back().width = 60;
    window.controls.back().height = 40;
    window.controls.back().backColor = 0x000000FF;
    return window;
}

struct Raised {
    QString handler;
    QString source;
};

class WindowLayerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window = std::make_unique<toolkit::Window>(smallDesign());
        window->buildControls();
    }

    // Gives `owner` a contentChanged handler that records who handled what from whom.
    void record(const char* owner) {
        toolkit::Control* control = window->find(QString::fromUtf8(owner));
        control->setHandler(EventKind::contentChanged, [this, control](toolkit::Event& event) {
            raised.push_back({control->name(), event.source->name()});
        });
    }

    toolkit::EditBox* box(const char* name) {
        return window->find<toolkit::EditBox>(QString::fromUtf8(name));
    }

    std::unique_ptr<toolkit::Window> window;
    std::vector<Raised> raised;
};

TEST_F(WindowLayerTest, RoutingFollowsChainsAndKeepsTheSource) {
    record("boxA");
    ASSERT_TRUE(toolkit::redirectEvents(box("boxC"), box("boxB")));
    ASSERT_TRUE(toolkit::redirectEvents(box("boxB"), box("boxA")));

    box("boxC")->setContent(QStringLiteral("x"));

    ASSERT_EQ(raised.size(), 1u);
    EXPECT_EQ(raised[0].handler, QStringLiteral("boxA"));
    EXPECT_EQ(raised[0].source, QStringLiteral("boxC"));
}

TEST_F(WindowLayerTest, RoutingIsRefusedAcrossKindsAndWindows) {
    EXPECT_FALSE(toolkit::redirectEvents(box("boxA"), window->find(QStringLiteral("button"))));
    EXPECT_EQ(box("boxA")->routeTarget(), nullptr);

    toolkit::Window other(smallDesign());
    other.buildControls();
    EXPECT_FALSE(toolkit::redirectEvents(box("boxA"), other.find(QStringLiteral("boxB"))));
    EXPECT_EQ(box("boxA")->routeTarget(), nullptr);

    // A refused target leaves an earlier routing as it was; an empty target clears it.
    ASSERT_TRUE(toolkit::redirectEvents(box("boxB"), box("boxA")));
    EXPECT_FALSE(toolkit::redirectEvents(box("boxB"), window->find(QStringLiteral("button"))));
    EXPECT_EQ(box("boxB")->routeTarget(), box("boxA"));
    EXPECT_TRUE(toolkit::redirectEvents(box("boxB"), nullptr));
    EXPECT_EQ(box("boxB")->routeTarget(), nullptr);
}

TEST_F(WindowLayerTest, ARoutedControlWithoutTargetHandlerRaisesNothingElsewhere) {
    record("boxB");
    box("boxA")->setContent(QStringLiteral("x"));
    EXPECT_TRUE(raised.empty());
}

TEST_F(WindowLayerTest, EventsRaisedWhileTheGateIsClosedAreDroppedNotQueued) {
    record("boxA");
    {
        toolkit::GateClosed building;
        box("boxA")->setContent(QStringLiteral("during"));
        QApplication::processEvents();
    }
    QApplication::processEvents();
    EXPECT_TRUE(raised.empty());

    box("boxA")->setContent(QStringLiteral("after"));
    EXPECT_EQ(raised.size(), 1u);
}

TEST_F(WindowLayerTest, ProgramWritesRaiseOnceEvenForTheSameText) {
    record("boxA");
    box("boxA")->setContent(QStringLiteral("same"));
    box("boxA")->setContent(QStringLiteral("same"));
    EXPECT_EQ(raised.size(), 2u);
}

TEST_F(WindowLayerTest, EveryChangeByTheUserRaisesOnce) {
    record("boxA");
    window->show();
    QLineEdit* edit = box("boxA")->lineEdit();
    edit->setFocus();
    struct Step {
        const char* what;
        std::function<void()> act;
        QString text;
    };
    const Step steps[] = {
        {"type", [&] { QTest::keyClick(edit, Qt::Key_A); }, "a"},
        {"type", [&] { QTest::keyClick(edit, Qt::Key_B); }, "ab"},
        {"select all, cut",
         [&] {
             edit->selectAll();
             QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
         },
         ""},
        {"paste", [&] { QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier); }, "ab"},
        {"delete", [&] { QTest::keyClick(edit, Qt::Key_Backspace); }, "a"},
        {"undo", [&] { QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier); }, "ab"},
    };
    for (const Step& step : steps) {
        raised.clear();
        step.act();
        QApplication::processEvents();
        EXPECT_EQ(edit->text(), step.text) << step.what;
        EXPECT_EQ(raised.size(), 1u) << step.what;
    }
    // Keys that change nothing raise nothing.
    raised.clear();
    QTest::keyClick(edit, Qt::Key_Left);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_TRUE(raised.empty());
}

TEST_F(WindowLayerTest, WrittenSizesAndPositionsAreHeldWithinBounds) {
    struct Case {
        int left, top, width, height;
        int wantLeft, wantTop, wantWidth, wantHeight;
    };
    const Case cases[] = {
        {5, 6, 7, 8, 5, 6, 7, 8},
        {-40000, 40000, -1, 50000, -32627, 32627, 0, 32627},
        {-32627, -32628, 32627, 32628, -32627, -32627, 32627, 32627},
    };
    toolkit::Control* button = window->find(QStringLiteral("button"));
    for (const Case& c : cases) {
        button->setLeft(c.left);
        button->setTop(c.top);
        button->setWidth(c.width);
        button->setHeight(c.height);
        EXPECT_EQ(button->left(), c.wantLeft);
        EXPECT_EQ(button->top(), c.wantTop);
        EXPECT_EQ(button->width(), c.wantWidth);
        EXPECT_EQ(button->height(), c.wantHeight);
        EXPECT_EQ(button->widget()->geometry(),
                  QRect(c.wantLeft, c.wantTop, c.wantWidth, c.wantHeight));
    }
}

TEST_F(WindowLayerTest, StackingOrderFollowsTheDesign) {
    const auto& top = window->stackOf(nullptr);
    ASSERT_EQ(top.size(), 5u);
    for (int place = 0; place < 5; ++place) {
        EXPECT_EQ(top[place]->stackPlace(), place);
        EXPECT_EQ(top[place]->design().stackPlace, place);
    }
    // Qt draws later siblings over earlier ones: its order is ours reversed.
    const QObjectList& children = window->widget()->children();
    std::vector<QString> qtOrder;
    for (const QObject* child : children) {
        if (child->isWidgetType()) {
            qtOrder.insert(qtOrder.begin(), child->objectName());
        }
    }
    EXPECT_EQ(qtOrder, (std::vector<QString>{"boxA", "boxB", "boxC", "button", "frame"}));
}

TEST_F(WindowLayerTest, CloneIsAHiddenCopyBelowItsSourceRoutingToIt) {
    auto* canvas = window->find<toolkit::DrawPanel>(QStringLiteral("canvas"));
    int painted = 0;
    canvas->setHandler(EventKind::paint, [&](toolkit::Event& event) {
        if (event.source != canvas) {
            ++painted;
        }
    });
    canvas->drawPicture(toolkit::Picture{toolkit::PictureKind::Bmp, 1, 1, {0xFF00FF00}, false}, 0,
                        0);

    auto* copy = dynamic_cast<toolkit::DrawPanel*>(window->cloneControl(canvas, "copy"));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->kind(), toolkit::ControlKind::DrawPanel);
    EXPECT_FALSE(copy->isVisible());
    EXPECT_EQ(copy->parent(), canvas->parent());
    EXPECT_EQ(copy->stackPlace(), canvas->stackPlace() + 1);
    EXPECT_EQ(copy->routeTarget(), canvas);
    EXPECT_FALSE(copy->hasHandler(EventKind::paint));
    EXPECT_EQ(QRect(copy->left(), copy->top(), copy->width(), copy->height()),
              QRect(canvas->left(), canvas->top(), canvas->width(), canvas->height()));
    EXPECT_EQ(copy->design().border, toolkit::BorderStyle::Sunken);

    // Its own buffer: drawing on one never touches the other.
    EXPECT_EQ(copy->buffer().pixel(0, 0), 0xFFFF0000u);  // the background colour, red
    copy->drawPicture(toolkit::Picture{toolkit::PictureKind::Bmp, 1, 1, {0xFF0000FF}, false}, 0, 0);
    EXPECT_EQ(canvas->buffer().pixel(0, 0), 0xFF00FF00u);
    EXPECT_EQ(copy->buffer().pixel(0, 0), 0xFF0000FFu);

    // Its events reach the source's handler, with the copy as their source.
    window->show();
    copy->setVisible(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return painted > 0; }, 2000));
}

TEST_F(WindowLayerTest, ReparentingKeepsTheNumbersInTheNewClientArea) {
    auto* canvas = window->find<toolkit::DrawPanel>(QStringLiteral("canvas"));
    toolkit::Control* button = window->find(QStringLiteral("button"));
    button->setParentControl(canvas);
    EXPECT_EQ(button->parent(), canvas);
    EXPECT_EQ(button->left(), 0);
    EXPECT_EQ(button->top(), 90);
    // Inside the canvas's border: its client area starts two pixels in.
    EXPECT_EQ(button->widget()->mapTo(canvas->widget(), QPoint(0, 0)), QPoint(2, 92));
}

TEST_F(WindowLayerTest, ShowingActivatesOnceBeforeItReturns) {
    std::vector<EventKind> seen;
    for (EventKind kind : {EventKind::firstActivated, EventKind::activated}) {
        window->setHandler(kind, [&seen](toolkit::Event& event) { seen.push_back(event.kind); });
    }
    window->show();
    EXPECT_EQ(seen, (std::vector<EventKind>{EventKind::firstActivated, EventKind::activated}));
    window->setVisible(false);
    window->show();
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), EventKind::firstActivated), 1);
}

}  // namespace
