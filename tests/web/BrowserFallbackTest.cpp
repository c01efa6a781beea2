// When the desktop refuses an address: the browser named by BROWSER, run without a shell.
#include <QFile>
#include <QTemporaryDir>

#include "WebFixture.h"
#include "toolkit/HyperLinker.h"

namespace {

const QString address = QStringLiteral("http://bbs.tarnwick.example/index.php?m=area");

struct CommandCase {
    const char* browser;
    QList<QStringList> commands;
};

TEST(BrowserCommands, ComeFromTheBrowserVariable) {
    const QString a = address;
    const CommandCase cases[] = {
        {"", {}},
        {"   ", {}},
        {"firefox", {{"firefox", a}}},
        {"firefox --new-tab", {{"firefox", "--new-tab", a}}},
        {"firefox --new-tab=%s --x", {{"firefox", "--new-tab=" + a, "--x"}}},
        {"'/opt/my browser/run' \"-p default\"", {{"/opt/my browser/run", "-p default", a}}},
        {"lynx:w3m %s", {{"lynx", a}, {"w3m", a}}},
        {"::lynx::", {{"lynx", a}}},
        {"sh -c 'echo $0' ;", {{"sh", "-c", "echo $0", ";", a}}},
    };
    for (const CommandCase& c : cases) {
        EXPECT_EQ(toolkit::browserCommandsFor(QString::fromUtf8(c.browser), a), c.commands)
            << c.browser;
    }
}

TEST(BrowserCommands, AnAddressStaysOneArgumentWhateverItHolds) {
    const QString hostile = QStringLiteral("http://x/$(touch /tmp/pwned);a&b 'q' \"d\" `id`|c");
    EXPECT_EQ(toolkit::browserCommandsFor(QStringLiteral("run %s"), hostile),
              (QList<QStringList>{{"run", hostile}}));
    EXPECT_EQ(toolkit::browserCommandsFor(QStringLiteral("run"), hostile),
              (QList<QStringList>{{"run", hostile}}));
}

using LinkFallbackTest = WebTest;

TEST_F(LinkFallbackTest, ARefusedLinkRunsTheBrowserCommand) {
    auto* linker = control<toolkit::HyperLinker>(QStringLiteral("超级链接框6"));
    QWidget* widget = linker->widget();
    desktopAccepts = false;
    qputenv("BROWSER", "refused-browser:my-browser --new-window %s");

    programStarts = true;
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    EXPECT_EQ(opened, QStringList{address});
    // The first command of the list is taken as started: the second is not tried.
    EXPECT_EQ(started, (QList<QStringList>{{"refused-browser", address}}));
    EXPECT_TRUE(linker->isVisited());

    started.clear();
    programStarts = false;
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    EXPECT_EQ(started, (QList<QStringList>{{"refused-browser", address},
                                           {"my-browser", "--new-window", address}}));
    EXPECT_FALSE(linker->isVisited());
}

TEST_F(LinkFallbackTest, AnAcceptedLinkTriesNothingElse) {
    qputenv("BROWSER", "my-browser");
    QWidget* widget = control(QStringLiteral("超级链接框5"))->widget();
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    EXPECT_EQ(opened.size(), 1);
    EXPECT_TRUE(started.isEmpty());
}

TEST_F(LinkFallbackTest, NoBrowserVariableLeavesTheLinkUnvisited) {
    desktopAccepts = false;
    auto* linker = control<toolkit::HyperLinker>(QStringLiteral("超级链接框3"));
    QWidget* widget = linker->widget();
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    EXPECT_EQ(opened.size(), 1);
    EXPECT_TRUE(started.isEmpty());
    EXPECT_FALSE(linker->isVisited());
}

// The real start of a program: a script that writes each argument it receives on a line.
TEST_F(LinkFallbackTest, TheBrowserCommandGetsTheAddressAsOneArgumentAndNoShellRuns) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString script = dir.filePath(QStringLiteral("browser.sh"));
    const QString output = dir.filePath(QStringLiteral("argv.txt"));
    const QString trap = dir.filePath(QStringLiteral("pwned"));
    {
        QFile file(script);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(
            "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$0.tmp\"\n"
            "mv \"$0.tmp\" \"" +
            output.toUtf8() + "\"\n");
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    const QString hostile =
        QStringLiteral("http://x/$(touch %1);a&b`touch %1`|touch %1 'q'").arg(trap);
    toolkit::setProgramStarter({});
    desktopAccepts = false;
    qputenv("BROWSER", (script + QStringLiteral(" --url=%s")).toUtf8());

    EXPECT_TRUE(toolkit::openInBrowserWithFallback(hostile));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(output); }, 10000));
    QFile result(output);
    ASSERT_TRUE(result.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(result.readAll()), QStringLiteral("--url=") + hostile + '\n');
    EXPECT_FALSE(QFile::exists(trap));
    EXPECT_EQ(opened, QStringList{hostile});
}

TEST_F(LinkFallbackTest, AMissingBrowserProgramIsAFailure) {
    toolkit::setProgramStarter({});
    desktopAccepts = false;
    qputenv("BROWSER", "/nonexistent/browser-program");
    EXPECT_FALSE(toolkit::openInBrowserWithFallback(address));
}

}  // namespace
