#include "toolkit/ComboBox.h"

#include <QAbstractItemView>
#include <QListView>
#include <QPalette>

#include "toolkit/Fonts.h"

namespace toolkit {

namespace {

QComboBox* makeComboBox(const ControlDesign& design) {
    auto* combo = new QComboBox;
    combo->setEditable(false);
    combo->setInsertPolicy(QComboBox::InsertAtBottom);
    combo->setFont(design.font ? fontFromDesign(*design.font) : defaultUiFont());
    combo->setFocusPolicy(design.tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    auto* view = new QListView(combo);
    combo->setView(view);
    QPalette palette = combo->palette();
    palette.setColor(QPalette::Text, toQColor(design.textColor));
    palette.setColor(QPalette::Base, Qt::white);
    combo->setPalette(palette);
    view->setPalette(palette);
    return combo;
}

}  // namespace

ComboBox::ComboBox(Window* window, const ControlDesign& design)
    : Control(window, design, makeComboBox(design)) {
    QObject::connect(comboBox(), &QComboBox::activated, comboBox(), [this](int) {
        // Delivered from the queue, after the list has finished handling the choice.
        QMetaObject::invokeMethod(
            comboBox(), [this] { raiseEvent(EventKind::itemSelected); }, Qt::QueuedConnection);
    });
    fitDropDown();
}

QComboBox* ComboBox::comboBox() const {
    return static_cast<QComboBox*>(widget());
}

void ComboBox::clear() {
    comboBox()->clear();
}

void ComboBox::addItem(const QString& text, int data) {
    comboBox()->addItem(text, data);
    fitDropDown();
}

int ComboBox::count() const {
    return comboBox()->count();
}
QString ComboBox::itemText(int index) const {
    return comboBox()->itemText(index);
}
int ComboBox::itemData(int index) const {
    return comboBox()->itemData(index).toInt();
}
int ComboBox::currentSelection() const {
    return comboBox()->currentIndex();
}

void ComboBox::setCurrentSelection(int index) {
    const QSignalBlocker quiet(comboBox());
    comboBox()->setCurrentIndex(index);
}

void ComboBox::fitDropDown() {
    // Each item one pixel taller than the platform's; the open list reaches at most
    // dropDownReach pixels below the control's top.
    const int itemHeight = comboBox()->fontMetrics().height() + 2 + design().itemHeightExtra;
    auto* view = static_cast<QListView*>(comboBox()->view());
    view->setUniformItemSizes(true);
    view->setStyleSheet(QStringLiteral("QListView::item { height: %1px; }").arg(itemHeight));
    const int room = design().dropDownReach - design().height;
    comboBox()->setMaxVisibleItems(std::max(1, room / itemHeight));
}

}  // namespace toolkit
