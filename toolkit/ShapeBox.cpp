#include "toolkit/ShapeBox.h"

#include <QPainter>

namespace toolkit {

namespace {

class ShapeBoxWidget : public QWidget {
  public:
    explicit ShapeBoxWidget(const ControlDesign& design) : design_(design) {
        setFocusPolicy(Qt::NoFocus);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), backgroundColor(design_.backColor));
        painter.setPen(QPen(toQColor(design_.outlineColor), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }

  private:
    const ControlDesign& design_;
};

}  // namespace

ShapeBox::ShapeBox(Window* window, const ControlDesign& design) : Control(window, design, nullptr) {
    adoptWidget(new ShapeBoxWidget(this->design()));
}

}  // namespace toolkit
