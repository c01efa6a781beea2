#include "tests/card/CardWindow.h"

#include "card/BuildTemplates.h"
#include "toolkit/DrawPanel.h"
#include "toolkit/Window.h"
#include "ui/MainWindowDesign.h"

namespace cardtest {

namespace {

const char* const rowBoxes[card::rowCount] = {"编辑框1", "编辑框2", "编辑框3", "编辑框4",
                                              "编辑框6"};

}  // namespace

const card::CardTexts& initialTexts() {
    static const card::CardTexts texts = {
        QStringLiteral("zelk0731"),           QStringLiteral("Tarnwick"),
        QStringLiteral("普通会员"),           QStringLiteral("416832057"),
        QStringLiteral("等待的人，你在哪？"),
    };
    return texts;
}

CardWindow::CardWindow() : window_(templates_) {
    window_.load();
}

toolkit::EditBox& CardWindow::editBox(const char* name) {
    return *window_.window().find<toolkit::EditBox>(QString::fromUtf8(name));
}

toolkit::ComboBox& CardWindow::chooser() {
    return *window_.window().find<toolkit::ComboBox>(QStringLiteral("组合框1"));
}

const QImage& CardWindow::card() {
    return window_.surfaces().preview->buffer();
}

void CardWindow::setTexts(const card::CardTexts& texts) {
    for (int row = 0; row < card::rowCount; ++row) {
        editBox(rowBoxes[row]).setContent(texts[row]);
    }
}

void CardWindow::setAvatar(const QString& path) {
    editBox("编辑框5").setContent(path);
}

void CardWindow::selectTemplate(int number) {
    chooser().setCurrentSelection(number - 1);
    window_.renderCard();
}

void CardWindow::reset() {
    chooser().setCurrentSelection(0);
    setTexts(initialTexts());
    setAvatar(QString());
}

QImage composeCard(int templateNumber, const card::CardTexts& texts, const QString& avatarPath) {
    toolkit::WindowDesign design = ui::mainWindowDesign();
    for (const toolkit::ControlDesign& control : design.controls) {
        if (control.name == QStringLiteral("画板1")) {
            const toolkit::ControlDesign canvas = control;
            design.controls = {canvas};
            break;
        }
    }
    toolkit::Window window(design);
    window.buildControls();
    card::CardSurfaces surfaces =
        card::createSurfaces(window, *window.find<toolkit::DrawPanel>(QStringLiteral("画板1")));
    card::TemplateList templates;
    card::fillBuiltInTemplates(templates);
    card::renderCard(templates, templateNumber - 1, texts, avatarPath, surfaces);
    return surfaces.preview->buffer().copy();
}

}  // namespace cardtest
