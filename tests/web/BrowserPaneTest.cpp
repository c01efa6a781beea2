// The browser pane: its stored settings, its one navigation, and how keys pass through it.
#include <QMessageBox>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "WebFixture.h"
#include "toolkit/EditBox.h"
#include "toolkit/HtmlViewer.h"

namespace {

constexpr int loadTimeout = 20000;

class BrowserPaneTest : public WebTest {
  protected:
    void SetUp() override {
        WebTest::SetUp();
        pane = control<toolkit::HtmlViewer>(QStringLiteral("超文本浏览框1"));
        ASSERT_NE(pane, nullptr);
        ASSERT_NE(pane->view(), nullptr);
    }

    bool waitForLoads(int finished) {
        return QTest::qWaitFor([&] { return pane->loadsFinished() >= finished; }, loadTimeout);
    }

    // Replaces the page by `html` once the first load is over.
    void showHtml(const QString& html) {
        ASSERT_TRUE(waitForLoads(1));
        const int before = pane->loadsFinished();
        pane->view()->setHtml(html);
        ASSERT_TRUE(waitForLoads(before + 1));
        ASSERT_TRUE(pane->lastLoadSucceeded());
    }

    QString title() const { return pane->view()->page()->title(); }
    bool waitForTitle(const QString& wanted) {
        return QTest::qWaitFor([&] { return title() == wanted; }, loadTimeout);
    }

    bool waitForFocusedField(char field) {
        const bool seen =
            QTest::qWaitFor([&] { return title().endsWith(QLatin1Char(field)); }, loadTimeout);
        if (!seen) {
            ADD_FAILURE() << "title " << title().toStdString() << ", wanted the field " << field;
        }
        return seen;
    }

    QWidget* focusWidget() const { return QApplication::focusWidget(); }
    bool waitForFocusOn(QWidget* widget) {
        return QTest::qWaitFor([&] { return focusWidget() == widget; }, loadTimeout);
    }
    bool waitForFocusInPane() {
        return QTest::qWaitFor([&] { return pane->holds(focusWidget()); }, loadTimeout);
    }
    QWidget* editBox(const char* name) {
        return control<toolkit::EditBox>(QString::fromUtf8(name))->lineEdit();
    }

    toolkit::HtmlViewer* pane = nullptr;
};

TEST_F(BrowserPaneTest, StartsWithItsStoredSettingsAndOneNavigationToTheHomePage) {
    QWebEngineView* view = pane->view();
    EXPECT_EQ(view->geometry(), QRect(8, 192, 392, 224));
    EXPECT_FALSE(pane->isOffline());
    EXPECT_FALSE(pane->isSilent());
    EXPECT_EQ(pane->textSizeStep(), 2);
    EXPECT_EQ(pane->navigations(), QStringList{QStringLiteral("http://bbs.tarnwick.example")});
    // Nothing of the pane's browsing is kept on disk.
    EXPECT_TRUE(view->page()->profile()->isOffTheRecord());

    // No network here: the load fails and the browser shows its own error page for the
    // address asked for.
    ASSERT_TRUE(waitForLoads(1));
    EXPECT_FALSE(pane->lastLoadSucceeded());
    EXPECT_EQ(pane->loadsStarted(), 1);
    EXPECT_EQ(view->page()->requestedUrl().host(), QStringLiteral("bbs.tarnwick.example"));
    EXPECT_EQ(view->page()->requestedUrl().scheme(), QStringLiteral("http"));
    EXPECT_EQ(pane->navigations().size(), 1);
    // The links and the closing do not go through the pane.
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(BrowserPaneTest, TheWindowWorksWhileThePageLoads) {
    // Typing is handled while the page is still on its way: loading never holds the window.
    auto* nickname = control<toolkit::EditBox>(QStringLiteral("编辑框1"));
    bool typedBeforeTheLoadEnded = false;
    QTimer::singleShot(0, [&] {
        QTest::keyClicks(nickname->lineEdit(), QStringLiteral("!"));
        typedBeforeTheLoadEnded = pane->loadsFinished() == 0;
    });
    ASSERT_TRUE(waitForLoads(1));
    // The caret stands at the start of a new box.
    EXPECT_EQ(nickname->content(), QStringLiteral("!zelk0731"));
    if (!typedBeforeTheLoadEnded) {
        GTEST_SKIP() << "the load ended before the first turn of the event loop";
    }
}

TEST_F(BrowserPaneTest, TextSizeStepsGrowAndAreHeldWithinTheScale) {
    QWebEngineProfile reference;
    const int normal = reference.settings()->fontSize(QWebEngineSettings::DefaultFontSize);
    QWebEngineSettings* settings = pane->view()->page()->settings();
    EXPECT_EQ(settings->fontSize(QWebEngineSettings::DefaultFontSize), normal);

    struct StepCase {
        int asked;
        int held;
    };
    const StepCase cases[] = {{-7, 0}, {0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 4}, {99, 4}};
    std::map<int, int> sizes;
    for (const StepCase& c : cases) {
        pane->setTextSize(c.asked);
        EXPECT_EQ(pane->textSizeStep(), c.held) << c.asked;
        const int size = settings->fontSize(QWebEngineSettings::DefaultFontSize);
        if (sizes.count(c.held)) {
            EXPECT_EQ(sizes[c.held], size) << c.asked;
        }
        sizes[c.held] = size;
    }
    for (int step = 1; step <= 4; ++step) {
        EXPECT_LT(sizes[step - 1], sizes[step]) << step;
    }
    EXPECT_EQ(sizes[2], normal);
}

TEST_F(BrowserPaneTest, TheTextSizeReachesThePage) {
    showHtml(QStringLiteral("<p id=p>text</p>"));
    const auto fontSizeInPage = [&] {
        QString answer;
        pane->view()->page()->runJavaScript(
            QStringLiteral("getComputedStyle(document.getElementById('p')).fontSize"),
            [&](const QVariant& value) { answer = value.toString(); });
        EXPECT_TRUE(QTest::qWaitFor([&] { return !answer.isEmpty(); }, loadTimeout));
        return answer.chopped(2).toDouble();  // "16px"
    };
    // The page takes new settings on a later turn of the event loop.
    const auto fontSizeInPageAfter = [&](int step, double before) {
        pane->setTextSize(step);
        double now = before;
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return (now = fontSizeInPage()) != before; }, loadTimeout));
        return now;
    };
    const double normal = fontSizeInPage();
    const double largest = fontSizeInPageAfter(4, normal);
    const double smallest = fontSizeInPageAfter(0, largest);
    EXPECT_GT(normal, 0);
    EXPECT_GT(largest, normal);
    EXPECT_LT(smallest, normal);
}

TEST_F(BrowserPaneTest, EscInThePageDoesNotCloseTheWindow) {
    showHtml(
        QStringLiteral("<input id=i autofocus><script>"
                       "document.onkeydown = e => { document.title += e.key }</script>"));
    int boxes = 0;
    QTimer dismisser;
    QObject::connect(&dismisser, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            ++boxes;
            modal->close();
        }
    });
    dismisser.start(10);

    pane->view()->setFocus(Qt::MouseFocusReason);
    ASSERT_TRUE(waitForFocusInPane());
    QTest::keyClick(focusWidget(), Qt::Key_Escape);
    ASSERT_TRUE(waitForTitle(QStringLiteral("Escape")));
    // Keys are handled in order: once the next one has reached the page, the window has had
    // its chance at the Esc the page left.
    QTest::keyClick(focusWidget(), Qt::Key_A);
    ASSERT_TRUE(waitForTitle(QStringLiteral("Escapea")));
    QTest::qWait(50);

    EXPECT_TRUE(mainWindow->exists());
    EXPECT_EQ(boxes, 0);
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(BrowserPaneTest, TabGoesThroughThePageBeforeMovingAlongTheCycle) {
    // Each field of the page adds its name to the title when it takes the focus (again when
    // the window regains the focus, so only the last letter counts).
    showHtml(
        QStringLiteral("<input id=a onfocus=\"document.title+='a'\">"
                       "<input id=b onfocus=\"document.title+='b'\">"));
    QWidget* first = editBox("编辑框1");
    QWidget* sixth = editBox("编辑框6");
    first->setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(waitForFocusOn(first));

    QTest::keyClick(first, Qt::Key_Tab);
    ASSERT_TRUE(waitForFocusInPane());
    ASSERT_TRUE(waitForFocusedField('a'));  // in at the page's first stop
    QTest::keyClick(focusWidget(), Qt::Key_Tab);
    ASSERT_TRUE(waitForFocusedField('b'));
    EXPECT_TRUE(pane->holds(focusWidget()));
    // The page has no more stops: the focus moves on along the window's cycle.
    QTest::keyClick(focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(waitForFocusOn(sixth));

    // Backwards: in at the page's last stop, through it, then out to the first box. The page
    // is left at its first field, so only the way in can bring the last one.
    pane->view()->page()->runJavaScript(
        QStringLiteral("document.getElementById('a').focus(); document.title = 'x';"));
    ASSERT_TRUE(waitForFocusedField('x'));
    QTest::keyClick(sixth, Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_TRUE(waitForFocusInPane());
    ASSERT_TRUE(waitForFocusedField('b'));
    QTest::keyClick(focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_TRUE(waitForFocusedField('a'));
    QTest::keyClick(focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(waitForFocusOn(first));
    EXPECT_TRUE(mainWindow->exists());
}

// A one-page web server on this machine, to tell online from offline without a network.
class LocalServer {
  public:
    LocalServer() {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    if (!socket->readAll().contains("\r\n\r\n")) {
                        return;
                    }
                    ++served_;
                    const QByteArray body = "<html><title>served</title><body>hello</body></html>";
                    socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                                  QByteArray::number(body.size()) +
                                  "\r\nConnection: close\r\n\r\n" + body);
                    socket->disconnectFromHost();
                });
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }
    QString url() const {
        return QStringLiteral("http://127.0.0.1:%1/page.html").arg(server_.serverPort());
    }
    int served() const { return served_; }

  private:
    QTcpServer server_;
    int served_ = 0;
};

TEST_F(BrowserPaneTest, OfflineKeepsThePageOffTheNetworkAndOnlineReachesIt) {
    LocalServer server;
    ASSERT_TRUE(waitForLoads(1));

    pane->setOffline(true);
    EXPECT_TRUE(pane->isOffline());
    pane->navigate(server.url());
    ASSERT_TRUE(waitForLoads(2));
    EXPECT_FALSE(pane->lastLoadSucceeded());
    EXPECT_EQ(server.served(), 0);

    pane->setOffline(false);
    EXPECT_FALSE(pane->isOffline());
    pane->navigate(server.url());
    ASSERT_TRUE(waitForLoads(3));
    EXPECT_TRUE(pane->lastLoadSucceeded());
    EXPECT_GE(server.served(), 1);
    EXPECT_EQ(pane->navigations().size(), 3);
}

TEST_F(BrowserPaneTest, ThePagesOwnDialogsShowUnlessSilent) {
    ASSERT_TRUE(waitForLoads(1));
    int dialogs = 0;
    QTimer dismisser;
    QObject::connect(&dismisser, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            ++dialogs;
            modal->close();
        }
    });
    dismisser.start(10);
    // An alert, then a confirm whose answer (cancel, when the box is closed) names the page.
    const auto page = [](const char* mark) {
        return QStringLiteral(
                   "<script>alert('hello'); document.title = "
                   "(confirm('sure?') ? 'yes' : 'no') + '%1';</script>")
            .arg(QLatin1String(mark));
    };

    pane->view()->setHtml(page("1"));
    ASSERT_TRUE(waitForTitle(QStringLiteral("no1")));
    EXPECT_EQ(dialogs, 2);

    dialogs = 0;
    pane->setSilent(true);
    pane->view()->setHtml(page("2"));
    ASSERT_TRUE(waitForTitle(QStringLiteral("no2")));
    EXPECT_EQ(dialogs, 0);
}

}  // namespace
