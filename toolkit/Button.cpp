#include "toolkit/Button.h"

#include "toolkit/Fonts.h"

namespace toolkit {

namespace {

QPushButton* makeButton(const ControlDesign& design) {
    auto* button = new QPushButton(design.text);
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setFont(design.font ? fontFromDesign(*design.font) : defaultUiFont());
    button->setFocusPolicy(design.tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    return button;
}

}  // namespace

Button::Button(Window* window, const ControlDesign& design)
    : Control(window, design, makeButton(design)) {
    QObject::connect(pushButton(), &QPushButton::clicked, pushButton(),
                     [this] { raiseEvent(EventKind::clicked); });
}

QPushButton* Button::pushButton() const {
    return static_cast<QPushButton*>(widget());
}
QString Button::caption() const {
    return pushButton()->text();
}

}  // namespace toolkit
