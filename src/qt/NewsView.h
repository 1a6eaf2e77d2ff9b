#pragma once

#include <QTextBrowser>
#include <QUrl>

#include <functional>

namespace tk {
class Label;
}

namespace gui {

// The news page: it follows the address the core navigates to. The core's
// own addresses ("skarvell:help", "skarvell:news") name pages bundled with
// the program, shown in place and available offline; a local file is shown
// in place too. A page on the web is offered as a link that opens in the
// desktop's web browser, so that nothing is fetched from the network behind
// the user's back. Links inside a page follow the same rule: a bundled page
// or an anchor opens in place, anything else in the browser.
class NewsView final : public QTextBrowser {
    Q_OBJECT
public:
    using ExternalOpener = std::function<void(const QUrl&)>;

    NewsView(tk::Label& address, QWidget* parent = nullptr);

    void navigate(const QString& address);
    [[nodiscard]] const QUrl& url() const { return m_url; }

    // Who opens a link that leaves the program; the desktop's browser unless
    // replaced.
    void setExternalOpener(ExternalOpener opener) { m_openExternal = std::move(opener); }

    // The bundled page an address of the program names; empty for any other.
    [[nodiscard]] static QUrl bundledPage(const QString& address);

private:
    void follow(const QUrl& link);

    QUrl m_url;
    ExternalOpener m_openExternal;
};

} // namespace gui
