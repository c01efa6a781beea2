#include "card/BuildTemplates.h"

#include "assets/Assets.h"

namespace card {

void fillBuiltInTemplates(TemplateList& list) {
    list.clear();
    // One working record: the built-in templates share their geometry and colour and differ
    // only in their picture. Each is appended as a copy of it.
    CardTemplate working;
    working.avatarLeft = 12;
    working.avatarTop = 32;
    working.avatarWidth = 90;
    working.avatarHeight = 90;
    working.textColor = 0x00FFFFFF;
    working.textLeft = 120;
    working.textTop = 32;
    for (int number = 1; number <= assets::templateCount; ++number) {
        const assets::Bytes picture = assets::templatePicture(number);
        working.image.assign(picture.begin(), picture.end());
        list.push_back(working);
    }
}

void buildTemplates(TemplateList& list, toolkit::ComboBox& chooser,
                    const std::function<void()>& renderCard) {
    fillBuiltInTemplates(list);
    chooser.clear();
    for (int i = 1; i <= static_cast<int>(list.size()); ++i) {
        chooser.addItem(QStringLiteral("名片模版%1").arg(i), i);
    }
    chooser.setCurrentSelection(0);
    if (renderCard) {
        renderCard();
    }
}

}  // namespace card
