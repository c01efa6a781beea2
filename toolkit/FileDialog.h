// The open-file and save-file dialogs: Qt's own (non-native) file dialog, so that it looks and
// behaves the same on every desktop and tests can drive it as an ordinary top-level window.
#pragma once

#include <QList>
#include <QString>
#include <optional>

class QWidget;

namespace toolkit {

enum class FileDialogKind { Open, Save };

// One entry of the dialog's type list: a description and one or more masks joined by ";".
struct FileFilter {
    QString description;
    QString pattern;

    bool operator==(const FileFilter&) const = default;
};

struct FileDialogOptions {
    FileDialogKind kind = FileDialogKind::Open;
    QString caption;  // empty: Qt's own caption for the kind
    QList<FileFilter> filters;
    int selectedFilter = 0;    // 0-based; out of range selects the first
    QString initialName;       // a full path or a bare name; only its first 259 characters count
    QString initialFolder;     // empty: the current directory
    QString defaultExtension;  // without its dot, added to a typed name that has no extension
    bool createPrompt = false;
    bool fileMustExist = true;
    bool overwritePrompt = true;
    bool pathMustExist = true;
};

// The longest path the dialog can hand back; a longer choice counts as a failed dialog.
inline constexpr int maxFileDialogPath = 259;

// The objectName of every file dialog, for tests that look for it among the top-level widgets.
inline constexpr char fileDialogObjectName[] = "fileDialog";

// Shows the dialog modal over parent (which may be null) and waits until it closes. Yields the
// full path of the confirmed file, or nothing when the user cancels or the path is too long.
std::optional<QString> showFileDialog(QWidget* parent, const FileDialogOptions& options);

}  // namespace toolkit
