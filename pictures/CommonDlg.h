// The file dialog component: its settings live as long as the window that owns it, so every
// dialog starts from what the last one left (the last confirmed path above all).
#pragma once

#include <QList>
#include <QString>

#include "toolkit/FileDialog.h"

class QWidget;

namespace pictures {

// The pairs of a filter text "description|pattern|description|pattern...": the text is cut at
// every "|", and the list ends at the first empty description. Empty when the text is blank.
QList<toolkit::FileFilter> parseFilterList(const QString& filter);

class CommonDlg {
  public:
    int dialogType = 0;  // 0: open an existing file, 1: save a file
    QString title;
    QString fileName;  // in: the name shown at first; out: the confirmed full path
    QString filter;
    int initialFilterIndex = 0;  // 0-based
    QString initialDirectory;
    QString defaultExtension;  // without its dot
    bool createPrompt = false;
    bool fileMustExist = true;
    bool overwritePrompt = true;
    bool pathMustExist = true;
    bool keepCurrentDirectory = false;

    // Shows the dialog modal over parent. True when the user confirmed a file: fileName then
    // holds its full path and, unless keepCurrentDirectory, the current directory is its folder.
    // False (and nothing changed) when the dialog was cancelled, closed or failed.
    bool open(QWidget* parent);

    toolkit::FileDialogOptions dialogOptions() const;
};

}  // namespace pictures
