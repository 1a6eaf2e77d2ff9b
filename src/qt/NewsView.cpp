#include "qt/NewsView.h"

#include "qt/DisplayText.h"
#include "qt/Guarded.h"

#include "toolkit/Controls.h"

#include <QDesktopServices>
#include <QFileInfo>

namespace gui {

NewsView::NewsView(tk::Label& address, QWidget* parent) : QTextBrowser(parent) {
    setOpenLinks(false);
    setFrameShape(QFrame::NoFrame);
    connect(this, &QTextBrowser::anchorClicked, this,
            [this](const QUrl& link) { QDesktopServices::openUrl(m_url.resolved(link)); });
    address.changed.connect(
        guarded(this, [this, &address] { navigate(toDisplay(address.caption())); }));
    navigate(toDisplay(address.caption()));
}

void NewsView::navigate(const QString& address) {
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
    setHtml(QStringLiteral("<div style='margin:18px'><h2>%1</h2><p>%2</p>"
                           "<p><a href='%3'>%4</a></p></div>")
                .arg(tr("News &amp; Infos"),
                     tr("The latest news about Skarvell opens in your web browser:"),
                     m_url.toString(QUrl::FullyEncoded).toHtmlEscaped(),
                     m_url.toDisplayString().toHtmlEscaped()));
}

} // namespace gui
