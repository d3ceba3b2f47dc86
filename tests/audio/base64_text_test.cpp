#include "audio/base64_text.h"

#include <gtest/gtest.h>
#include <QStringList>

#include <tuple>

#include "audio_test_data.h"

namespace plantrek {
namespace {

QByteArray DecodeWhole(QStringView text) {
    QByteArray bytes;
    Base64Decoder decoder;
    decoder.Feed(text, bytes);
    decoder.Finish(bytes);
    return bytes;
}

// Only groups of three whole bytes count towards the 19 of a line; the padded group never does.
TEST(Base64Piece, BreaksEvery76CharactersFromThePieceStart) {
    // Bytes, line breaks, whether the text ends with one.
    const std::tuple<qsizetype, qsizetype, bool> cases[] = {
        {0, 0, false},    {1, 0, false},    {3, 0, false},    {56, 0, false},
        {57, 1, true},    {58, 1, false},   {113, 1, false},  {114, 2, true},
        {650, 11, false}, {1197, 21, true}, {1200, 21, false}};
    for (const auto& [size, lineBreaks, endsWithLineBreak] : cases) {
        SCOPED_TRACE(size);
        const QByteArray bytes = RandomBytes(size, static_cast<unsigned>(size));
        const QString text = EncodeBase64Piece(bytes);
        EXPECT_EQ(text.count(QStringLiteral("\r\n")), lineBreaks);
        EXPECT_EQ(text.endsWith(QStringLiteral("\r\n")), endsWithLineBreak);
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
            EXPECT_EQ(lines[i].size(), 76) << "line " << i;
        }
        EXPECT_EQ(lines.join(QString()), QString::fromLatin1(bytes.toBase64()));
    }
}

TEST(Base64Decoder, SkipsCharactersOutsideTheAlphabet) {
    const std::pair<const char16_t*, QByteArray> cases[] = {
        {u"", ""},
        {u"!!! \t\r\n-_.,", ""},
        {u"QUJD", "ABC"},
        {u"QUI=", "AB"},
        {u"QQ==", "A"},
        // Missing padding: the bytes the short group holds are kept.
        {u"QUI", "AB"},
        {u"QQ", "A"},
        {u"Q", ""},
        {u"\tQU\r\nJ D\u00e9\u4e2d\U0001F600", "ABC"},
        // Padding in the middle ends a group and decoding goes on.
        {u"QQ==QUJD", "AABC"},
        {u"====QUJD====", "ABC"},
        {u"Q=QUJD", "ABC"},
        {u"=", ""}};
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(DecodeWhole(text), expected) << QString::fromUtf16(text).toStdString();
    }
}

TEST(Base64Decoder, SlicesOfAnySizeDecodeLikeTheWholeText) {
    const QByteArray bytes = RandomBytes(301, 7);
    QString text = EncodeBase64Piece(bytes.left(150)) + QStringLiteral(" \t") +
                   EncodeBase64Piece(bytes.mid(150));
    ASSERT_EQ(DecodeWhole(text), bytes);
    for (qsizetype step = 1; step <= 9; ++step) {
        Base64Decoder decoder;
        QByteArray out;
        for (qsizetype at = 0; at < text.size(); at += step) {
            decoder.Feed(QStringView(text).mid(at, step), out);
        }
        decoder.Finish(out);
        EXPECT_EQ(out, bytes) << "step " << step;
    }
}

}  // namespace
}  // namespace plantrek
