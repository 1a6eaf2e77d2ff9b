#pragma once

#include <QTextBrowser>
#include <QUrl>

namespace tk {
class Label;
}

namespace gui {

// The news page: it follows the address the core navigates to. A local page
// is shown in place; a page on the web is offered as a link that opens in
// the desktop's web browser, so that nothing is fetched from the network
// behind the user's back. Links inside a local page open the same way.
class NewsView final : public QTextBrowser {
    Q_OBJECT
public:
    NewsView(tk::Label& address, QWidget* parent = nullptr);

    void navigate(const QString& address);
    [[nodiscard]] const QUrl& url() const { return m_url; }

private:
    QUrl m_url;
};

} // namespace gui
