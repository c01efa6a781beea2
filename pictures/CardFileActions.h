// The two buttons' work: choosing the avatar file and saving the card.
#pragma once

#include "pictures/CommonDlg.h"
#include "toolkit/DrawPanel.h"
#include "toolkit/EditBox.h"

namespace pictures {

// Shows the open dialog for pictures; a confirmed choice becomes the whole content of
// `avatarBox` (which redraws the card through its contentChanged event).
void chooseAvatar(CommonDlg& dialog, toolkit::EditBox& avatarBox, QWidget* parent);

// Shows the save dialog and writes the card that `preview` holds as a 24-bit BMP file.
// Neither success nor failure is reported.
void saveCard(CommonDlg& dialog, const toolkit::DrawPanel& preview, QWidget* parent);

}  // namespace pictures
