#include "toolkit/EditBox.h"

#include <QPalette>

#include "toolkit/Fonts.h"

namespace toolkit {

namespace {

QLineEdit* makeLineEdit(const ControlDesign& design) {
    auto* edit = new QLineEdit;
    edit->setFrame(design.border != BorderStyle::None);
    edit->setFont(design.font ? fontFromDesign(*design.font) : defaultUiFont());
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Text, toQColor(design.textColor));
    palette.setColor(QPalette::Base, backgroundColor(design.backColor));
    // The selection is hidden while the box does not have the focus.
    palette.setColor(QPalette::Inactive, QPalette::Highlight, backgroundColor(design.backColor));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText, toQColor(design.textColor));
    edit->setPalette(palette);
    edit->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    edit->setText(design.text);
    edit->setCursorPosition(0);
    edit->setFocusPolicy(design.tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    return edit;
}

}  // namespace

EditBox::EditBox(Window* window, const ControlDesign& design)
    : Control(window, design, makeLineEdit(design)) {
    // textEdited comes for the user's changes only (typing, deleting, paste, cut, undo), not
    // for setText; the program's writes raise the event in setContent.
    QObject::connect(lineEdit(), &QLineEdit::textEdited, lineEdit(),
                     [this] { raiseEvent(EventKind::contentChanged); });
}

QLineEdit* EditBox::lineEdit() const {
    return static_cast<QLineEdit*>(widget());
}

QString EditBox::content() const {
    return lineEdit() ? lineEdit()->text() : QString();
}

void EditBox::setContent(const QString& text) {
    if (lineEdit()) {
        lineEdit()->setText(text);
    }
    raiseEvent(EventKind::contentChanged);
}

}  // namespace toolkit
