// Filling the template list and the template chooser.
#pragma once

#include <functional>

#include "card/CardTemplate.h"
#include "toolkit/ComboBox.h"

namespace card {

// Empties `list` and fills it with the four built-in templates.
void fillBuiltInTemplates(TemplateList& list);

// Fills `list` with the built-in templates and `chooser` with "名片模版1" ... (item data 1 ...),
// selects the first item without raising itemSelected, then has the card drawn.
void buildTemplates(TemplateList& list, toolkit::ComboBox& chooser,
                    const std::function<void()>& renderCard);

}  // namespace card
