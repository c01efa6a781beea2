#include "pictures/CardFileActions.h"

#include "pictures/BmpExport.h"
#include "pictures/WriteFile.h"

namespace pictures {

void chooseAvatar(CommonDlg& dialog, toolkit::EditBox& avatarBox, QWidget* parent) {
    dialog.filter = QStringLiteral("图片文件(*.bmp;*.jpg;*.gif)|*.bmp;*.jpg;*.gif");
    dialog.dialogType = 0;
    if (!dialog.open(parent)) {
        return;
    }
    avatarBox.setContent(dialog.fileName);
}

void saveCard(CommonDlg& dialog, const toolkit::DrawPanel& preview, QWidget* parent) {
    dialog.filter = QStringLiteral("图片文件(*.bmp)|*.bmp");
    dialog.dialogType = 1;
    dialog.defaultExtension = QStringLiteral("bmp");
    if (!dialog.open(parent)) {
        return;
    }
    // Taken after the dialog has closed; no redraw can run in between.
    const QByteArray bmp = surfaceToBmp(preview.buffer());
    writeFileBytes(dialog.fileName, {bmp});
}

}  // namespace pictures
