#include "audio/base64_text.h"

#include <gtest/gtest.h>
#include <QStringList>

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

struct PieceCase {
    qsizetype bytes;
    qsizetype lineBreaks;
    bool endsWithLineBreak;
};

class PieceLayout : public testing::TestWithParam<PieceCase> {};

// Only groups of three whole bytes count towards the 19 of a line; the padded group never does.
INSTANTIATE_TEST_SUITE_P(Sizes, PieceLayout,
                         testing::Values(PieceCase{0, 0, false}, PieceCase{1, 0, false},
                                         PieceCase{3, 0, false}, PieceCase{55, 0, false},
                                         PieceCase{56, 0, false}, PieceCase{57, 1, true},
                                         PieceCase{58, 1, false}, PieceCase{59, 1, false},
                                         PieceCase{113, 1, false}, PieceCase{114, 2, true},
                                         PieceCase{650, 11, false}, PieceCase{1197, 21, true},
                                         PieceCase{1200, 21, false}));

TEST_P(PieceLayout, BreaksEvery76CharactersFromThePieceStart) {
    const PieceCase& c = GetParam();
    const QByteArray bytes = RandomBytes(c.bytes, static_cast<unsigned>(c.bytes));
    const QString text = EncodeBase64Piece(bytes);

    EXPECT_EQ(text.count(QStringLiteral("\r\n")), c.lineBreaks);
    EXPECT_EQ(text.endsWith(QStringLiteral("\r\n")), c.endsWithLineBreak);
    QString joined = text;
    joined.remove(QStringLiteral("\r\n"));
    EXPECT_EQ(joined, QString::fromLatin1(bytes.toBase64()));

    const QStringList lines = text.split(QStringLiteral("\r\n"));
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        EXPECT_EQ(lines[i].size(), 76) << "line " << i;
    }
    EXPECT_LE(lines.last().size(), 76);
}

struct DecodeCase {
    const char16_t* text;
    QByteArray expected;
};

class LenientDecoding : public testing::TestWithParam<DecodeCase> {};

INSTANTIATE_TEST_SUITE_P(
    Texts, LenientDecoding,
    testing::Values(DecodeCase{u"", ""}, DecodeCase{u"!!! \t\r\n-_.,", ""},
                    DecodeCase{u"QUJD", "ABC"}, DecodeCase{u"QUI=", "AB"}, DecodeCase{u"QQ==", "A"},
                    // Missing padding: the bytes the short group holds are kept.
                    DecodeCase{u"QUI", "AB"}, DecodeCase{u"QQ", "A"}, DecodeCase{u"Q", ""},
                    DecodeCase{u"\tQU\r\nJ D\u00e9\u4e2d\U0001F600", "ABC"},
                    // Padding in the middle ends a group and decoding goes on.
                    DecodeCase{u"QQ==QUJD", "AABC"}, DecodeCase{u"QUI=QUI=", "ABAB"},
                    DecodeCase{u"====QUJD====", "ABC"}, DecodeCase{u"Q=QUJD", "ABC"},
                    DecodeCase{u"=", ""}));

TEST_P(LenientDecoding, SkipsCharactersOutsideTheAlphabet) {
    EXPECT_EQ(DecodeWhole(GetParam().text), GetParam().expected);
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

TEST(Base64Decoder, LargeTextReachesTheSinkInBoundedSlices) {
    const QByteArray bytes = RandomBytes(3 * 1024 * 1024 + 1, 11);
    const QString text = QString::fromLatin1(bytes.toBase64(QByteArray::Base64Encoding));

    QByteArray decoded;
    qsizetype largest = 0;
    EXPECT_TRUE(DecodeBase64(text, [&](QByteArrayView slice) {
        largest = qMax(largest, slice.size());
        decoded.append(slice);
        return true;
    }));
    EXPECT_EQ(decoded, bytes);
    EXPECT_LE(largest, 64 * 1024);
}

TEST(Base64Decoder, FiftyMegabytesOfNoiseDecodeToNothing) {
    const QString noise(50 * 1000 * 1000, QChar(u'!'));
    int calls = 0;
    EXPECT_TRUE(DecodeBase64(noise, [&](QByteArrayView) {
        ++calls;
        return true;
    }));
    EXPECT_EQ(calls, 0);
}

}  // namespace
}  // namespace plantrek
