#include "toolkit/HyperLinker.h"

#include <QMouseEvent>
#include <QPainter>

#include "toolkit/Borders.h"
#include "toolkit/DesktopOpen.h"
#include "toolkit/Fonts.h"

namespace toolkit {

class HyperLinkWidget : public QWidget {
  public:
    explicit HyperLinkWidget(HyperLinker& link) : link_(link) {
        const ControlDesign& design = link.design();
        setFont(design.font ? fontFromDesign(*design.font) : defaultUiFont());
        setFocusPolicy(Qt::NoFocus);
        setMouseTracking(true);
        setCursor(Qt::PointingHandCursor);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        const ControlDesign& design = link_.design();
        QPainter painter(this);
        painter.fillRect(rect(), backgroundColor(design.backColor));
        paintBorder(painter, rect(), design.border);
        const QRect client = clientRect();
        painter.setClipRect(client);
        painter.setPen(toQColor(link_.currentColor()));
        painter.drawText(client, Qt::AlignCenter | Qt::TextSingleLine, design.text);
    }

    void mouseMoveEvent(QMouseEvent* event) override {
        // While hovered the link holds the mouse, so it also sees the movement that leaves it.
        const bool inside = clientRect().contains(event->position().toPoint());
        if (!link_.isHovered() && inside) {
            grabMouse();
            link_.hoverChanged(true);
        } else if (link_.isHovered() && !inside) {
            releaseMouse();
            link_.hoverChanged(false);
        }
    }

    void mousePressEvent(QMouseEvent* event) override {
        // The press opens the link, not the release.
        if (event->button() == Qt::LeftButton &&
            clientRect().contains(event->position().toPoint())) {
            link_.pressed();
        }
    }

  private:
    // The inside of the border: the caption's area, and where the pointer counts as over it.
    QRect clientRect() const {
        const int inset = borderThickness(link_.design().border);
        return rect().adjusted(inset, inset, -inset, -inset);
    }

    HyperLinker& link_;
};

HyperLinker::HyperLinker(Window* window, const ControlDesign& design)
    : Control(window, design, nullptr) {
    adoptWidget(new HyperLinkWidget(*this));
}

ColorRef HyperLinker::currentColor() const {
    if (hovered_) {
        return design().hoverColor;
    }
    return visited_ ? design().visitedColor : design().textColor;
}

void HyperLinker::pressed() {
    if (address().isEmpty()) {
        return;
    }
    // Visited tells whether the last attempt succeeded, so a failure clears it again.
    visited_ = openInBrowserWithFallback(address());
    if (widget()) {
        widget()->update();
    }
}

void HyperLinker::hoverChanged(bool hovered) {
    hovered_ = hovered;
    if (widget()) {
        widget()->update();
    }
}

}  // namespace toolkit
