#include "export/xls/biff_writer.h"
#include "export/xls/workbook.h"

#include "export/xls/biff_records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

namespace plantrek {
namespace {

using testing::Bytes;
using testing::F64;
using testing::ParseRecords;
using testing::Record;
using testing::U16;
using testing::U32;

constexpr quint16 kBof = 0x0809, kWindow1 = 0x003D, kFont = 0x0031, kXf = 0x00E0, kStyle = 0x0293,
                  kBoundSheet = 0x0085, kSst = 0x00FC, kContinue = 0x003C, kExtSst = 0x00FF,
                  kEof = 0x000A, kIndex = 0x020B, kDimensions = 0x0200, kRow = 0x0208,
                  kDbCell = 0x00D7, kWindow2 = 0x023E, kLabelSst = 0x00FD, kRk = 0x027E,
                  kMulRk = 0x00BD, kNumber = 0x0203;

QByteArray Hex(const char* hex) {
    return QByteArray::fromHex(hex);
}

std::vector<quint16> Types(const std::vector<Record>& records) {
    std::vector<quint16> types;
    for (const Record& r : records) {
        types.push_back(r.type);
    }
    return types;
}

std::vector<Record> OfType(const std::vector<Record>& records, quint16 type) {
    std::vector<Record> found;
    std::copy_if(records.begin(), records.end(), std::back_inserter(found),
                 [type](const Record& r) { return r.type == type; });
    return found;
}

const Record* At(const std::vector<Record>& records, quint32 position) {
    for (const Record& r : records) {
        if (r.position == position) {
            return &r;
        }
    }
    return nullptr;
}

std::vector<Record> RecordsOf(const Workbook& book) {
    return ParseRecords(book.WorkbookStream());
}

TEST(BiffStream, HeaderRowOfFourTextsWritesEveryRecordInOrder) {
    Workbook book(1);
    const QStringList headers = {"Material", "Room", "Area (m)", "Perimeter (m)"};
    for (int column = 0; column < 4; ++column) {
        book.GetSheet(0)->Cell(0, column)->SetText(headers[column]);
    }
    const QByteArray stream = book.WorkbookStream();
    const std::vector<Record> records = ParseRecords(stream);

    std::vector<quint16> expected = {kBof, kWindow1};
    expected.insert(expected.end(), 4, kFont);
    expected.insert(expected.end(), 21, kXf);
    expected.insert(expected.end(), 6, kStyle);
    expected.insert(expected.end(),
                    {kBoundSheet, kSst, kExtSst, kEof, kBof, kIndex, kDimensions, kRow, kLabelSst,
                     kLabelSst, kLabelSst, kLabelSst, kDbCell, kWindow2, kEof});
    ASSERT_EQ(Types(records), expected);
    ASSERT_EQ(records.back().position + 4, stream.size());

    EXPECT_EQ(records[0].data,
              Bytes().u16(0x0600).u16(5).u16(0x19A0).u16(0x07CD).u32(0xC0C9).u32(0x0306).bytes());
    EXPECT_EQ(records[1].data, Hex("7800 7800 1f3b 5424 3800 0000 0000 0100 5802"));
    for (int font = 2; font < 6; ++font) {
        EXPECT_EQ(records[font].data,
                  Hex("c800 0000 ff7f 9001 0000 00 00 00 00 05 01 4100 7200 6900 6100 6c00"));
    }
    for (int xf = 6; xf < 27; ++xf) {
        EXPECT_EQ(records[xf].data, Hex("0000 0000 f5ff 20 00 00 00 00000000 00000000 c020"));
    }
    for (int style = 27; style < 33; ++style) {
        EXPECT_EQ(records[style].data, Hex("0080 00 ff"));
    }

    const Record& boundSheet = records[33];
    const quint32 sheetBof = U32(boundSheet.data, 0);
    EXPECT_EQ(boundSheet.data.mid(4), Bytes().u8(0).u8(0).u8(6).u8(1).utf16("Sheet1").bytes());
    ASSERT_NE(At(records, sheetBof), nullptr);
    EXPECT_EQ(At(records, sheetBof)->type, kBof);
    EXPECT_EQ(U16(At(records, sheetBof)->data, 2), 0x0010);

    const Record& index = records[38];
    EXPECT_EQ(index.data, Bytes().u32(0).u32(0).u32(1).u32(0).u32(records[45].position).bytes());
    EXPECT_EQ(records[39].data, Bytes().u32(0).u32(1).u16(0).u16(4).u16(0).bytes());
    EXPECT_EQ(records[40].data,
              Bytes().u16(0).u16(0).u16(4).u16(0xFF).u16(0).u16(0).u32(0).bytes());
    // Back to the ROW record; from the end of the ROW record to the first cell.
    EXPECT_EQ(records[45].data,
              Bytes().u32(records[45].position - records[40].position).u16(0).bytes());
    EXPECT_EQ(records[46].data,
              Bytes().u16(0x06B6).u16(0).u16(0).u16(0x40).u16(0).u16(0).u16(0).u32(0).bytes());
}

TEST(BiffStream, NumbersUseRkOnlyWhenItReadsBackExactly) {
    // Value, written through SetInteger, record type, RK value. 12.5 is 1250 / 100; 37.12 is not
    // exactly 3712 / 100.
    const std::tuple<double, bool, quint16, quint32> cases[] = {
        {20.0, false, kRk, 0x40340000},     {12.5, false, kRk, 0x40938800 | 1},
        {37.12, false, kNumber, 0},         {-2.75, false, kRk, 0xC0713000 | 1},
        {-1, true, kRk, 0xFFFFFFFE},        {-536870912, true, kRk, 0x80000002},
        {536870912, true, kRk, 0x41C00000}, {536870913, true, kNumber, 0},
        {1e305, false, kNumber, 0}};
    for (const auto& [value, integer, type, rk] : cases) {
        SCOPED_TRACE(value);
        Workbook book;
        Cell* cell = book.GetSheet(0)->Cell(4, 3);
        if (integer) {
            cell->SetInteger(static_cast<qint32>(value));
        } else {
            cell->SetDouble(value);
        }
        const std::vector<Record> records = RecordsOf(book);
        const Record& record = *(At(records, OfType(records, kRow).at(0).position) + 1);
        ASSERT_EQ(record.type, type);
        EXPECT_EQ(U16(record.data, 0), 4);
        EXPECT_EQ(U16(record.data, 2), 3);
        if (type == kRk) {
            EXPECT_EQ(U32(record.data, 6), rk);
            EXPECT_EQ(DecodeRk(U32(record.data, 6)), value);
        } else {
            EXPECT_EQ(F64(record.data, 6), value);
        }
    }
}

TEST(BiffStream, AdjacentRkValuesShareOneMulRk) {
    Workbook book;
    Sheet& sheet = *book.GetSheet(0);
    sheet.Cell(1, 0)->SetText("x");
    sheet.Cell(1, 1)->SetDouble(2.5);
    sheet.Cell(1, 2)->SetInteger(7);
    sheet.Cell(1, 3)->SetDouble(3.0);
    sheet.Cell(1, 4)->SetDouble(37.123456);
    sheet.Cell(1, 5)->SetDouble(1.0);
    sheet.Cell(1, 7)->SetDouble(4.0);
    sheet.Cell(1, 8);  // touched, empty: ends the run
    sheet.Cell(1, 9)->SetInteger(1);
    const std::vector<Record> records = RecordsOf(book);

    const auto first = std::find_if(records.begin(), records.end(),
                                    [](const Record& r) { return r.type == kRow; }) +
                       1;
    const std::vector<quint16> cellTypes(Types({first, first + 6}));
    EXPECT_EQ(cellTypes, std::vector<quint16>({kLabelSst, kMulRk, kNumber, kRk, kRk, kRk}));
    const Record& mulRk = *(first + 1);
    // 2.5 as 250 / 100, the integer 7, 3.0.
    EXPECT_EQ(mulRk.data, Hex("0100 0100 0000 01406f40 0000 1e000000 0000 00000840 0300"));
    EXPECT_EQ(U16((first + 3)->data, 2), 5);
    EXPECT_EQ(U16((first + 4)->data, 2), 7);
    EXPECT_EQ(U16((first + 5)->data, 2), 9);
    // DIMENSIONS and ROW span the used columns only.
    EXPECT_EQ(OfType(records, kDimensions)[0].data,
              Bytes().u32(1).u32(2).u16(0).u16(10).u16(0).bytes());
    EXPECT_EQ(U16(OfType(records, kRow)[0].data, 4), 10);
}

// INDEX lists every block's DBCELL; each DBCELL leads back to its block's first ROW and from
// there to the first cell record of every row.
void ExpectRowBlocksConsistent(const std::vector<Record>& records,
                               const std::vector<int>& usedRows) {
    const std::vector<Record> index = OfType(records, kIndex);
    ASSERT_EQ(index.size(), 1u);
    EXPECT_EQ(U32(index[0].data, 4), static_cast<quint32>(usedRows.front()));
    EXPECT_EQ(U32(index[0].data, 8), static_cast<quint32>(usedRows.back() + 1));
    const std::size_t blocks = (usedRows.size() + 31) / 32;
    ASSERT_EQ(index[0].data.size(), static_cast<qsizetype>(16 + 4 * blocks));
    EXPECT_EQ(OfType(records, kDbCell).size(), blocks);
    std::size_t row = 0;
    for (std::size_t b = 0; b < blocks; ++b) {
        const Record* dbCell = At(records, U32(index[0].data, 16 + 4 * b));
        ASSERT_NE(dbCell, nullptr);
        ASSERT_EQ(dbCell->type, kDbCell);
        const Record* firstRow = At(records, dbCell->position - U32(dbCell->data, 0));
        ASSERT_NE(firstRow, nullptr);
        ASSERT_EQ(firstRow->type, kRow);
        const int rowsInBlock = static_cast<int>((dbCell->data.size() - 4) / 2);
        EXPECT_EQ(rowsInBlock, static_cast<int>(std::min<std::size_t>(32, usedRows.size() - row)));
        quint32 cell = firstRow->position + 20;
        for (int r = 0; r < rowsInBlock; ++r, ++row) {
            EXPECT_EQ(U16((firstRow + r)->data, 0), usedRows[row]);
            cell += U16(dbCell->data, 4 + 2 * r);
            const Record* first = At(records, cell);
            ASSERT_NE(first, nullptr);
            EXPECT_NE(first->type, kRow);
            EXPECT_EQ(U16(first->data, 0), usedRows[row]);
            EXPECT_EQ((first - 1)->type == kRow || U16((first - 1)->data, 0) != usedRows[row], true)
                << "not the row's first cell";
        }
    }
    EXPECT_EQ(row, usedRows.size());
}

TEST(BiffStream, RowBlocksOfThirtyTwoWithIndexAndDbCellOffsets) {
    Workbook book;
    std::vector<int> used;
    for (int row = 3; row < 200; row += (row % 5 == 0 ? 3 : 1)) {
        used.push_back(row);
        for (int column = 0; column <= row % 4; ++column) {
            Cell* cell = book.GetSheet(0)->Cell(row, column * 2);
            if (column % 2 == 0) {
                cell->SetText(QString::number(row * column));
            } else {
                cell->SetDouble(row + 0.123456);
            }
        }
    }
    book.GetSheet(0)->Cell(250, 3);  // touched only: not a used row
    ExpectRowBlocksConsistent(RecordsOf(book), used);
}

// Every EXTSST bucket must point at the header of its first string, inside the SST or
// CONTINUE record that holds it.
void ExpectExtSstPointsAtBuckets(const QByteArray& stream, const QStringList& strings) {
    const std::vector<Record> records = ParseRecords(stream);
    const QByteArray ext = OfType(records, kExtSst).at(0).data;
    const int perBucket = U16(ext, 0);
    EXPECT_GE(perBucket, 8);
    const int buckets = static_cast<int>((ext.size() - 2) / 8);
    EXPECT_EQ(buckets, (strings.size() + perBucket - 1) / perBucket);
    EXPECT_LE(buckets, 128);
    for (int b = 0; b < buckets; ++b) {
        const quint32 position = U32(ext, 2 + 8 * b);
        const quint16 inRecord = U16(ext, 6 + 8 * b);
        const Record* holder = At(records, position - inRecord);
        ASSERT_NE(holder, nullptr) << "bucket " << b;
        EXPECT_TRUE(holder->type == kSst || holder->type == kContinue);
        EXPECT_LT(inRecord, holder->data.size() + 4);
        const QString& text = strings[b * perBucket];
        EXPECT_EQ(U16(stream, position), text.size()) << "bucket " << b;
        EXPECT_EQ(U16(stream, position + 3), text.at(0).unicode()) << "bucket " << b;
    }
}

// What the strings read back as is left to the independent reader (workbook_file_test.cpp); this
// checks the layout rules it does not care about.
TEST(BiffStream, LongSharedStringTableRunsOnInContinueRecords) {
    Workbook book;
    // The first text leaves one byte of the SST record: the next string's header must not be
    // split.
    QStringList names{QString(4106, QChar('a'))};
    book.GetSheet(0)->Cell(0, 0)->SetText(names.last());
    for (int i = 0; i < 1000; ++i) {
        names.append(QStringLiteral("Room %1 on the north side of the long east wing").arg(i));
        book.GetSheet(0)->Cell(i, 1)->SetText(names.last());
        book.GetSheet(0)->Cell(i, 2)->SetDouble(i);
    }
    names.append(QString(20000, QChar(0x00E9)));  // too long for a single record
    book.GetSheet(0)->Cell(1000, 0)->SetText(names.last());

    const QByteArray stream = book.WorkbookStream();
    const std::vector<Record> records = ParseRecords(stream);
    EXPECT_GE(OfType(records, kContinue).size(), 10u);
    for (const Record& r : records) {
        EXPECT_LE(r.data.size(), 8224);
    }
    ExpectExtSstPointsAtBuckets(stream, names);
    // The sheet still follows the globals intact.
    EXPECT_EQ(OfType(records, kLabelSst).size(), 1002u);
    EXPECT_EQ(records.back().type, kEof);
    EXPECT_EQ(records.back().position + 4, stream.size());
}

// A writer that takes the cells as they come refuses one that does not come after the last.
TEST(BiffStream, CellsOutOfOrderOrOutsideTheSheetAreRefused) {
    BiffWorkbookWriter writer;
    writer.BeginSheet(QStringLiteral("Sheet1"));
    EXPECT_TRUE(writer.Text(2, 3, QStringLiteral("a")));
    const std::tuple<int, int> refused[] = {{2, 3}, {2, 1}, {1, 9}, {-1, 0},
                                            {3, Sheet::kMaxColumns}, {Sheet::kMaxRows, 0}};
    for (const auto& [row, column] : refused) {
        EXPECT_FALSE(writer.Double(row, column, 1.5)) << row << "," << column;
    }
    EXPECT_TRUE(writer.Integer(2, 4, 7));
    EXPECT_TRUE(writer.Text(Sheet::kMaxRows - 1, 0, QStringLiteral("b")));
    QByteArray stream;
    for (const QByteArray& piece : writer.Finish()) {
        stream += piece;
    }
    Workbook book;
    book.GetSheet(0)->Cell(2, 3)->SetText(QStringLiteral("a"));
    book.GetSheet(0)->Cell(2, 4)->SetInteger(7);
    book.GetSheet(0)->Cell(Sheet::kMaxRows - 1, 0)->SetText(QStringLiteral("b"));
    EXPECT_EQ(stream, book.WorkbookStream());
}

TEST(BiffStream, TextBeyondTheCellLimitIsCutBeforeACharacterPair) {
    Workbook book;
    QString tooLong(kMaxCellTextLength + 10, QChar('x'));
    tooLong[kMaxCellTextLength - 1] = QChar(0xD83D);  // a pair that would be split by the cut
    tooLong[kMaxCellTextLength] = QChar(0xDE00);
    book.GetSheet(0)->Cell(0, 0)->SetText(tooLong);
    const std::vector<Record> records = RecordsOf(book);
    EXPECT_EQ(U16(OfType(records, kSst).at(0).data, 8), kMaxCellTextLength - 1);
    const QByteArray last = OfType(records, kContinue).back().data;
    EXPECT_EQ(U16(last, last.size() - 2), u'x');
}

}  // namespace
}  // namespace plantrek
