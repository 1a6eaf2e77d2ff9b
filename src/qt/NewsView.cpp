#include "qt/NewsView.h"

#include "qt/DisplayText.h"
#include "qt/Guarded.h"

#include "toolkit/Controls.h"

#include <QDesktopServices>
#include <QFileInfo>

#include <array>
#include <utility>

// The pages live in a static library: register them before the first use.
static void registerBundledPages() {
    Q_INIT_RESOURCE(bundledpages);
}

namespace gui {

namespace {

constexpr auto kScheme = QLatin1StringView("skarvell");
constexpr auto kResourceScheme = QLatin1StringView("qrc");

constexpr std::array<std::pair<QLatin1StringView, QLatin1StringView>, 2> kPages{{
    {QLatin1StringView("help"), QLatin1StringView("qrc:/pages/help.html")},
    {QLatin1StringView("news"), QLatin1StringView("qrc:/pages/news.html")},
}};

} // namespace

NewsView::NewsView(tk::Label& address, QWidget* parent)
    : QTextBrowser(parent),
      m_openExternal([](const QUrl& link) { QDesktopServices::openUrl(link); }) {
    registerBundledPages();
    setOpenLinks(false);
    setFrameShape(QFrame::NoFrame);
    connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) { follow(link); });
    address.changed.connect(
        guarded(this, [this, &address] { navigate(toDisplay(address.caption())); }));
    navigate(toDisplay(address.caption()));
}

QUrl NewsView::bundledPage(const QString& address) {
    const QUrl url(address.trimmed());
    if (url.scheme() != kScheme) {
        return {};
    }
    for (const auto& [name, page] : kPages) {
        if (url.path() == name) {
            QUrl bundled(page);
            bundled.setFragment(url.fragment());
            return bundled;
        }
    }
    return {};
}

void NewsView::follow(const QUrl& link) {
    const QUrl target = m_url.resolved(link);
    if (target.scheme() == kScheme) {
        navigate(target.toString());
        return;
    }
    // An anchor in a local page scrolls it; a web page is never loaded here.
    const bool samePage = m_url.isLocalFile() && target.adjusted(QUrl::RemoveFragment) ==
                                                     m_url.adjusted(QUrl::RemoveFragment);
    if (target.scheme() == kResourceScheme || samePage) {
        m_url = target;
        setSource(target);
        return;
    }
    if (m_openExternal) {
        m_openExternal(target);
    }
}

void NewsView::navigate(const QString& address) {
    const QString text = address.trimmed();
    if (QUrl(text).scheme() == kScheme) {
        m_url = bundledPage(text);
        if (m_url.isEmpty()) {
            clear();
            setHtml(QStringLiteral("<div style='margin:18px'><h2>%1</h2><p>%2</p></div>")
                        .arg(tr("News &amp; Infos"),
                             tr("There is no page \"%1\" in this version of Skarvell.")
                                 .arg(text.toHtmlEscaped())));
            return;
        }
        setSource(m_url);
        return;
    }
    m_url = QFileInfo::exists(text) ? QUrl::fromLocalFile(text) : QUrl::fromUserInput(text);
    if (text.isEmpty() || !m_url.isValid()) {
        m_url.clear();
        clear();
        return;
    }
    if (m_url.isLocalFile()) {
        setSource(m_url);
        return;
    }
    setHtml(QStringLiteral("<div style='margin:18px'><h2>%1</h2><p>%2</p>"
                           "<p><a href='%3'>%4</a></p></div>")
                .arg(tr("News &amp; Infos"),
                     tr("The latest news about Skarvell opens in your web browser:"),
                     m_url.toString(QUrl::FullyEncoded).toHtmlEscaped(),
                     m_url.toDisplayString().toHtmlEscaped()));
}

} // namespace gui
