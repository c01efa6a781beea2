#include "pictures/CommonDlg.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace pictures {

namespace {

bool isTrailingSpace(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f';
}

QString withoutTrailingSpace(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && isTrailingSpace(text.at(end - 1))) {
        --end;
    }
    return text.left(end);
}

}  // namespace

QList<toolkit::FileFilter> parseFilterList(const QString& filter) {
    QString text = withoutTrailingSpace(filter);
    if (text.isEmpty()) {
        return {};
    }
    // The list is closed by an empty description, which a closing "||" always provides.
    if (!text.endsWith(QStringLiteral("||"))) {
        text += QStringLiteral("||");
    }
    const QStringList parts = text.split(u'|');
    QList<toolkit::FileFilter> pairs;
    for (qsizetype i = 0; i + 1 < parts.size() && !parts.at(i).isEmpty(); i += 2) {
        pairs.append({parts.at(i), parts.at(i + 1)});
    }
    return pairs;
}

toolkit::FileDialogOptions CommonDlg::dialogOptions() const {
    toolkit::FileDialogOptions options;
    options.kind = dialogType == 1 ? toolkit::FileDialogKind::Save : toolkit::FileDialogKind::Open;
    options.caption = title;
    options.filters = parseFilterList(filter);
    options.selectedFilter = initialFilterIndex;
    options.initialName = fileName;
    options.initialFolder = initialDirectory;
    options.defaultExtension = defaultExtension;
    options.createPrompt = createPrompt;
    options.fileMustExist = fileMustExist;
    options.overwritePrompt = overwritePrompt;
    options.pathMustExist = pathMustExist;
    return options;
}

bool CommonDlg::open(QWidget* parent) {
    const std::optional<QString> chosen = toolkit::showFileDialog(parent, dialogOptions());
    if (!chosen) {
        return false;
    }
    fileName = *chosen;
    if (!keepCurrentDirectory) {
        QDir::setCurrent(QFileInfo(fileName).absolutePath());
    }
    return true;
}

}  // namespace pictures
