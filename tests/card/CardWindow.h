// A loaded main window for card tests, with its template list and handy access to the
// controls that feed the card.
#pragma once

#include <QImage>
#include <QString>

#include "card/CardTemplate.h"
#include "card/RenderCard.h"
#include "toolkit/ComboBox.h"
#include "toolkit/EditBox.h"
#include "ui/MainWindow.h"

namespace cardtest {

// The texts the window starts with, in row order (编辑框1, 2, 3, 4, 6).
const card::CardTexts& initialTexts();

class CardWindow {
  public:
    CardWindow();

    ui::MainWindow& main() { return window_; }
    card::TemplateList& templates() { return templates_; }
    toolkit::EditBox& editBox(const char* name);
    toolkit::ComboBox& chooser();

    // The preview's retained picture: the card as shown and as saved.
    const QImage& card();

    // Each write raises contentChanged, which redraws the card.
    void setTexts(const card::CardTexts& texts);
    void setAvatar(const QString& path);
    // Selects the template as the chooser's current item and redraws, as a choice does.
    void selectTemplate(int number);
    // Back to the texts, avatar and template the window starts with.
    void reset();

  private:
    card::TemplateList templates_;
    ui::MainWindow window_;
};

// The card composed on fresh surfaces made from the window's canvas design, apart from any
// window: what the window should show for these inputs.
QImage composeCard(int templateNumber, const card::CardTexts& texts, const QString& avatarPath);

}  // namespace cardtest
