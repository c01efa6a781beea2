// The main window as designed: its title, size and place, and every control's settings.
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "MainWindowFixture.h"
#include "toolkit/ComboBox.h"
#include "toolkit/HyperLinker.h"
#include "ui/MainWindowDesign.h"

namespace {

using toolkit::ControlKind;

struct Expected {
    const char* name;
    ControlKind kind;
    const char* parent;
    int left, top, width, height;
    int stackPlace;
    bool tabStop;
    int tabOrder;
    const char* text;
};

// Every control, with its place counted from the top of its parent's stacking order.
const Expected controls[] = {
    {"超文本浏览框1", ControlKind::HtmlViewer, "", 8, 192, 392, 224, 0, true, 0, ""},
    {"超级链接框6", ControlKind::HyperLinker, "", 541, 273, 75, 23, 1, false, 0, "家园门户"},
    {"超级链接框5", ControlKind::HyperLinker, "", 445, 273, 75, 23, 2, false, 0, "每日签到"},
    {"超级链接框3", ControlKind::HyperLinker, "", 488, 240, 88, 24, 3, false, 0, "技术论坛"},
    {"通用对话框1", ControlKind::CommonDlg, "", 232, 128, 40, 32, 4, false, 0, ""},
    {"画板1", ControlKind::DrawPanel, "", 8, 8, 392, 184, 5, false, 0, ""},
    // The work surface, a hidden copy of the canvas, stands directly below it.
    {"外形框2", ControlKind::ShapeBox, "", 408, 320, 220, 98, 7, false, 0, ""},
    {"外形框1", ControlKind::ShapeBox, "", 407, 8, 220, 312, 8, false, 0, ""},
    {"编辑框6", ControlKind::EditBox, "外形框1", 64, 119, 150, 20, 0, true, 0,
     "等待的人，你在哪？"},
    {"按钮2", ControlKind::Button, "外形框1", 31, 199, 88, 30, 1, true, 6, "选择个性头像"},
    {"编辑框5", ControlKind::EditBox, "外形框1", 65, 168, 150, 20, 2, true, 5, ""},
    {"组合框1", ControlKind::ComboBox, "外形框1", 65, 143, 150, 20, 3, true, 4, ""},
    {"按钮1", ControlKind::Button, "外形框1", 129, 199, 86, 30, 4, true, 7, "生成制作名片"},
    {"编辑框4", ControlKind::EditBox, "外形框1", 65, 96, 150, 20, 5, true, 3, "416832057"},
    {"编辑框3", ControlKind::EditBox, "外形框1", 65, 72, 150, 20, 6, true, 2, "普通会员"},
    {"编辑框2", ControlKind::EditBox, "外形框1", 65, 48, 150, 20, 7, true, 1, "Tarnwick"},
    {"编辑框1", ControlKind::EditBox, "外形框1", 65, 24, 150, 20, 8, true, 0, "zelk0731"},
    {"标签2", ControlKind::Label, "外形框1", 1, 1, 218, 18, 9, false, 0, "名片设置"},
    {"标签1", ControlKind::Label, "外形框1", 4, 28, 69, 156, 10, false, 0,
     "论坛昵称：\r\n\r\n论坛名称：\r\n\r\n论坛职位：\r\n\r\n联系ＱＱ：\r\n\r\n个性签名：\r\n\r\n"
     "名片模版：\r\n\r\n头像图片："},
    {"标签3", ControlKind::Label, "外形框2", 1, 1, 218, 31, 0, false, 0, "关于本程序"},
    {"标签4", ControlKind::Label, "外形框2", 4, 28, 204, 60, 1, false, 0,
     "    \r\n\r\n       本程序仅供学习交流研究"},
};

// The layout rule has run once, from the client height of the moment: it places the about
// frame 8 pixels above the bottom and stretches the canvas and the settings frame down to it.
Expected laidOut(Expected want, int clientHeight) {
    const std::string name = want.name;
    if (name == "外形框2") {
        want.top = clientHeight - 98 - 8;
    } else if (name == "画板1") {
        want.height = clientHeight - 8 - 8;
    } else if (name == "外形框1") {
        want.height = clientHeight - 98 - 8 - 8 - 8;
    }
    return want;
}

TEST_F(MainWindowTest, EveryControlIsBuiltAsDesigned) {
    for (const Expected& stored : controls) {
        SCOPED_TRACE(stored.name);
        const Expected want = laidOut(stored, window().clientHeight());
        toolkit::Control* c = control(want.name);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->kind(), want.kind);
        EXPECT_EQ(c->parent() ? c->parent()->name() : QString(), QString::fromUtf8(want.parent));
        EXPECT_EQ(c->left(), want.left);
        EXPECT_EQ(c->top(), want.top);
        EXPECT_EQ(c->width(), want.width);
        EXPECT_EQ(c->height(), want.height);
        EXPECT_EQ(c->stackPlace(), want.stackPlace);
        EXPECT_EQ(c->design().tabStop, want.tabStop);
        if (want.tabStop) {
            EXPECT_EQ(c->design().tabOrder, want.tabOrder);
        }
        const QString text = QString::fromUtf8(want.text);
        if (auto* box = dynamic_cast<toolkit::EditBox*>(c)) {
            EXPECT_EQ(box->content(), text);
        } else if (want.kind != ControlKind::ComboBox && want.kind != ControlKind::HtmlViewer) {
            EXPECT_EQ(c->design().text, text);
        }
        if (QWidget* w = c->widget()) {
            EXPECT_TRUE(w->isVisible());
            EXPECT_EQ(w->geometry(), QRect(want.left, want.top, want.width, want.height));
            EXPECT_EQ(w->focusPolicy() != Qt::NoFocus && want.tabStop,
                      bool(w->focusPolicy() & Qt::TabFocus));
        } else {
            EXPECT_FALSE(c->isVisible());  // the file dialog component has no window
        }
    }
    // Twenty-one controls, plus the two card surfaces copied from the canvas.
    EXPECT_EQ(window().controls().size(), std::size(controls) + 2);
    EXPECT_EQ(mainWindow->surfaces().work->stackPlace(), 6);
    EXPECT_EQ(mainWindow->surfaces().preview->parent(), control("画板1"));
}

TEST_F(MainWindowTest, WindowHasItsTitleSizeAndPlace) {
    QWidget* w = window().widget();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Tarnwick个性名片制作工具  BY:zelk0731"));
    // No window manager draws a frame here: the outer size is the client size. The layout rule
    // keeps the client width at the settings frame's right edge plus 8.
    EXPECT_EQ(window().clientWidth(), 635);
    EXPECT_EQ(window().height(), 451);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(window().left(), (screen.width() - 640) / 2);
    EXPECT_EQ(window().top(), (screen.height() - 451) / 2);
    EXPECT_FALSE(w->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(w->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(w->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(w->windowIcon().isNull());
}

TEST_F(MainWindowTest, ControlsHaveTheirSettings) {
    auto* chooser = control<toolkit::ComboBox>("组合框1");
    EXPECT_FALSE(chooser->comboBox()->isEditable());
    for (const char* name : {"编辑框1", "编辑框2", "编辑框3", "编辑框4", "编辑框5", "编辑框6"}) {
        QLineEdit* edit = control<toolkit::EditBox>(name)->lineEdit();
        EXPECT_TRUE(edit->hasFrame());
        EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(Qt::black));
        EXPECT_EQ(edit->palette().color(QPalette::Base), QColor(Qt::white));
        EXPECT_EQ(edit->echoMode(), QLineEdit::Normal);
        EXPECT_FALSE(edit->isReadOnly());
        EXPECT_EQ(edit->cursorPosition(), 0);
        EXPECT_FALSE(edit->hasSelectedText());
    }
    for (const char* name : {"按钮1", "按钮2"}) {
        auto* button = qobject_cast<QPushButton*>(widget(name));
        ASSERT_NE(button, nullptr);
        EXPECT_FALSE(button->isDefault());
        EXPECT_FALSE(button->autoDefault());
    }
    struct Link {
        const char* name;
        const char* address;
        toolkit::ColorRef color, hover;
    };
    const Link links[] = {
        {"超级链接框3", "http://bbs.tarnwick.example", 0x00FF0000, 0x00C56A31},
        {"超级链接框5", "http://bbs.tarnwick.example/hack.php?H_name=qiandao", 0x00808000,
         0x000000FF},
        {"超级链接框6", "http://bbs.tarnwick.example/index.php?m=area", 0x00000080, 0x000000FF},
    };
    for (const Link& link : links) {
        auto* linker = control<toolkit::HyperLinker>(link.name);
        EXPECT_EQ(linker->address(), QString::fromUtf8(link.address));
        EXPECT_EQ(linker->currentColor(), link.color);
        EXPECT_EQ(linker->design().visitedColor, link.color);
        EXPECT_EQ(linker->design().hoverColor, link.hover);
        EXPECT_EQ(linker->design().border, toolkit::BorderStyle::Raised);
        EXPECT_EQ(linker->widget()->cursor().shape(), Qt::PointingHandCursor);
    }
    for (const char* name : {"标签2", "标签3"}) {
        const toolkit::ControlDesign& d = control(name)->design();
        ASSERT_TRUE(d.font.has_value());
        EXPECT_EQ(d.font->face, QStringLiteral("宋体"));
        EXPECT_EQ(d.font->pixelHeight, 12);
        EXPECT_EQ(d.font->weight, 700);
        // "宋体" is not installed: it resolves to a CJK serif through the font substitutions.
        const QFontInfo resolved(widget(name)->font());
        EXPECT_TRUE(resolved.family().contains(QStringLiteral("UMing")) ||
                    resolved.family().contains(QStringLiteral("Serif CJK")))
            << resolved.family().toStdString();
    }
}

TEST_F(MainWindowTest, FramesAreOutlinedInLightGrey) {
    for (const char* name : {"外形框1", "外形框2"}) {
        const QImage pixels = widget(name)->grab().toImage();
        const QColor outline(0xC0, 0xC0, 0xC0);
        EXPECT_EQ(pixels.pixelColor(0, pixels.height() / 2), outline) << name;
        EXPECT_EQ(pixels.pixelColor(pixels.width() - 1, pixels.height() - 1), outline) << name;
        EXPECT_NE(pixels.pixelColor(pixels.width() / 2, pixels.height() - 2), outline) << name;
    }
}

TEST_F(MainWindowTest, CanvasShowsTheCheckerboardAroundThePreview) {
    auto* canvas = control<toolkit::DrawPanel>("画板1");
    const QImage& buffer = canvas->buffer();
    ASSERT_EQ(buffer.width(), 388);
    // 8-pixel squares: white at the top left, light grey (223) beside and below it.
    EXPECT_NEAR(qRed(buffer.pixel(2, 2)), 255, 2);
    EXPECT_NEAR(qRed(buffer.pixel(10, 2)), 223, 2);
    EXPECT_NEAR(qRed(buffer.pixel(2, 10)), 223, 2);
    EXPECT_NEAR(qRed(buffer.pixel(10, 10)), 255, 2);
}

}  // namespace
