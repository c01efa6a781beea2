// Driving the modal file dialog and its message boxes as a user would, from a timer that
// fires inside the dialog's own event loop.
#pragma once

#include <QFileDialog>
#include <QMessageBox>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QTimer;

namespace cardtest {

class FileDialogDriver {
  public:
    FileDialogDriver();
    ~FileDialogDriver();

    // Runs `step` on the next visible modal widget of kind W. Steps for boxes that a step opens
    // must be queued before that step runs.
    void whenFileDialogShown(std::function<void(QFileDialog*)> step);
    void whenMessageBoxShown(std::function<void(QMessageBox*)> step);
    // How many queued steps have run.
    int stepsRun() const { return stepsRun_; }

    // Types `name` into the dialog's name box and presses Return.
    static void typeAndConfirm(QFileDialog* dialog, const QString& name);
    static void cancel(QFileDialog* dialog);
    static void press(QMessageBox* box, QMessageBox::StandardButton which);
    // What the name box shows.
    static QString nameBoxText(QFileDialog* dialog);

  private:
    void whenModalShown(std::function<bool(QWidget*)> step);

    std::vector<std::unique_ptr<QTimer>> timers_;
    int stepsRun_ = 0;
};

}  // namespace cardtest
