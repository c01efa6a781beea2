// A drawing surface. Everything drawn on it goes into an off-screen buffer of its client size,
// from which it repaints; the buffer survives while the surface is hidden, and drawing on one
// surface never touches another.
#pragma once

#include <QImage>
#include <QString>
#include <memory>

#include "toolkit/Control.h"
#include "toolkit/Picture.h"

namespace toolkit {

class DrawPanelCanvas;

class DrawPanel : public Control {
  public:
    DrawPanel(Window* window, const ControlDesign& design);

    int clientWidth() const;
    int clientHeight() const;
    // The retained picture: client-sized, 32-bit RGB.
    const QImage& buffer() const { return buffer_; }

    void setBorder(BorderStyle style);
    void setBackgroundPicture(std::shared_ptr<const Picture> picture);

    // Pictures are copied over what is there; icons and cursors go through their mask.
    void drawPicture(const Picture& picture, int x, int y);
    // The whole picture scaled to exactly w x h: smoothed (area-averaging when shrinking) when
    // the display has more than 16 bits per pixel, nearest-pixel otherwise.
    void drawPictureStretched(const Picture& picture, int x, int y, int w, int h);
    void setTextColor(ColorRef color);
    // One line of text in the default font on a transparent background, the top-left corner
    // of its text cell at x, y.
    void writeText(int x, int y, const QString& text);
    // Copies the whole client area of `source`, from its 0,0, into this surface at 0,0.
    void copyFrom(const DrawPanel& source);
    // Fills the client area with the background colour (and the background picture, tiled).
    void clear();

    QWidget* clientHost() const override;

    // Whether stretched pictures are smoothed on this display.
    static bool smoothScaling();

  protected:
    void applyGeometry() override;

  private:
    void resizeBuffer();
    void changed();

    DrawPanelCanvas* canvas_ = nullptr;
    QImage buffer_;
    ColorRef textColor_;
};

}  // namespace toolkit
