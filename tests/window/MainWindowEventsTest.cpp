// The main window's events: their order at start-up, one redraw per change, the layout rule.
#include <QAbstractItemView>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include "MainWindowFixture.h"
#include "toolkit/ComboBox.h"
#include "toolkit/DrawPanel.h"

namespace {

using toolkit::EventKind;
using toolkit::EventPhase;

struct Seen {
    EventKind kind;
    QString source;
    EventPhase phase;
    bool previewShown;  // at that moment
    size_t templates;
};

class StartUpOrder : public ::testing::Test {
  protected:
    void TearDown() override { toolkit::setEventObserver({}); }
};

TEST_F(StartUpOrder, FollowsTheLoadingSequence) {
    card::TemplateList templates;
    ui::MainWindow mainWindow(templates);
    std::vector<Seen> seen;
    toolkit::setEventObserver([&](const toolkit::Event& event, EventPhase phase) {
        const auto* preview = mainWindow.surfaces().preview;
        seen.push_back({event.kind, event.source->name(), phase, preview && preview->isVisible(),
                        templates.size()});
    });
    mainWindow.load();
    toolkit::setEventObserver({});

    // Nothing reaches a handler before created: whatever building raised was dropped.
    const auto created = std::find_if(seen.begin(), seen.end(), [](const Seen& s) {
        return s.kind == EventKind::created && s.phase == EventPhase::before;
    });
    ASSERT_NE(created, seen.end());
    for (auto it = seen.begin(); it != created; ++it) {
        EXPECT_EQ(it->phase, EventPhase::dropped) << toolkit::eventKindName(it->kind);
    }
    EXPECT_EQ(created->templates, 0u);
    EXPECT_FALSE(created->previewShown);

    // The window's own events as delivered, outermost first.
    std::vector<std::pair<EventKind, EventPhase>> windowEvents;
    for (auto it = created; it != seen.end(); ++it) {
        if (it->source == QStringLiteral("mainWindow") && it->phase != EventPhase::dropped) {
            windowEvents.emplace_back(it->kind, it->phase);
        }
    }
    const std::vector<std::pair<EventKind, EventPhase>> expected = {
        {EventKind::created, EventPhase::before},
        {EventKind::firstActivated, EventPhase::before},
        {EventKind::firstActivated, EventPhase::after},
        {EventKind::activated, EventPhase::before},
        {EventKind::activated, EventPhase::after},
        {EventKind::created, EventPhase::after},
        {EventKind::positionChanged, EventPhase::before},
        {EventKind::positionChanged, EventPhase::after},
        {EventKind::sizeChanged, EventPhase::before},
    };
    ASSERT_GE(windowEvents.size(), expected.size());
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), windowEvents.begin()));

    // The first card is drawn inside firstActivated, before the first sizeChanged.
    const auto activatedEnd = std::find_if(created, seen.end(), [](const Seen& s) {
        return s.kind == EventKind::firstActivated && s.phase == EventPhase::after;
    });
    ASSERT_NE(activatedEnd, seen.end());
    EXPECT_TRUE(activatedEnd->previewShown);
    EXPECT_EQ(activatedEnd->templates, 4u);
    const auto firstSize = std::find_if(created, seen.end(), [](const Seen& s) {
        return s.kind == EventKind::sizeChanged && s.phase == EventPhase::before;
    });
    EXPECT_GT(firstSize, activatedEnd);
}

// Counts the card's redraws: each contentChanged or itemSelected that reaches a handler runs
// renderCard once, and the preview's pixels show it.
class RedrawTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        toolkit::setEventObserver([this](const toolkit::Event& event, EventPhase phase) {
            if (phase == EventPhase::before && (event.kind == EventKind::contentChanged ||
                                                event.kind == EventKind::itemSelected)) {
                ++redraws;
            }
        });
    }
    void TearDown() override {
        toolkit::setEventObserver({});
        MainWindowTest::TearDown();
    }

    QImage card() { return mainWindow->surfaces().preview->buffer().copy(); }

    // Runs `action`, which opens the file dialog; answers the dialog with `path`.
    void answerFileDialog(const QString& path, const std::function<void()>& action) {
        QTimer::singleShot(0, [path] {
            const bool shown = QTest::qWaitFor(
                [] { return qobject_cast<QFileDialog*>(QApplication::activeModalWidget()); }, 5000);
            ASSERT_TRUE(shown);
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            dialog->selectFile(path);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        });
        action();
    }

    int redraws = 0;
};

TEST_F(RedrawTest, OneCharacterTypedInAnyBoxRedrawsOnce) {
    for (const char* name : {"编辑框1", "编辑框2", "编辑框3", "编辑框4", "编辑框6", "编辑框5"}) {
        const QImage before = card();
        QLineEdit* edit = control<toolkit::EditBox>(name)->lineEdit();
        edit->setFocus();
        edit->end(false);
        redraws = 0;
        QTest::keyClick(edit, Qt::Key_W);
        QApplication::processEvents();
        EXPECT_EQ(redraws, 1) << name;
        if (std::string(name) != "编辑框5") {
            EXPECT_NE(card(), before) << name;  // the row's text changed
        }
        redraws = 0;
        QTest::keyClick(edit, Qt::Key_Backspace);
        QApplication::processEvents();
        EXPECT_EQ(redraws, 1) << name;
        EXPECT_EQ(card(), before) << name;
    }
}

TEST_F(RedrawTest, ChoosingAnAvatarRedrawsOnceEvenWhenThePathIsUnchanged) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("avatar.bmp"));
    QImage picture(40, 40, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(path, "BMP"));
    const QImage withDefault = card();

    answerFileDialog(path, [this] { mainWindow->chooseAvatar(); });
    EXPECT_EQ(redraws, 1);
    EXPECT_EQ(control<toolkit::EditBox>("编辑框5")->content(), path);
    const QImage withRed = card();
    EXPECT_NE(withRed, withDefault);
    EXPECT_EQ(withRed.pixel(50, 70), qRgb(255, 0, 0));

    answerFileDialog(path, [this] { mainWindow->chooseAvatar(); });
    EXPECT_EQ(redraws, 2);
    EXPECT_EQ(card(), withRed);
}

TEST_F(RedrawTest, ChoosingTheChosenTemplateRedrawsOnceMore) {
    auto* chooser = control<toolkit::ComboBox>("组合框1");
    QComboBox* combo = chooser->comboBox();
    combo->setFocus();
    const QImage first = card();

    // Choose the next template with the keyboard: delivered from the queue, once.
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(redraws, 0);
    QApplication::processEvents();
    EXPECT_EQ(redraws, 1);
    EXPECT_EQ(chooser->currentSelection(), 1);
    EXPECT_NE(card(), first);

    // Open the list and choose the item already chosen.
    combo->showPopup();
    ASSERT_TRUE(QTest::qWaitFor([&] { return combo->view()->isVisible(); }, 2000));
    QTest::keyClick(combo->view(), Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return redraws == 2; }, 2000));
    EXPECT_EQ(chooser->currentSelection(), 1);

    // The program's own selection raises nothing.
    chooser->setCurrentSelection(0);
    QApplication::processEvents();
    EXPECT_EQ(redraws, 2);
}

class LayoutTest : public MainWindowTest {
  protected:
    struct Places {
        int aboutTop, canvasHeight, settingsHeight;
        QRect browser, preview, link3, label3, label4;
    };

    Places places() {
        auto rect = [this](const char* name) {
            toolkit::Control* c = control(name);
            return QRect(c->left(), c->top(), c->width(), c->height());
        };
        const auto* preview = mainWindow->surfaces().preview;
        return {
            control("外形框2")->top(),
            control("画板1")->height(),
            control("外形框1")->height(),
            rect("超文本浏览框1"),
            QRect(preview->left(), preview->top(), preview->width(), preview->height()),
            rect("超级链接框3"),
            control("标签3")->widget()->geometry().translated(control("外形框2")->widget()->pos()),
            control("标签4")->widget()->geometry().translated(control("外形框2")->widget()->pos())};
    }

    void resizeClient(int width, int height) {
        window().widget()->resize(width, height);
        QApplication::processEvents();
    }
};

TEST_F(LayoutTest, TallerWindowMovesTheAboutGroupAndStretchesTheCanvas) {
    const Places before = places();
    const int height = window().clientHeight();
    resizeClient(window().clientWidth(), height + 50);
    const Places after = places();
    EXPECT_EQ(after.aboutTop, before.aboutTop + 50);
    EXPECT_EQ(after.label3, before.label3.translated(0, 50));
    EXPECT_EQ(after.label4, before.label4.translated(0, 50));
    EXPECT_EQ(after.canvasHeight, before.canvasHeight + 50);
    EXPECT_EQ(after.settingsHeight, before.settingsHeight + 50);
    EXPECT_EQ(after.browser, before.browser);
    EXPECT_EQ(after.preview, before.preview);
    EXPECT_EQ(after.link3, before.link3);
}

TEST_F(LayoutTest, DraggedWidthSpringsBackToTheSettingsEdge) {
    for (int width : {900, 500, 636}) {
        resizeClient(width, window().clientHeight());
        EXPECT_EQ(window().clientWidth(), 635) << width;
    }
}

TEST_F(LayoutTest, ClientHeightRulesTheGroups) {
    resizeClient(635, 426);
    EXPECT_EQ(control("外形框2")->top(), 320);
    EXPECT_EQ(control("画板1")->height(), 410);
    EXPECT_EQ(control("外形框1")->height(), 304);
    // Too short for the groups: negative heights are held at 0.
    resizeClient(635, 50);
    EXPECT_EQ(control("外形框2")->top(), 50 - 106);
    EXPECT_EQ(control("画板1")->height(), 34);
    EXPECT_EQ(control("外形框1")->height(), 0);
}

}  // namespace

namespace {

TEST_F(LayoutTest, MinimisingLaysOutForAnEmptyClientAreaAndRestoringBringsItBack) {
    const Places before = places();
    window().widget()->showMinimized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window().widget()->isMinimized(); }, 2000));
    QApplication::processEvents();
    EXPECT_EQ(window().clientWidth(), 0);
    EXPECT_EQ(control("外形框2")->top(), -106);
    EXPECT_EQ(control("画板1")->height(), 0);
    EXPECT_EQ(control("外形框1")->height(), 0);

    window().widget()->showNormal();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window().widget()->isMinimized(); }, 2000));
    QApplication::processEvents();
    const Places after = places();
    EXPECT_EQ(after.aboutTop, before.aboutTop);
    EXPECT_EQ(after.canvasHeight, before.canvasHeight);
    EXPECT_EQ(after.settingsHeight, before.settingsHeight);
    EXPECT_EQ(window().clientWidth(), 635);
}

TEST_F(MainWindowTest, TheCloseBoxRunsTheClosingSequenceInOrder) {
    std::vector<std::string> steps;
    window().setHandler(EventKind::canClose, [&](toolkit::Event&) { steps.push_back("canClose"); });
    window().setHandler(EventKind::willBeDestroyed, [&](toolkit::Event&) {
        steps.push_back(window().widget()->isVisible() ? "destroyed while shown"
                                                       : "willBeDestroyed off screen");
        steps.push_back(control("编辑框1") ? "controls still there" : "controls gone");
    });
    mainWindow->setOnUnloaded([&] {
        steps.push_back(window().find(QStringLiteral("编辑框1")) ? "unloaded with controls"
                                                                 : "unloaded");
    });
    window().widget()->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !mainWindow->exists(); }, 2000));
    EXPECT_EQ(steps, (std::vector<std::string>{"canClose", "willBeDestroyed off screen",
                                               "controls still there", "unloaded"}));
}

}  // namespace
