#include "toolkit/FileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>

namespace toolkit {

namespace {

// QFileDialog in AnyFile mode accepts a name in a folder that does not exist, and it has no
// question before a new file is named; both checks come in here, before its own.
class CheckingFileDialog : public QFileDialog {
  public:
    CheckingFileDialog(QWidget* parent, bool pathMustExist, bool createPrompt)
        : QFileDialog(parent), pathMustExist_(pathMustExist), createPrompt_(createPrompt) {}

    void accept() override {
        const QStringList files = selectedFiles();
        if (!files.isEmpty() && !refuses(QFileInfo(files.first()))) {
            QFileDialog::accept();
        }
    }

  private:
    bool refuses(const QFileInfo& chosen) {
        if (chosen.isDir()) {
            return false;  // QFileDialog opens the folder instead of accepting it
        }
        if (pathMustExist_ && !chosen.dir().exists()) {
            QMessageBox::warning(
                this, windowTitle(),
                tr("%1\nPath not found.\nPlease verify the correct path was given.")
                    .arg(chosen.filePath()));
            return true;
        }
        if (createPrompt_ && !chosen.exists()) {
            const auto answer =
                QMessageBox::question(this, windowTitle(),
                                      tr("%1\nThis file does not exist.\nDo you want to create it?")
                                          .arg(chosen.fileName()),
                                      QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
            return answer != QMessageBox::Yes;
        }
        return false;
    }

    const bool pathMustExist_;
    const bool createPrompt_;
};

// Qt reads the masks of a type from the last parentheses of its text, separated by spaces, and
// with HideNameFilterDetails shows only what comes before them: so the description is shown
// exactly as given, parentheses of its own included.
QString qtNameFilter(const FileFilter& filter) {
    QStringList masks = filter.pattern.split(u';', Qt::SkipEmptyParts);
    for (QString& mask : masks) {
        mask = mask.trimmed();
        if (mask == u"*.*") {
            mask = QStringLiteral("*");  // all files, also those without a dot in their name
        }
    }
    return filter.description + QStringLiteral(" (") + masks.join(u' ') + u')';
}

QFileDialog::FileMode fileModeFor(const FileDialogOptions& options) {
    // An open dialog that must not accept new names; the create question needs them let through.
    const bool existingOnly =
        options.kind == FileDialogKind::Open && options.fileMustExist && !options.createPrompt;
    return existingOnly ? QFileDialog::ExistingFile : QFileDialog::AnyFile;
}

void setFilters(QFileDialog& dialog, const FileDialogOptions& options) {
    if (options.filters.isEmpty()) {
        return;
    }
    QStringList names;
    for (const FileFilter& filter : options.filters) {
        names << qtNameFilter(filter);
    }
    dialog.setNameFilters(names);
    const bool inRange = options.selectedFilter >= 0 && options.selectedFilter < names.size();
    dialog.selectNameFilter(names.at(inRange ? options.selectedFilter : 0));
}

void setStartingPlace(QFileDialog& dialog, const FileDialogOptions& options) {
    // Without a folder of our own, Qt would reopen the folder of an earlier run.
    dialog.setDirectory(options.initialFolder.isEmpty() ? QDir::currentPath()
                                                        : options.initialFolder);
    // A full path as initial name wins over the initial folder (selectFile opens its folder).
    const QString initialName = options.initialName.left(maxFileDialogPath);
    if (!initialName.isEmpty()) {
        dialog.selectFile(initialName);
    }
}

}  // namespace

std::optional<QString> showFileDialog(QWidget* parent, const FileDialogOptions& options) {
    CheckingFileDialog dialog(parent, options.pathMustExist, options.createPrompt);
    dialog.setObjectName(QString::fromLatin1(fileDialogObjectName));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.overwritePrompt);
    dialog.setAcceptMode(options.kind == FileDialogKind::Save ? QFileDialog::AcceptSave
                                                              : QFileDialog::AcceptOpen);
    dialog.setFileMode(fileModeFor(options));
    dialog.setSizeGripEnabled(true);
    if (!options.caption.isEmpty()) {
        dialog.setWindowTitle(options.caption);
    }
    if (!options.defaultExtension.isEmpty()) {
        dialog.setDefaultSuffix(options.defaultExtension);
    }
    // The types before the name: choosing a type in a save dialog rewrites the extension of the
    // name already shown, and the initial name must stay as given.
    setFilters(dialog, options);
    setStartingPlace(dialog, options);

    // Qt tests a typed relative name against the process's current directory in places (whether
    // it names a folder, before the default extension is added): keep that at the folder shown
    // while the dialog is open, and give the caller's back afterwards.
    const QString callersDirectory = QDir::currentPath();
    QDir::setCurrent(dialog.directory().absolutePath());
    QObject::connect(&dialog, &QFileDialog::directoryEntered, &dialog,
                     [](const QString& folder) { QDir::setCurrent(folder); });

    QString chosen;
    QObject::connect(&dialog, &QFileDialog::filesSelected, &dialog,
                     [&chosen](const QStringList& files) { chosen = files.value(0); });
    const int result = dialog.exec();
    QDir::setCurrent(callersDirectory);
    if (result != QDialog::Accepted || chosen.isEmpty()) {
        return std::nullopt;
    }
    chosen = QDir::cleanPath(chosen);
    if (chosen.size() > maxFileDialogPath) {
        return std::nullopt;
    }
    return chosen;
}

}  // namespace toolkit
