#include "audio/base64_text.h"

#include <array>

namespace plantrek {

namespace {

constexpr qsizetype kCharsPerGroup = 4;
constexpr qsizetype kBytesPerGroup = 3;
constexpr qsizetype kCharsPerLine = kGroupsPerLine * kCharsPerGroup;

// Decoding works on slices of this many characters so that the bytes of a large text reach the
// sink in bounded amounts.
constexpr qsizetype kDecodeSliceChars = 64 * 1024;

constexpr qint8 kSkip = -1;
constexpr qint8 kPad = -2;

constexpr std::array<qint8, 128> MakeDecodeTable() {
    std::array<qint8, 128> table{};
    for (auto& entry : table) {
        entry = kSkip;
    }
    for (int i = 0; i < 26; ++i) {
        table['A' + i] = static_cast<qint8>(i);
        table['a' + i] = static_cast<qint8>(26 + i);
    }
    for (int i = 0; i < 10; ++i) {
        table['0' + i] = static_cast<qint8>(52 + i);
    }
    table['+'] = 62;
    table['/'] = 63;
    table['='] = kPad;
    return table;
}

constexpr std::array<qint8, 128> kDecodeTable = MakeDecodeTable();

}  // namespace

QString EncodeBase64Piece(QByteArrayView piece) {
    const QByteArray encoded = piece.toByteArray().toBase64();
    const qsizetype completeGroups = piece.size() / kBytesPerGroup;
    const qsizetype lines = completeGroups / kGroupsPerLine;

    QString text;
    text.reserve(encoded.size() + 2 * lines);
    qsizetype at = 0;
    for (qsizetype line = 0; line < lines; ++line) {
        text += QLatin1StringView(encoded.constData() + at, kCharsPerLine);
        text += QLatin1StringView("\r\n");
        at += kCharsPerLine;
    }
    text += QLatin1StringView(encoded.constData() + at, encoded.size() - at);
    return text;
}

void Base64Decoder::Feed(QStringView text, QByteArray& out) {
    out.reserve(out.size() + text.size() * 3 / 4 + 3);
    for (const QChar ch : text) {
        const char16_t code = ch.unicode();
        if (code >= kDecodeTable.size()) {
            continue;
        }
        const qint8 value = kDecodeTable[code];
        if (value == kSkip) {
            continue;
        }
        if (value == kPad) {
            EndGroup(out);
            continue;
        }
        bits_ = (bits_ << 6) | static_cast<quint32>(value);
        if (++count_ == kCharsPerGroup) {
            out.append(static_cast<char>((bits_ >> 16) & 0xFF));
            out.append(static_cast<char>((bits_ >> 8) & 0xFF));
            out.append(static_cast<char>(bits_ & 0xFF));
            bits_ = 0;
            count_ = 0;
        }
    }
}

void Base64Decoder::Finish(QByteArray& out) {
    EndGroup(out);
}

void Base64Decoder::EndGroup(QByteArray& out) {
    // Two characters carry 12 bits (one byte), three carry 18 (two bytes).
    if (count_ == 2) {
        out.append(static_cast<char>((bits_ >> 4) & 0xFF));
    } else if (count_ == 3) {
        out.append(static_cast<char>((bits_ >> 10) & 0xFF));
        out.append(static_cast<char>((bits_ >> 2) & 0xFF));
    }
    bits_ = 0;
    count_ = 0;
}

bool DecodeBase64(QStringView text, const std::function<bool(QByteArrayView)>& sink) {
    Base64Decoder decoder;
    QByteArray bytes;
    for (qsizetype at = 0; at < text.size(); at += kDecodeSliceChars) {
        bytes.resize(0);
        decoder.Feed(text.mid(at, kDecodeSliceChars), bytes);
        if (!bytes.isEmpty() && !sink(bytes)) {
            return false;
        }
    }
    bytes.resize(0);
    decoder.Finish(bytes);
    return bytes.isEmpty() || sink(bytes);
}

}  // namespace plantrek
