// A single-line edit box. Raises contentChanged for every change of its text by the user and
// once for every write by the program, even of the same text.
#pragma once

#include <QLineEdit>

#include "toolkit/Control.h"

namespace toolkit {

class EditBox : public Control {
  public:
    EditBox(Window* window, const ControlDesign& design);

    QString content() const;
    void setContent(const QString& text);
    QLineEdit* lineEdit() const;
};

}  // namespace toolkit
