#include "card/RenderCard.h"

#include <algorithm>
#include <cmath>

#include "pictures/Avatar.h"
#include "pictures/decoders/LoadPicture.h"
#include "toolkit/FatalError.h"

namespace card {

namespace {

constexpr int rowPitch = 20;

bool isBlank(QChar c) {
    return c == QChar(0x0020) || c == QChar(0x3000);
}

// (outer - inner) / 2 in double precision, cut toward zero: 43.5 gives 43, -5.5 gives -5.
int centredOffset(int outer, int inner) {
    return static_cast<int>(std::trunc((static_cast<double>(outer) - inner) / 2.0));
}

void drawBackground(const CardTemplate& card, toolkit::DrawPanel& work) {
    const auto background = pictures::loadPicture(card.image);
    if (!background) {
        return;
    }
    work.setWidth(background->width);
    work.setHeight(background->height);
    work.drawPicture(*background, 0, 0);
}

void drawAvatar(const CardTemplate& card, const QString& avatarPath, toolkit::DrawPanel& work) {
    const auto avatar = pictures::loadAvatar(avatarPath);
    if (avatar) {
        work.drawPictureStretched(*avatar, card.avatarLeft, card.avatarTop, card.avatarWidth,
                                  card.avatarHeight);
    }
}

void drawTexts(const CardTemplate& card, const CardTexts& texts, toolkit::DrawPanel& work) {
    work.setTextColor(card.textColor);
    int offset = 0;
    for (int row = 0; row < rowCount; ++row) {
        if (isBlankRow(texts[row])) {
            continue;
        }
        // Written untrimmed: blanks at either end of the input stay in the line.
        work.writeText(card.textLeft, card.textTop + offset, rowCaptions()[row] + texts[row]);
        offset += rowPitch;
    }
}

void showInPreview(CardSurfaces& surfaces) {
    toolkit::DrawPanel& work = *surfaces.work;
    toolkit::DrawPanel& preview = *surfaces.preview;
    // The preview moves only when the card's size changes: a resized host leaves it in place.
    if (preview.width() != work.width() || preview.height() != work.height()) {
        preview.setWidth(work.width());
        preview.setHeight(work.height());
        preview.setLeft(centredOffset(surfaces.host->clientWidth(), preview.width()));
        preview.setTop(centredOffset(surfaces.host->clientHeight(), preview.height()));
    }
    if (!preview.isVisible()) {
        preview.setVisible(true);
    }
    preview.copyFrom(work);
    work.clear();
}

}  // namespace

const std::array<QString, rowCount>& rowCaptions() {
    static const std::array<QString, rowCount> captions = {
        QStringLiteral("论坛昵称："), QStringLiteral("论坛名称："), QStringLiteral("论坛职位："),
        QStringLiteral("联系ＱＱ："), QStringLiteral("个性签名："),
    };
    return captions;
}

bool isBlankRow(const QString& text) {
    return std::all_of(text.begin(), text.end(), isBlank);
}

void renderCard(const TemplateList& list, int selection, const CardTexts& texts,
                const QString& avatarPath, CardSurfaces& surfaces) {
    if (selection < 0 || selection >= static_cast<int>(list.size())) {
        toolkit::raiseFatalError(9, QStringLiteral("下标超出范围"));
    }
    // A working copy: nothing the drawing does can reach the list's own record.
    const CardTemplate card = list[static_cast<size_t>(selection)];
    drawBackground(card, *surfaces.work);
    drawAvatar(card, avatarPath, *surfaces.work);
    drawTexts(card, texts, *surfaces.work);
    showInPreview(surfaces);
}

}  // namespace card
