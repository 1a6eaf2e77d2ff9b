#include "qt/DisplayText.h"

#include <QStringDecoder>

namespace gui {

QString toDisplay(std::string_view bytes) {
    const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(view);
    if (!utf8.hasError()) {
        return text;
    }
    return QString::fromLatin1(view);
}

std::string toCore(const QString& text) {
    return text.toUtf8().toStdString();
}

HintParts splitHint(std::string_view hint) {
    const auto bar = hint.find('|');
    if (bar == std::string_view::npos) {
        const QString both = toDisplay(hint);
        return {both, both};
    }
    return {toDisplay(hint.substr(0, bar)), toDisplay(hint.substr(bar + 1))};
}

} // namespace gui
