// The Qt side of a Window: hands Qt's window events to our layer.
#pragma once

#include <QWidget>

namespace toolkit {

class Window;

class WindowWidget : public QWidget {
  public:
    explicit WindowWidget(Window& window);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

  private:
    Window& window_;
};

}  // namespace toolkit
