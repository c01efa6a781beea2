// The three hyperlinks: what a press opens, and the colours of hover and visit.
#include <QCursor>
#include <QImage>
#include <QMouseEvent>
#include <array>
#include <cmath>
#include <functional>

#include "WebFixture.h"
#include "toolkit/HyperLinker.h"
#include "ui/WebAddresses.h"

namespace {

struct LinkCase {
    const char* name;
    const char* address;
    toolkit::ColorRef color;
    toolkit::ColorRef visitedColor;
    toolkit::ColorRef hoverColor;
};

const LinkCase links[] = {
    {"超级链接框3", "http://bbs.tarnwick.example", 0x00FF0000, 0x00FF0000, 0x00C56A31},
    {"超级链接框5", "http://bbs.tarnwick.example/hack.php?H_name=qiandao", 0x00808000, 0x00808000,
     0x000000FF},
    {"超级链接框6", "http://bbs.tarnwick.example/index.php?m=area", 0x00000080, 0x00000080,
     0x000000FF},
};

QRgb rgbOf(toolkit::ColorRef color) {
    return qRgb(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

// Whether the caption is drawn in `color`: antialiased strokes are blends of the caption's
// colour into the background, so the pixel that stands farthest from the background lies in
// the direction of the caption's colour.
bool captionDrawnIn(QWidget* widget, toolkit::ColorRef color) {
    const QImage image = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int inset = 3;  // just inside the border: background only
    const QRgb background = image.pixel(inset, inset);
    const auto delta = [&](QRgb p) {
        return std::array<double, 3>{double(qRed(p) - qRed(background)),
                                     double(qGreen(p) - qGreen(background)),
                                     double(qBlue(p) - qBlue(background))};
    };
    const auto dot = [](const std::array<double, 3>& a, const std::array<double, 3>& b) {
        return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
    };
    std::array<double, 3> strongest{0, 0, 0};
    for (int y = inset; y < image.height() - inset; ++y) {
        for (int x = inset; x < image.width() - inset; ++x) {
            const auto d = delta(image.pixel(x, y));
            if (dot(d, d) > dot(strongest, strongest)) {
                strongest = d;
            }
        }
    }
    const auto wanted = delta(rgbOf(color));
    const double norms = std::sqrt(dot(strongest, strongest) * dot(wanted, wanted));
    return norms > 0 && dot(strongest, wanted) / norms > 0.995;
}

QPoint middleOf(QWidget* widget) {
    return widget->rect().center();
}

// Moves the real pointer, so that what the window system reports and what the test expects
// agree, and waits until the link has seen it.
bool pointTo(QWidget* widget, QPoint position, const std::function<bool()>& seen) {
    QCursor::setPos(widget->mapToGlobal(position));
    return QTest::qWaitFor(seen, 5000);
}

class HyperLinkTest : public WebTest {
  protected:
    void SetUp() override {
        WebTest::SetUp();
        parkPointer();
    }

    // Away from every link: over the top left of the canvas.
    void parkPointer() {
        QWidget* canvas = control(QStringLiteral("画板1"))->widget();
        QCursor::setPos(canvas->mapToGlobal(QPoint(5, 5)));
        QTest::qWait(20);
    }

    toolkit::HyperLinker* link(const LinkCase& c) {
        return control<toolkit::HyperLinker>(QString::fromUtf8(c.name));
    }
};

TEST(WebAddresses, HomePageIsTheHostWithoutPathOrClosingSlash) {
    EXPECT_EQ(ui::forumHost, QStringLiteral("bbs.tarnwick.example"));
    EXPECT_EQ(ui::homePageUrl, QStringLiteral("http://bbs.tarnwick.example"));
}

TEST_F(HyperLinkTest, EachPressOpensTheLinksAddressOnceMore) {
    for (const LinkCase& c : links) {
        SCOPED_TRACE(c.name);
        toolkit::HyperLinker* linker = link(c);
        ASSERT_NE(linker, nullptr);
        EXPECT_EQ(linker->address(), QString::fromUtf8(c.address));
        opened.clear();
        QTest::mouseClick(linker->widget(), Qt::LeftButton, {}, middleOf(linker->widget()));
        EXPECT_EQ(opened, QStringList{QString::fromUtf8(c.address)});
        QTest::mouseClick(linker->widget(), Qt::LeftButton, {}, middleOf(linker->widget()));
        EXPECT_EQ(opened, QStringList(2, QString::fromUtf8(c.address)));
        EXPECT_TRUE(started.isEmpty());
    }
}

TEST_F(HyperLinkTest, ThePressOpensNotTheRelease) {
    QWidget* elsewhere = control(QStringLiteral("画板1"))->widget();
    for (const LinkCase& c : links) {
        SCOPED_TRACE(c.name);
        QWidget* widget = link(c)->widget();
        opened.clear();
        QTest::mousePress(widget, Qt::LeftButton, {}, middleOf(widget));
        EXPECT_EQ(opened, QStringList{QString::fromUtf8(c.address)});
        // The button comes up outside the link: nothing more happens, nothing is taken back.
        QTest::mouseRelease(elsewhere, Qt::LeftButton, {}, middleOf(elsewhere));
        EXPECT_EQ(opened.size(), 1);

        opened.clear();
        QTest::mouseRelease(widget, Qt::LeftButton, {}, middleOf(widget));
        EXPECT_TRUE(opened.isEmpty())
            << "a release alone opened " << opened.join(' ').toStdString();

        QTest::mouseClick(widget, Qt::RightButton, {}, middleOf(widget));
        QTest::mouseClick(widget, Qt::MiddleButton, {}, middleOf(widget));
        EXPECT_TRUE(opened.isEmpty());
    }
}

TEST_F(HyperLinkTest, VisitedFollowsTheLastAttemptAndLooksAsBefore) {
    for (const LinkCase& c : links) {
        SCOPED_TRACE(c.name);
        toolkit::HyperLinker* linker = link(c);
        QWidget* widget = linker->widget();
        EXPECT_FALSE(linker->isVisited());
        EXPECT_FALSE(linker->isHovered());
        EXPECT_EQ(linker->currentColor(), c.color);
        EXPECT_TRUE(captionDrawnIn(widget, c.color));

        desktopAccepts = true;
        QTest::mousePress(widget, Qt::LeftButton, {}, middleOf(widget));
        QTest::mouseRelease(widget, Qt::LeftButton, {}, middleOf(widget));
        EXPECT_TRUE(linker->isVisited());
        ASSERT_FALSE(linker->isHovered());
        EXPECT_EQ(linker->currentColor(), c.visitedColor);
        EXPECT_TRUE(captionDrawnIn(widget, c.visitedColor));

        // Refused by the desktop and no BROWSER to fall back on: no longer visited.
        desktopAccepts = false;
        QTest::mousePress(widget, Qt::LeftButton, {}, middleOf(widget));
        QTest::mouseRelease(widget, Qt::LeftButton, {}, middleOf(widget));
        EXPECT_FALSE(linker->isVisited());
        EXPECT_EQ(linker->currentColor(), c.color);
    }
}

TEST_F(HyperLinkTest, HoverTakesTheMouseAndItsColourUntilThePointerLeaves) {
    QWidget* elsewhere = window().widget();
    for (const LinkCase& c : links) {
        SCOPED_TRACE(c.name);
        toolkit::HyperLinker* linker = link(c);
        QWidget* widget = linker->widget();
        const auto hovered = [linker] { return linker->isHovered(); };
        const auto notHovered = [linker] { return !linker->isHovered(); };
        EXPECT_EQ(widget->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_FALSE(linker->isHovered());

        ASSERT_TRUE(pointTo(widget, middleOf(widget), hovered));
        EXPECT_EQ(QWidget::mouseGrabber(), widget);
        EXPECT_EQ(linker->currentColor(), c.hoverColor);
        EXPECT_TRUE(captionDrawnIn(widget, c.hoverColor));
        EXPECT_FALSE(captionDrawnIn(widget, c.color));

        // Moving about inside keeps it hovered.
        pointTo(widget, middleOf(widget) + QPoint(3, 1), [] { return true; });
        QTest::qWait(20);
        EXPECT_TRUE(linker->isHovered());

        // The border is outside the client area: the pointer has left.
        ASSERT_TRUE(pointTo(widget, QPoint(1, 1), notHovered));
        EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
        EXPECT_EQ(linker->currentColor(), c.color);
        EXPECT_TRUE(captionDrawnIn(widget, c.color));
        EXPECT_FALSE(captionDrawnIn(widget, c.hoverColor));

        // Back in, then far away over the window.
        ASSERT_TRUE(pointTo(widget, middleOf(widget), hovered));
        ASSERT_TRUE(pointTo(elsewhere, QPoint(5, 420), notHovered));
        EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    }
    EXPECT_TRUE(opened.isEmpty());
}

}  // namespace
