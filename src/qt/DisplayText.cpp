#include "qt/DisplayText.h"

#include <QStringDecoder>

#include <algorithm>
#include <optional>

namespace gui {

namespace {

std::optional<QString> decodeUtf8(std::string_view bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (utf8.hasError()) {
        return std::nullopt;
    }
    return text;
}

// How many bytes a UTF-8 sequence that starts with `lead` has; 0 for a byte
// that cannot start one (ASCII, a continuation byte, C0, C1, F5..FF).
int sequenceLength(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 0;
}

// Whether `second` may follow `lead`: the ranges that keep a sequence from
// being overlong, a surrogate or past U+10FFFF.
bool validSecondByte(unsigned char lead, unsigned char second) {
    switch (lead) {
    case 0xE0:
        return second >= 0xA0 && second <= 0xBF;
    case 0xED:
        return second >= 0x80 && second <= 0x9F;
    case 0xF0:
        return second >= 0x90 && second <= 0xBF;
    case 0xF4:
        return second >= 0x80 && second <= 0x8F;
    default:
        return second >= 0x80 && second <= 0xBF;
    }
}

// The length of a UTF-8 sequence cut off at the end of `bytes`: a lead byte
// and fewer continuation bytes than it announces, each one allowed where it
// stands. 0 when the text does not end that way.
std::size_t cutSequenceAtEnd(std::string_view bytes) {
    for (std::size_t tail = 1; tail <= 3 && tail <= bytes.size(); ++tail) {
        const auto lead = static_cast<unsigned char>(bytes[bytes.size() - tail]);
        if ((lead & 0xC0) == 0x80) {
            continue; // a continuation byte: the lead is further back
        }
        const int length = sequenceLength(lead);
        if (length == 0 || static_cast<std::size_t>(length) <= tail) {
            return 0;
        }
        for (std::size_t i = 1; i < tail; ++i) {
            const auto next = static_cast<unsigned char>(bytes[bytes.size() - tail + i]);
            if (i == 1 ? !validSecondByte(lead, next) : (next & 0xC0) != 0x80) {
                return 0;
            }
        }
        return tail;
    }
    return 0;
}

bool hasMultiByteSequence(std::string_view bytes) {
    return std::any_of(bytes.begin(), bytes.end(),
                       [](char c) { return (static_cast<unsigned char>(c) & 0x80) != 0; });
}

} // namespace

QString toDisplay(std::string_view bytes) {
    if (std::optional<QString> text = decodeUtf8(bytes)) {
        return *text;
    }
    // A UTF-8 text cut at a field's width ends in part of a character. A lead
    // byte with continuation bytes after it is that; a lone lead byte is also
    // a Latin-1 letter ("Ren\xe9"), so it counts as a cut only in a text that
    // shows other UTF-8 characters.
    if (const std::size_t cut = cutSequenceAtEnd(bytes); cut > 0) {
        const std::string_view kept = bytes.substr(0, bytes.size() - cut);
        if (cut > 1 || hasMultiByteSequence(kept)) {
            if (std::optional<QString> text = decodeUtf8(kept)) {
                return *text;
            }
        }
    }
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
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
