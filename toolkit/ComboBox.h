// A drop-down list without an edit field. Raises itemSelected after the user has chosen an
// item (also the one already chosen), from the event queue once the list has finished with
// the choice; the program's own selection raises nothing.
#pragma once

#include <QComboBox>

#include "toolkit/Control.h"

namespace toolkit {

class ComboBox : public Control {
  public:
    ComboBox(Window* window, const ControlDesign& design);

    void clear();
    void addItem(const QString& text, int data);
    int count() const;
    QString itemText(int index) const;
    int itemData(int index) const;
    // The 0-based position of the chosen item, -1 for none.
    int currentSelection() const;
    void setCurrentSelection(int index);
    QComboBox* comboBox() const;

  private:
    void fitDropDown();
};

}  // namespace toolkit
