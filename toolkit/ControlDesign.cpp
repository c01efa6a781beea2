#include "toolkit/ControlDesign.h"

namespace toolkit {

const char* controlKindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::Window:
            return "window";
        case ControlKind::EditBox:
            return "EditBox";
        case ControlKind::ComboBox:
            return "ComboBox";
        case ControlKind::Button:
            return "Button";
        case ControlKind::Label:
            return "Label";
        case ControlKind::ShapeBox:
            return "ShapeBox";
        case ControlKind::HyperLinker:
            return "HyperLinker";
        case ControlKind::DrawPanel:
            return "DrawPanel";
        case ControlKind::HtmlViewer:
            return "HtmlViewer";
        case ControlKind::CommonDlg:
            return "CommonDlg";
    }
    return "?";
}

int borderThickness(BorderStyle style) {
    switch (style) {
        case BorderStyle::None:
            return 0;
        case BorderStyle::ThinSunken:
        case BorderStyle::BlackLine:
            return 1;
        case BorderStyle::Sunken:
        case BorderStyle::Raised:
            return 2;
        case BorderStyle::SunkenRaised:
            return 4;
    }
    return 0;
}

}  // namespace toolkit
