#include "toolkit/Label.h"

#include <QPainter>
#include <QTextLayout>

#include "toolkit/Fonts.h"

namespace toolkit {

namespace {

// Wrapped labels set their lines 12 pixels apart, the height of a default text line, so that
// a caption column lines up with the boxes beside it.
constexpr int wrappedLinePitch = 12;

int channel(ColorRef color, int shift) {
    return static_cast<int>((color >> shift) & 0xFF);
}

class LabelWidget : public QWidget {
  public:
    explicit LabelWidget(const ControlDesign& design) : design_(design) {
        setFont(design.font ? fontFromDesign(*design.font) : defaultUiFont());
        setFocusPolicy(Qt::NoFocus);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        paintBackground(painter);
        QString text = design_.text;
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (design_.highlight) {
            paintText(painter, text, QPoint(1, 1), Qt::white);
        }
        paintText(painter, text, QPoint(0, 0), toQColor(design_.textColor));
    }

  private:
    void paintBackground(QPainter& painter) {
        if (design_.gradient.empty()) {
            painter.fillRect(rect(), backgroundColor(design_.backColor));
            return;
        }
        for (int y = 0; y < height(); ++y) {
            painter.fillRect(0, y, width(), 1, gradientRowColor(design_.gradient, y, height()));
        }
    }

    void paintText(QPainter& painter, const QString& text, QPoint offset, const QColor& color) {
        painter.setPen(color);
        if (!design_.wordWrap) {
            painter.drawText(
                rect().translated(offset),
                static_cast<int>(design_.alignment | Qt::AlignVCenter) | Qt::TextSingleLine, text);
            return;
        }
        int y = 0;
        for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
            QTextLayout layout(paragraph, font());
            QTextOption option(design_.alignment);
            option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
            layout.setTextOption(option);
            layout.beginLayout();
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(width());
                line.setPosition(QPointF(0, y));
                y += wrappedLinePitch;
            }
            layout.endLayout();
            layout.draw(&painter, QPointF(offset));
        }
    }

    const ControlDesign& design_;
};

}  // namespace

QColor gradientRowColor(const std::vector<ColorRef>& colors, int y, int height) {
    const int n = static_cast<int>(colors.size());
    if (n == 0) {
        return {};
    }
    const int s = n > 1 ? height / (n - 1) : 0;
    if (s <= 0) {
        return toQColor(colors.back());
    }
    const int k = y / s;
    if (k > n - 2) {
        return toQColor(colors.back());
    }
    const double t = static_cast<double>(y % s) / s;
    const auto mix = [&](int shift) {
        const int from = channel(colors[k], shift);
        const int to = channel(colors[k + 1], shift);
        return from + static_cast<int>((to - from) * t);
    };
    return QColor(mix(0), mix(8), mix(16));
}

Label::Label(Window* window, const ControlDesign& design) : Control(window, design, nullptr) {
    // The widget reads the settings from the control's own record, which outlives it.
    auto* widget = new LabelWidget(this->design());
    adoptWidget(widget);
}

}  // namespace toolkit
