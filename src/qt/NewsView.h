#pragma once

#include <QByteArray>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

namespace tk {
class Label;
}

namespace gui {

// The embedded browser of the news page: it follows the address the core
// navigates to, loads the page and shows it as rich text. Links open in the
// desktop's web browser. A full web view can take its place later; the core
// only ever hands over an address.
class NewsView final : public QTextBrowser {
    Q_OBJECT
public:
    NewsView(tk::Label& address, QWidget* parent = nullptr);

    void navigate(const QString& address);

private:
    void received();
    void finished();
    void showNotice(const QString& title, const QString& text);

    QNetworkAccessManager* m_network;
    QPointer<QNetworkReply> m_reply;
    QUrl m_url;
    QByteArray m_page;
};

} // namespace gui
