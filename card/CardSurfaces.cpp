#include "card/CardSurfaces.h"

namespace card {

CardSurfaces createSurfaces(toolkit::Window& window, toolkit::DrawPanel& host) {
    CardSurfaces surfaces;
    surfaces.host = &host;
    surfaces.preview = dynamic_cast<toolkit::DrawPanel*>(
        window.cloneControl(&host, QStringLiteral("previewSurface")));
    surfaces.work = dynamic_cast<toolkit::DrawPanel*>(
        window.cloneControl(&host, QStringLiteral("workSurface")));
    surfaces.preview->setBackgroundPicture(nullptr);
    surfaces.work->setBackgroundPicture(nullptr);
    surfaces.preview->setBorder(toolkit::BorderStyle::None);
    surfaces.work->setBorder(toolkit::BorderStyle::None);
    surfaces.preview->setVisible(false);
    surfaces.work->setVisible(false);
    surfaces.preview->setParentControl(&host);
    return surfaces;
}

}  // namespace card
