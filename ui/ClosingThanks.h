// What the main window does while it is destroyed: thank the user, then open the home page.
#pragma once

namespace ui {

// Shows the thank-you box, modal for the whole program, and once it has been dismissed by any
// means hands the home page to the default browser (no fallback; the answer is not used).
void thankAndOpenHomePage();

}  // namespace ui
