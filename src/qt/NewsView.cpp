#include "qt/NewsView.h"

#include "qt/DisplayText.h"
#include "qt/Guarded.h"

#include "qt/Core.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace gui {

namespace {
constexpr qsizetype kMaxPageBytes = 2 * 1024 * 1024;
constexpr int kTimeoutMs = 20000;
} // namespace

NewsView::NewsView(tk::Label& address, QWidget* parent)
    : QTextBrowser(parent), m_network(new QNetworkAccessManager(this)) {
    setOpenLinks(false);
    setFrameShape(QFrame::NoFrame);
    connect(this, &QTextBrowser::anchorClicked, this,
            [this](const QUrl& link) { QDesktopServices::openUrl(m_url.resolved(link)); });
    address.changed.connect(
        guarded(this, [this, &address] { navigate(toDisplay(address.caption())); }));
    navigate(toDisplay(address.caption()));
}

void NewsView::showNotice(const QString& title, const QString& text) {
    QString html = QStringLiteral("<div style='margin:18px'><h2>%1</h2><p>%2</p>")
                       .arg(title.toHtmlEscaped(), text.toHtmlEscaped());
    if (m_url.isValid() && !m_url.isEmpty()) {
        html += QStringLiteral("<p><a href='%1'>%2</a></p>")
                    .arg(m_url.toString(QUrl::FullyEncoded).toHtmlEscaped(),
                         m_url.toDisplayString().toHtmlEscaped());
    }
    html += QStringLiteral("</div>");
    setHtml(html);
}

void NewsView::navigate(const QString& address) {
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
    }
    m_page.clear();
    const QString text = address.trimmed();
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
    showNotice(tr("Skarvell"), tr("Loading the page..."));
    QNetworkRequest request(m_url);
    request.setTransferTimeout(kTimeoutMs);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Skarvell/0.4b"));
    m_reply = m_network->get(request);
    connect(m_reply, &QIODevice::readyRead, this, [this] { received(); });
    connect(m_reply, &QNetworkReply::finished, this, [this] { finished(); });
}

void NewsView::received() {
    if (!m_reply) {
        return;
    }
    m_page += m_reply->readAll();
    if (m_page.size() > kMaxPageBytes) {
        // A page this big is not a news page: show what came and stop.
        m_page.truncate(kMaxPageBytes);
        m_reply->disconnect(this);
        m_reply->abort();
        finished();
    }
}

void NewsView::finished() {
    if (!m_reply) {
        return;
    }
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    reply->deleteLater();
    m_page += reply->readAll();
    if (reply->error() != QNetworkReply::NoError &&
        reply->error() != QNetworkReply::OperationCanceledError) {
        showNotice(tr("The page could not be loaded"), reply->errorString());
        return;
    }
    const QString content =
        toDisplay(std::string_view(m_page.constData(), static_cast<std::size_t>(m_page.size())));
    const QString type = reply->header(QNetworkRequest::ContentTypeHeader).toString();
    if (type.startsWith(QLatin1String("text/plain"))) {
        setPlainText(content);
    } else {
        setHtml(content);
    }
    m_page.clear();
}

} // namespace gui
