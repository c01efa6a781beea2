#include "toolkit/DrawPanel.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

#include "toolkit/Borders.h"
#include "toolkit/Fonts.h"

namespace toolkit {

namespace {

// Wraps the picture's pixels without copying them.
QImage wrap(const Picture& picture) {
    return QImage(reinterpret_cast<const uchar*>(picture.pixels.data()), picture.width,
                  picture.height, picture.width * 4,
                  picture.hasMask ? QImage::Format_ARGB32 : QImage::Format_RGB32);
}

bool drawable(const Picture& picture) {
    return picture.width > 0 && picture.height > 0 &&
           picture.pixels.size() >= static_cast<size_t>(picture.width) * picture.height;
}

class DrawPanelFrame : public QWidget {
  public:
    explicit DrawPanelFrame(const ControlDesign& design) : design_(design) {
        setFocusPolicy(Qt::NoFocus);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        paintBorder(painter, rect(), design_.border);
    }

  private:
    const ControlDesign& design_;
};

}  // namespace

// The inside of the border: shows the buffer and holds child controls, clipping them.
class DrawPanelCanvas : public QWidget {
  public:
    DrawPanelCanvas(DrawPanel& panel, QWidget* frame) : QWidget(frame), panel_(panel) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::NoFocus);
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.drawImage(event->rect().topLeft(), panel_.buffer(), event->rect());
        const QRect r = event->rect();
        panel_.raiseEvent(EventKind::paint, {r.left(), r.top(), r.right() + 1, r.bottom() + 1});
    }

  private:
    DrawPanel& panel_;
};

DrawPanel::DrawPanel(Window* window, const ControlDesign& design)
    : Control(window, design, nullptr), textColor_(design.textColor) {
    auto* frame = new DrawPanelFrame(this->design());
    canvas_ = new DrawPanelCanvas(*this, frame);
    adoptWidget(frame);
    resizeBuffer();
}

QWidget* DrawPanel::clientHost() const {
    return canvas_;
}

int DrawPanel::clientWidth() const {
    return std::max(0, width() - 2 * borderThickness(design().border));
}

int DrawPanel::clientHeight() const {
    return std::max(0, height() - 2 * borderThickness(design().border));
}

void DrawPanel::applyGeometry() {
    Control::applyGeometry();
    resizeBuffer();
}

void DrawPanel::setBorder(BorderStyle style) {
    mutableDesign().border = style;
    resizeBuffer();
    if (widget()) {
        widget()->update();
    }
}

void DrawPanel::setBackgroundPicture(std::shared_ptr<const Picture> picture) {
    mutableDesign().backgroundPicture = std::move(picture);
}

void DrawPanel::resizeBuffer() {
    const QSize size(clientWidth(), clientHeight());
    const int inset = borderThickness(design().border);
    if (canvas_) {
        canvas_->setGeometry(inset, inset, size.width(), size.height());
    }
    if (buffer_.size() == size) {
        return;
    }
    // What was drawn stays where it was; new room gets the background.
    const QImage old = buffer_;
    buffer_ = QImage(size, QImage::Format_RGB32);
    clear();
    if (!old.isNull() && !buffer_.isNull()) {
        QPainter painter(&buffer_);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, old);
    }
}

void DrawPanel::clear() {
    if (buffer_.isNull()) {
        return;
    }
    buffer_.fill(backgroundColor(design().backColor));
    const auto& pattern = design().backgroundPicture;
    if (pattern && drawable(*pattern)) {
        QPainter painter(&buffer_);
        painter.drawTiledPixmap(buffer_.rect(), QPixmap::fromImage(wrap(*pattern)));
    }
    changed();
}

void DrawPanel::drawPicture(const Picture& picture, int x, int y) {
    if (buffer_.isNull() || !drawable(picture)) {
        return;
    }
    QPainter painter(&buffer_);
    if (!picture.hasMask) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
    }
    painter.drawImage(x, y, wrap(picture));
    changed();
}

void DrawPanel::drawPictureStretched(const Picture& picture, int x, int y, int w, int h) {
    if (buffer_.isNull() || !drawable(picture) || w <= 0 || h <= 0) {
        return;
    }
    const QImage source = wrap(picture);
    const QImage scaled =
        source.size() == QSize(w, h)
            ? source
            : source.scaled(w, h, Qt::IgnoreAspectRatio,
                            smoothScaling() ? Qt::SmoothTransformation : Qt::FastTransformation);
    QPainter painter(&buffer_);
    if (!picture.hasMask) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
    }
    painter.drawImage(x, y, scaled);
    changed();
}

void DrawPanel::setTextColor(ColorRef color) {
    textColor_ = color;
}

void DrawPanel::writeText(int x, int y, const QString& text) {
    if (buffer_.isNull() || text.isEmpty()) {
        return;
    }
    const QFont font = defaultUiFont();
    QPainter painter(&buffer_);
    painter.setFont(font);
    painter.setPen(toQColor(textColor_));
    painter.drawText(QPointF(x, y + QFontMetricsF(font).ascent()), text);
    changed();
}

void DrawPanel::copyFrom(const DrawPanel& source) {
    if (buffer_.isNull() || source.buffer_.isNull()) {
        return;
    }
    QPainter painter(&buffer_);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, source.buffer_);
    painter.end();
    changed();
}

void DrawPanel::changed() {
    if (canvas_) {
        canvas_->update();
    }
}

bool DrawPanel::smoothScaling() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return !screen || screen->depth() > 16;
}

}  // namespace toolkit
