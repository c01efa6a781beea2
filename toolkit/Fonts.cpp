#include "toolkit/Fonts.h"

#include <QGuiApplication>

namespace toolkit {

namespace {

// A caption column lines up with the edit boxes when a text line is 12 pixels high.
constexpr int defaultPixelSize = 12;

}  // namespace

QFont defaultUiFont() {
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(defaultPixelSize);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

void installUiFonts() {
    const QStringList serif = {QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL UMing TW"),
                               QStringLiteral("Noto Serif CJK SC"),
                               QStringLiteral("WenQuanYi Micro Hei")};
    QFont::insertSubstitutions(QStringLiteral("宋体"), serif);
    QFont::insertSubstitutions(QStringLiteral("SimSun"), serif);
    QGuiApplication::setFont(defaultUiFont());
}

QFont fontFromDesign(const FontDesign& design) {
    QFont font = defaultUiFont();
    if (!design.face.isEmpty()) {
        font.setFamily(design.face);
    }
    font.setPixelSize(design.pixelHeight > 0 ? design.pixelHeight : 12);
    font.setWeight(static_cast<QFont::Weight>(design.weight));
    font.setItalic(design.italic);
    font.setUnderline(design.underline);
    font.setStrikeOut(design.strikeOut);
    font.setStyleStrategy(QFont::PreferQuality);
    return font;
}

}  // namespace toolkit
