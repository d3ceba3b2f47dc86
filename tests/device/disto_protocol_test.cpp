#include "device/disto_protocol.h"

#include <gtest/gtest.h>
#include <QByteArray>

namespace plantrek::disto {
namespace {

struct WordCase {
    const char* word;
    int typeNumber;
    WordKind kind;
    int unitCode;
    const char* digits;
    int keyCode;
};

Word Classify(const QByteArray& bytes, int typeNumber = 0) {
    return ClassifyWord(bytes.constData(), static_cast<int>(bytes.size()), typeNumber);
}

TEST(ClassifyWord, Classifies) {
    const WordCase cases[] = {
        // Enter and undo move with the type number.
        {"5000..+00000011", 739999, WordKind::Enter, 0, "", 0},
        {"5000..+00000012", 739999, WordKind::Undo, 0, "", 0},
        {"5000..+00000013", 739999, WordKind::Other, 0, "", 0},
        {"5000..+00000011", 740000, WordKind::Other, 0, "", 0},
        {"5000..+00000012", 740000, WordKind::Enter, 0, "", 0},
        {"5000..+00000013", 760000, WordKind::Undo, 0, "", 0},
        // Distances: the unit code is one character, a non-digit counting as 0.
        {"31..00+00001234", 0, WordKind::Distance, 0, "00001234", 0},
        {"31..05+12345678", 0, WordKind::Distance, 5, "12345678", 0},
        {"31..07+00000001", 0, WordKind::Distance, 7, "00000001", 0},
        {"31..0x+00001234", 0, WordKind::Distance, 0, "00001234", 0},
        // Anything that only looks like one carries no number.
        {"31..00+0000123a", 0, WordKind::Other, 0, "", 0},
        {"31..00+00 01234", 0, WordKind::Other, 0, "", 0},
        {"31..00-00001234", 0, WordKind::Other, 0, "", 0},
        {"31..00+0000123", 0, WordKind::Other, 0, "", 0},
        {"31..00+000012345", 0, WordKind::Other, 0, "", 0},
        {"5000..+00000015", 740000, WordKind::DirectionKey, 0, "", 15},
        {"5000..+00000005", 0, WordKind::Other, 0, "", 0},
        {"5000..+0000000:", 0, WordKind::Other, 0, "", 0},
        {"5000..+00000006X", 0, WordKind::Other, 0, "", 0},
        {"", 0, WordKind::Other, 0, "", 0}};
    for (const WordCase& c : cases) {
        const Word word = Classify(c.word, c.typeNumber);
        EXPECT_EQ(word.kind, c.kind) << c.word;
        if (c.kind == WordKind::Distance) {
            EXPECT_EQ(word.unitCode, c.unitCode) << c.word;
            EXPECT_EQ(word.digits, QString::fromLatin1(c.digits)) << c.word;
        }
        if (c.kind == WordKind::DirectionKey) {
            EXPECT_EQ(word.keyCode, c.keyCode) << c.word;
        }
    }
    for (const int key : {2, 8, 6, 15, 1, 10, 3, 4}) {
        const Word word =
            Classify("5000..+000000" + QByteArray::number(key).rightJustified(2, '0'));
        EXPECT_EQ(word.kind, WordKind::DirectionKey) << key;
        EXPECT_EQ(word.keyCode, key);
    }
}

TEST(ClassifyWord, NulBytesNeverMatch) {
    EXPECT_EQ(Classify(QByteArray("31..00+0000\0"
                                  "234",
                                  15))
                  .kind,
              WordKind::Other);
    EXPECT_EQ(ClassifyWord(nullptr, 15, 0).kind, WordKind::Other);
}

TEST(ModelClass, FromTheFirstFourDigits) {
    for (const auto& [typeNumber, modelClass] :
         {std::pair{740000, 0}, {749999, 0}, {760000, 1}, {750000, 2}, {0, 2}, {7400000, 2}}) {
        EXPECT_EQ(ModelClassForTypeNumber(typeNumber), modelClass) << typeNumber;
    }
}

}  // namespace
}  // namespace plantrek::disto
