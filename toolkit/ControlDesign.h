// The stored design of a window and its controls: one record per control with every setting
// that changes what the user sees or can do. Windows are built from these records, and copies
// of controls are built from the record of their source.
#pragma once

#include <QString>
#include <Qt>
#include <memory>
#include <optional>
#include <vector>

#include "toolkit/Colors.h"
#include "toolkit/Picture.h"

namespace toolkit {

enum class ControlKind {
    Window,
    EditBox,
    ComboBox,
    Button,
    Label,
    ShapeBox,
    HyperLinker,
    DrawPanel,
    HtmlViewer,
    CommonDlg,
};

const char* controlKindName(ControlKind kind);

// Border styles of controls.
enum class BorderStyle {
    None = 0,
    Sunken = 1,        // the client edge: two pixels
    Raised = 2,        // the dialog frame
    ThinSunken = 3,    // the static edge: one pixel
    SunkenRaised = 4,  // both edges together
    BlackLine = 5,
};

// Pixels taken by a border on each side; the client area is what lies inside.
int borderThickness(BorderStyle style);

struct FontDesign {
    QString face;
    int pixelHeight = 12;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};

struct ControlDesign {
    QString name;
    ControlKind kind = ControlKind::Label;
    QString parent;  // the name of a ShapeBox, or empty for the window itself

    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    // Place among the controls of the same parent: 0 is the top of the stacking order.
    int stackPlace = 0;
    bool visible = true;
    bool enabled = true;
    bool tabStop = false;
    int tabOrder = 0;

    QString text;                    // caption, or an edit box's initial content
    std::optional<FontDesign> font;  // none: the default user-interface font
    ColorRef textColor = 0x00000000;
    ColorRef backColor = systemDefaultColor;
    BorderStyle border = BorderStyle::None;

    // Label
    std::vector<ColorRef> gradient;  // background from top to bottom, when not empty
    bool highlight = false;          // a white copy of the text one pixel right and down
    Qt::Alignment alignment = Qt::AlignLeft;
    bool wordWrap = false;  // else one line, vertically centred

    // ShapeBox
    ColorRef outlineColor = 0x00C0C0C0;

    // HyperLinker
    QString url;
    ColorRef visitedColor = 0;
    ColorRef hoverColor = 0;

    // DrawPanel
    std::shared_ptr<const Picture> backgroundPicture;  // tiled from the top left; none: colour
    ColorRef brushColor = 0x00FFFFFF;
    ColorRef penColor = 0x00000000;

    // HtmlViewer
    int fontSize = 2;  // five steps, 0 (smallest) to 4 (largest)
    bool offline = false;
    bool silent = false;

    // ComboBox
    int dropDownReach = 160;  // the opened list reaches at most this far below the top
    int itemHeightExtra = 1;  // pixels added to the platform's item height
};

struct WindowDesign {
    QString name;
    QString title;
    int outerWidth = 0;
    int outerHeight = 0;
    bool resizable = true;
    bool minimizeButton = true;
    bool maximizeButton = false;
    ColorRef backColor = systemDefaultColor;
    std::shared_ptr<const Picture> icon;
    // Every control, in the order the designer made them: ties in tab order go by this order.
    std::vector<ControlDesign> controls;
};

}  // namespace toolkit
