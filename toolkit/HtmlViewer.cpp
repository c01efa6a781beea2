#include "toolkit/HtmlViewer.h"

#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>
#include <algorithm>
#include <array>

namespace toolkit {

namespace {

// Refuses every request that would leave the machine while it is closed; the browser then
// shows its own error page, as a browser working offline does for a page it cannot serve.
class NetworkGate : public QWebEngineUrlRequestInterceptor {
  public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void setClosed(bool closed) { closed_ = closed; }
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        static const std::array<QString, 6> networkSchemes = {
            QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("ftp"),
            QStringLiteral("ws"),   QStringLiteral("wss"),   QStringLiteral("gopher")};
        const QString scheme = info.requestUrl().scheme();
        if (closed_ && std::find(networkSchemes.begin(), networkSchemes.end(), scheme) !=
                           networkSchemes.end()) {
            info.block(true);
        }
    }
    bool isClosed() const { return closed_; }

  private:
    bool closed_ = false;
};

// The text size steps as sixths of the browser's normal font sizes: 2/3, 5/6, 1, 7/6, 4/3,
// the proportions of the classic five-step text size menu. Only text whose size the page
// leaves to the browser follows them.
constexpr std::array<int, 5> textSizeSixths = {4, 5, 6, 7, 8};

}  // namespace

// The page of the pane: the browser's own dialogs are its default behaviour; silent mode
// swallows them (an alert is dropped, a confirm or prompt is answered with cancel).
class BrowserPage : public QWebEnginePage {
  public:
    BrowserPage(QWebEngineProfile* profile, QObject* parent) : QWebEnginePage(profile, parent) {}

    bool silent = false;
    NetworkGate* gate = nullptr;

  protected:
    void javaScriptAlert(const QUrl& origin, const QString& message) override {
        if (!silent) {
            QWebEnginePage::javaScriptAlert(origin, message);
        }
    }
    bool javaScriptConfirm(const QUrl& origin, const QString& message) override {
        return !silent && QWebEnginePage::javaScriptConfirm(origin, message);
    }
    bool javaScriptPrompt(const QUrl& origin, const QString& message, const QString& defaultValue,
                          QString* result) override {
        return !silent && QWebEnginePage::javaScriptPrompt(origin, message, defaultValue, result);
    }
};

namespace {

QWebEngineView* makeView(const ControlDesign& design, BrowserPage*& page) {
    auto* view = new QWebEngineView;
    view->setFocusPolicy(design.tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    // A profile without a storage name is off the record: no cache, cookies or history are
    // written to the user's home. It belongs to the page, so it goes after the page is gone
    // (a profile must outlive its pages).
    auto* profile = new QWebEngineProfile;
    page = new BrowserPage(profile, view);
    profile->setParent(page);
    view->setPage(page);
    return view;
}

}  // namespace

HtmlViewer::HtmlViewer(Window* window, const ControlDesign& design)
    : Control(window, design, nullptr) {
    adoptWidget(makeView(design, page_));
    loadWatch_ << QObject::connect(page_, &QWebEnginePage::loadStarted, [this] { ++loadsStarted_; })
               << QObject::connect(page_, &QWebEnginePage::loadFinished, [this](bool ok) {
                      ++loadsFinished_;
                      lastLoadSucceeded_ = ok;
                  });
    // The order is the component's: modes first, then the text size, then the one navigation.
    setOffline(design.offline);
    setSilent(design.silent);
    setTextSize(design.fontSize);
    if (!design.url.isEmpty()) {
        navigate(design.url);
    }
}

HtmlViewer::~HtmlViewer() {
    // The page outlives this object by a moment (the view goes with the control).
    for (const auto& connection : loadWatch_) {
        QObject::disconnect(connection);
    }
}

bool HtmlViewer::holds(const QWidget* candidate) const {
    // The view hands its focus to a render widget of its own; that widget lies inside the
    // view, so walking up from the focus widget finds the pane.
    for (const QWidget* w = candidate; w; w = w->parentWidget()) {
        if (w == widget()) {
            return true;
        }
    }
    const QWidget* proxy = widget() ? widget()->focusProxy() : nullptr;
    return proxy && candidate == proxy;
}

QWebEngineView* HtmlViewer::view() const {
    return static_cast<QWebEngineView*>(widget());
}

bool HtmlViewer::isOffline() const {
    return page_->gate && page_->gate->isClosed();
}

bool HtmlViewer::isSilent() const {
    return page_->silent;
}

void HtmlViewer::setOffline(bool offline) {
    if (!page_->gate) {
        if (!offline) {
            return;  // online is the browser's own behaviour: no gate is needed
        }
        page_->gate = new NetworkGate(page_);
        page_->setUrlRequestInterceptor(page_->gate);
    }
    page_->gate->setClosed(offline);
}

void HtmlViewer::setSilent(bool silent) {
    page_->silent = silent;
}

void HtmlViewer::setTextSize(int step) {
    textSizeStep_ = std::clamp(step, smallestTextSize, largestTextSize);
    const int sixths = textSizeSixths[static_cast<std::size_t>(textSizeStep_)];
    QWebEngineSettings* settings = page_->settings();
    for (const auto kind :
         {QWebEngineSettings::DefaultFontSize, QWebEngineSettings::DefaultFixedFontSize}) {
        settings->resetFontSize(kind);
        settings->setFontSize(kind, (settings->fontSize(kind) * sixths + 3) / 6);
    }
}

void HtmlViewer::navigate(const QString& address) {
    navigations_ << address;
    // A plain GET: no flags, no target frame, no form data, no extra headers.
    page_->load(QUrl(address));
}

}  // namespace toolkit
