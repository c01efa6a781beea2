#include "toolkit/Colors.h"

#include <QGuiApplication>
#include <QPalette>

namespace toolkit {

QColor buttonFaceColor() {
    return QGuiApplication::palette().color(QPalette::Button);
}

QColor backgroundColor(ColorRef value) {
    return value == systemDefaultColor ? buttonFaceColor() : toQColor(value);
}

}  // namespace toolkit
