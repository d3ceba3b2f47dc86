// Base64 audio text: decoding any text in slices of any size gives what decoding it whole
// gives, and audio encoded piece by piece decodes back to itself.
#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "audio/base64_text.h"
#include "fuzz/fuzz_support.h"

using namespace plantrek;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    fuzz::Choices choices(data[0]);
    ++data;
    --size;

    // The bytes as UTF-16 code units, so that every character can turn up in the text.
    QString text(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        text[static_cast<qsizetype>(i / 2)] =
            QChar(static_cast<char16_t>(data[i] | data[i + 1] << 8));
    }
    QByteArray whole;
    DecodeBase64(text, [&whole](QByteArrayView bytes) {
        fuzz::Require(!bytes.isEmpty(), "the sink was handed nothing");
        whole.append(bytes);
        return true;
    });
    Base64Decoder decoder;
    QByteArray sliced;
    for (qsizetype at = 0; at < text.size();) {
        const qsizetype n = static_cast<qsizetype>(choices.Size(300));
        decoder.Feed(QStringView(text).mid(at, n), sliced);
        at += n;
    }
    decoder.Finish(sliced);
    fuzz::Require(sliced == whole, "decoding in slices differs from decoding whole");

    // The raw bytes as audio, written as the site file writes it.
    const QByteArrayView audio(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QString encoded;
    for (qsizetype at = 0; at < audio.size(); at += kAudioPieceBytes) {
        encoded +=
            EncodeBase64Piece(audio.sliced(at, std::min(kAudioPieceBytes, audio.size() - at)));
        encoded += QStringLiteral("\r\n\t\t\t");
    }
    QByteArray decoded;
    const bool complete = DecodeBase64(encoded, [&decoded](QByteArrayView bytes) {
        decoded.append(bytes);
        return true;
    });
    fuzz::Require(complete, "decoding stopped by itself");
    fuzz::Require(decoded == audio, "encoded audio does not decode to itself");
    return 0;
}
