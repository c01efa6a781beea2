// namecard-cli render: the card the window would show for the given inputs, composed by the
// window's own code on a copy of its canvas, written as the saved card's BMP bytes or as PNG.
#include <QApplication>
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <cstdio>
#include <optional>

#include "assets/Assets.h"
#include "card/BuildTemplates.h"
#include "card/CardSurfaces.h"
#include "card/RenderCard.h"
#include "cli/Commands.h"
#include "pictures/BmpExport.h"
#include "pictures/WriteFile.h"
#include "toolkit/DrawPanel.h"
#include "toolkit/Fonts.h"
#include "toolkit/Window.h"
#include "ui/MainWindowDesign.h"

namespace cli {

namespace {

const QString canvasName = QStringLiteral("画板1");

enum class OutputFormat { Bmp, Png };

struct RenderRequest {
    int templateNumber = 1;
    card::CardTexts texts;
    QString avatarPath;  // empty: the default avatar, as with the window's empty avatar box
    QString output;
    OutputFormat format = OutputFormat::Bmp;
};

// The edit boxes behind the text options, in row order, and the options that set them.
struct TextOption {
    const char* option;
    const char* editBox;
};
constexpr TextOption textOptions[card::rowCount] = {
    {"--nickname", "编辑框1"}, {"--forum", "编辑框2"},     {"--title", "编辑框3"},
    {"--qq", "编辑框4"},       {"--signature", "编辑框6"},
};

void complain(const QString& message) {
    std::fprintf(stderr, "namecard-cli render: %s\n", message.toLocal8Bit().constData());
}

// The texts the window starts with: its edit boxes' stored contents.
card::CardTexts initialTexts(const toolkit::WindowDesign& design) {
    card::CardTexts texts;
    for (int row = 0; row < card::rowCount; ++row) {
        const QString box = QString::fromUtf8(textOptions[row].editBox);
        for (const toolkit::ControlDesign& control : design.controls) {
            if (control.name == box) {
                texts[row] = control.text;
            }
        }
    }
    return texts;
}

std::optional<OutputFormat> formatOf(const QString& output) {
    if (output.endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive)) {
        return OutputFormat::Bmp;
    }
    if (output.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) {
        return OutputFormat::Png;
    }
    return std::nullopt;
}

std::optional<int> templateNumberOf(const QString& text) {
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok || number < 1 || number > assets::templateCount) {
        return std::nullopt;
    }
    return number;
}

// Fills `request` from the arguments; on bad usage says why on stderr and returns false.
bool parseArguments(int argc, char** argv, const toolkit::WindowDesign& design,
                    RenderRequest& request) {
    request.texts = initialTexts(design);
    bool haveOutput = false;
    for (int i = 1; i < argc; ++i) {
        const QString option = QString::fromLocal8Bit(argv[i]);
        if (i + 1 >= argc) {
            complain(option.startsWith(QLatin1Char('-'))
                         ? QStringLiteral("%1 needs a value").arg(option)
                         : QStringLiteral("unexpected argument %1").arg(option));
            return false;
        }
        const QString value = QString::fromLocal8Bit(argv[++i]);
        bool known = false;
        for (int row = 0; row < card::rowCount; ++row) {
            if (option == QLatin1String(textOptions[row].option)) {
                request.texts[row] = value;
                known = true;
            }
        }
        if (known) {
            continue;
        }
        if (option == QLatin1String("--template")) {
            const auto number = templateNumberOf(value);
            if (!number) {
                complain(QStringLiteral("--template must be a number from 1 to %1, not \"%2\"")
                             .arg(assets::templateCount)
                             .arg(value));
                return false;
            }
            request.templateNumber = *number;
        } else if (option == QLatin1String("--avatar")) {
            request.avatarPath = value;
        } else if (option == QLatin1String("-o")) {
            const auto format = formatOf(value);
            if (!format) {
                complain(QStringLiteral("the output name must end in .bmp or .png: %1").arg(value));
                return false;
            }
            request.output = value;
            request.format = *format;
            haveOutput = true;
        } else {
            complain(QStringLiteral("unknown option %1").arg(option));
            return false;
        }
    }
    if (!haveOutput) {
        complain(QStringLiteral("no output file given (-o OUT.bmp or -o OUT.png)"));
        return false;
    }
    return true;
}

// The window's design reduced to its canvas: the card needs nothing else (no browser pane).
std::optional<toolkit::WindowDesign> canvasOnly(toolkit::WindowDesign design) {
    for (const toolkit::ControlDesign& control : design.controls) {
        if (control.name == canvasName) {
            const toolkit::ControlDesign canvas = control;
            design.controls = {canvas};
            return design;
        }
    }
    return std::nullopt;
}

// Composes the card on surfaces made from the window's canvas exactly as the window makes
// them, and gives back the preview's retained picture.
QImage composeCard(const RenderRequest& request, const toolkit::WindowDesign& design) {
    toolkit::Window window(design);
    window.buildControls();
    auto* host = window.find<toolkit::DrawPanel>(canvasName);
    card::CardSurfaces surfaces = card::createSurfaces(window, *host);
    card::TemplateList templates;
    card::fillBuiltInTemplates(templates);
    card::renderCard(templates, request.templateNumber - 1, request.texts, request.avatarPath,
                     surfaces);
    return surfaces.preview->buffer().copy();
}

QByteArray encode(const QImage& card, OutputFormat format) {
    if (format == OutputFormat::Bmp) {
        return pictures::surfaceToBmp(card);
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!card.save(&buffer, "PNG")) {
        return {};
    }
    return png;
}

}  // namespace

int runRender(int argc, char** argv) {
    const toolkit::WindowDesign design = ui::mainWindowDesign();
    RenderRequest request;
    if (!parseArguments(argc, argv, design, request)) {
        return 2;
    }
    const auto canvasDesign = canvasOnly(design);
    if (!canvasDesign) {
        complain(QStringLiteral("the window has no canvas %1").arg(canvasName));
        return 1;
    }

    // The surfaces are widgets, so they need a widget application even with nothing to show.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int appArgc = 1;
    char* appArgv[] = {argv[0], nullptr};
    QApplication app(appArgc, appArgv);
    toolkit::installUiFonts();

    const QByteArray bytes = encode(composeCard(request, *canvasDesign), request.format);
    if (bytes.isEmpty() || !pictures::writeFileBytes(request.output, {bytes})) {
        complain(QStringLiteral("cannot write %1").arg(request.output));
        return 1;
    }
    return 0;
}

}  // namespace cli
