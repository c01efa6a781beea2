#include "ui/MainWindowDesign.h"

#include "assets/Assets.h"
#include "pictures/decoders/LoadPicture.h"
#include "ui/WebAddresses.h"

namespace ui {

namespace {

using toolkit::BorderStyle;
using toolkit::ColorRef;
using toolkit::ControlDesign;
using toolkit::ControlKind;
using toolkit::systemDefaultColor;

std::shared_ptr<const toolkit::Picture> decoded(assets::Bytes bytes) {
    auto picture = pictures::loadPicture(bytes);
    if (!picture) {
        return nullptr;
    }
    return std::make_shared<const toolkit::Picture>(std::move(*picture));
}

ControlDesign control(const char* name, ControlKind kind, const char* parent, int left, int top,
                      int width, int height, int stackPlace) {
    ControlDesign design;
    design.name = QString::fromUtf8(name);
    design.kind = kind;
    design.parent = QString::fromUtf8(parent);
    design.left = left;
    design.top = top;
    design.width = width;
    design.height = height;
    design.stackPlace = stackPlace;
    return design;
}

ControlDesign tabStop(ControlDesign design, int order) {
    design.tabStop = true;
    design.tabOrder = order;
    return design;
}

ControlDesign editBox(const char* name, int left, int top, int stackPlace, int tabOrder,
                      const QString& content) {
    ControlDesign design = tabStop(
        control(name, ControlKind::EditBox, "外形框1", left, top, 150, 20, stackPlace), tabOrder);
    design.border = BorderStyle::Sunken;
    design.textColor = 0x00000000;
    design.backColor = 0x00FFFFFF;
    design.text = content;
    return design;
}

ControlDesign button(const char* name, int left, int top, int width, int stackPlace, int tabOrder,
                     const QString& caption) {
    ControlDesign design = tabStop(
        control(name, ControlKind::Button, "外形框1", left, top, width, 30, stackPlace), tabOrder);
    design.text = caption;
    return design;
}

ControlDesign headerLabel(const char* name, const char* parent, int height, const QString& text) {
    ControlDesign design = control(name, ControlKind::Label, parent, 1, 1, 218, height, 0);
    design.text = text;
    design.textColor = 0x00000000;
    design.gradient = {0x00FFFFFF, 0x00ECECEC, 0x00FFFFFF};
    design.font = toolkit::FontDesign{QStringLiteral("宋体"), 12, 700};
    design.alignment = Qt::AlignHCenter;
    return design;
}

ControlDesign hyperlink(const char* name, int left, int top, int width, int height, int stackPlace,
                        const QString& caption, const QString& url, ColorRef color,
                        ColorRef hoverColor) {
    ControlDesign design =
        control(name, ControlKind::HyperLinker, "", left, top, width, height, stackPlace);
    design.border = BorderStyle::Raised;
    design.backColor = systemDefaultColor;
    design.text = caption;
    design.url = url;
    design.textColor = color;
    design.visitedColor = color;
    design.hoverColor = hoverColor;
    return design;
}

ControlDesign shapeBox(const char* name, int left, int top, int height, int stackPlace) {
    ControlDesign design =
        control(name, ControlKind::ShapeBox, "", left, top, 220, height, stackPlace);
    design.outlineColor = 0x00C0C0C0;
    design.backColor = systemDefaultColor;
    return design;
}

}  // namespace

toolkit::WindowDesign mainWindowDesign() {
    toolkit::WindowDesign window;
    window.name = QStringLiteral("mainWindow");
    window.title = mainWindowTitle;
    window.outerWidth = 640;
    window.outerHeight = 451;
    window.backColor = systemDefaultColor;
    window.icon = decoded(assets::windowIcon());

    auto& c = window.controls;
    // In the order the designer made them; where tab orders tie, this order decides.
    c.push_back(shapeBox("外形框1", 407, 8, 312, 7));

    ControlDesign captions = control("标签1", ControlKind::Label, "外形框1", 4, 28, 69, 156, 10);
    captions.text = QStringLiteral(
        "论坛昵称：\r\n\r\n论坛名称：\r\n\r\n论坛职位：\r\n\r\n联系ＱＱ：\r\n\r\n个性签名：\r\n\r\n"
        "名片模版：\r\n\r\n头像图片：");
    captions.textColor = 0x00008080;
    captions.highlight = true;
    captions.wordWrap = true;
    c.push_back(captions);

    ControlDesign settingsHeader = headerLabel("标签2", "外形框1", 18, QStringLiteral("名片设置"));
    settingsHeader.stackPlace = 9;
    c.push_back(settingsHeader);

    c.push_back(editBox("编辑框1", 65, 24, 8, 0, QStringLiteral("zelk0731")));
    c.push_back(editBox("编辑框2", 65, 48, 7, 1, QStringLiteral("Tarnwick")));
    c.push_back(editBox("编辑框3", 65, 72, 6, 2, QStringLiteral("普通会员")));
    c.push_back(editBox("编辑框4", 65, 96, 5, 3, QStringLiteral("416832057")));

    ControlDesign chooser =
        tabStop(control("组合框1", ControlKind::ComboBox, "外形框1", 65, 143, 150, 20, 3), 4);
    chooser.textColor = 0x00000000;
    chooser.backColor = 0x00FFFFFF;
    chooser.dropDownReach = 160;
    chooser.itemHeightExtra = 1;
    c.push_back(chooser);

    c.push_back(editBox("编辑框5", 65, 168, 2, 5, QString()));
    c.push_back(button("按钮2", 31, 199, 88, 1, 6, QStringLiteral("选择个性头像")));
    c.push_back(button("按钮1", 129, 199, 86, 4, 7, QStringLiteral("生成制作名片")));

    c.push_back(shapeBox("外形框2", 408, 320, 98, 6));
    c.push_back(headerLabel("标签3", "外形框2", 31, QStringLiteral("关于本程序")));
    ControlDesign note = control("标签4", ControlKind::Label, "外形框2", 4, 28, 204, 60, 1);
    note.text = QStringLiteral("    \r\n\r\n       本程序仅供学习交流研究");
    note.wordWrap = true;
    c.push_back(note);

    ControlDesign canvas = control("画板1", ControlKind::DrawPanel, "", 8, 8, 392, 184, 5);
    canvas.border = BorderStyle::Sunken;
    canvas.backColor = systemDefaultColor;
    canvas.backgroundPicture = decoded(assets::canvasPattern());
    canvas.penColor = 0x00000000;
    canvas.brushColor = 0x00FFFFFF;
    canvas.textColor = 0x00000000;
    c.push_back(canvas);

    ControlDesign dialog = control("通用对话框1", ControlKind::CommonDlg, "", 232, 128, 40, 32, 4);
    dialog.visible = false;
    c.push_back(dialog);

    c.push_back(hyperlink("超级链接框3", 488, 240, 88, 24, 3, QStringLiteral("技术论坛"),
                          homePageUrl, 0x00FF0000, 0x00C56A31));
    c.push_back(hyperlink("超级链接框5", 445, 273, 75, 23, 2, QStringLiteral("每日签到"),
                          dailySignInUrl, 0x00808000, 0x000000FF));
    c.push_back(hyperlink("超级链接框6", 541, 273, 75, 23, 1, QStringLiteral("家园门户"),
                          homeAreaUrl, 0x00000080, 0x000000FF));

    ControlDesign browser =
        tabStop(control("超文本浏览框1", ControlKind::HtmlViewer, "", 8, 192, 392, 224, 0), 0);
    browser.url = homePageUrl;
    browser.fontSize = 2;
    browser.offline = false;
    browser.silent = false;
    c.push_back(browser);

    // Added last, which is why it sits a pixel apart from the other boxes and shares tab
    // order 0 with the first box and the browser pane.
    c.push_back(editBox("编辑框6", 64, 119, 0, 0, QStringLiteral("等待的人，你在哪？")));
    return window;
}

}  // namespace ui
