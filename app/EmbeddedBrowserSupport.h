// Set-up that the embedded browser needs before the application object exists.
#pragma once

namespace app {

void prepareEmbeddedBrowser();

}  // namespace app
