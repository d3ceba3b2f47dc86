// Compound files, byte for byte where small, and saved workbooks and compound files of every size
// read back by independent readers (olefile and xlrd, run by the system Python).
#include "export/xls/compound_file_writer.h"
#include "export/xls/workbook.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>
#include <QtEndian>

#include "export/xls/biff_records.h"
#include "export/xls/reader_process.h"

namespace plantrek {
namespace {

using test::Md5;
using testing::Bytes;

constexpr quint32 kFree = 0xFFFFFFFF, kEnd = 0xFFFFFFFE, kFatSect = 0xFFFFFFFD;

QByteArray Build(const QByteArray& content, const QString& name = QStringLiteral("Workbook")) {
    QByteArray file;
    QBuffer buffer(&file);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(WriteCompoundFile(buffer, name, content));
    return file;
}

QByteArray Pattern(qsizetype size) {
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    }
    return bytes;
}

qsizetype SectorAt(quint32 id) {
    return (static_cast<qsizetype>(id) + 1) * 512;
}

TEST(CompoundFile, SmallStreamLivesInTheMiniStream) {
    const QByteArray content = Pattern(100);
    const QByteArray file = Build(content);
    ASSERT_EQ(file.size(), 512 * 5);  // header, FAT, directory, mini stream, mini FAT

    // Signature, class id, versions, byte order, sector shifts, reserved; 0 directory
    // sectors, 1 FAT sector, directory at 1, cutoff 4096, mini FAT at 3 (1 sector), no DIFAT
    // sectors; the FAT is sector 0.
    QByteArray header = QByteArray::fromHex(
        "d0cf11e0a1b11ae1 00000000000000000000000000000000 3b00 0300 feff 0900 0600 000000000000"
        "00000000 01000000 01000000 00000000 00100000 03000000 01000000 feffffff 00000000"
        "00000000");
    header += QByteArray(108 * 4, '\xFF');
    EXPECT_EQ(file.left(512), header);

    QByteArray fat = Bytes().u32(kFatSect).u32(kEnd).u32(kEnd).u32(kEnd);
    fat += QByteArray(124 * 4, '\xFF');
    EXPECT_EQ(file.mid(SectorAt(0), 512), fat);

    QByteArray root = Bytes().utf16("Root Entry");
    root += QByteArray(64 - root.size(), '\0');
    root += Bytes().u16(22).u8(5).u8(1).u32(kFree).u32(kFree).u32(1).bytes();
    root += QByteArray(36, '\0');
    root += Bytes().u32(2).u32(128).u32(0).bytes();
    QByteArray stream = Bytes().utf16("Workbook");
    stream += QByteArray(64 - stream.size(), '\0');
    stream += Bytes().u16(18).u8(2).u8(1).u32(kFree).u32(kFree).u32(kFree).bytes();
    stream += QByteArray(36, '\0');
    stream += Bytes().u32(0).u32(100).u32(0).bytes();
    QByteArray unused(128, '\0');
    unused.replace(68, 12, QByteArray(12, '\xFF'));
    EXPECT_EQ(file.mid(SectorAt(1), 512), root + stream + unused + unused);

    EXPECT_EQ(file.mid(SectorAt(2), 100), content);
    EXPECT_EQ(file.mid(SectorAt(2) + 100, 412), QByteArray(412, '\0'));
    QByteArray miniFat = Bytes().u32(1).u32(kEnd);
    miniFat += QByteArray(126 * 4, '\xFF');
    EXPECT_EQ(file.mid(SectorAt(3), 512), miniFat);
}


class WorkbookFile : public ::testing::Test {
protected:
    QString PathOf(const QString& name) const { return dir_.filePath(name); }

    // The readers' view of a file; empty, with the test skipped, when they are missing.
    static QJsonObject Read(const QStringList& arguments) {
        QString skip;
        const QJsonObject view = test::RunPythonReader(
            QStringList{QStringLiteral(PLANTREK_XLS_READER_SCRIPT)} + arguments, skip);
        if (!skip.isEmpty()) {
            [&skip] { GTEST_SKIP() << skip.toStdString(); }();
        }
        return view;
    }

    // olefile and xlrd's compound-file reader both find exactly `content` in the one stream.
    static void ExpectStream(const QJsonObject& view, const QByteArray& content) {
        EXPECT_EQ(view["streams"].toArray(), QJsonArray({"Workbook"}));
        EXPECT_EQ(view["size"].toInteger(), content.size());
        EXPECT_EQ(view["md5"].toString(), Md5(content));
        EXPECT_EQ(view["compdoc_md5"].toString(), Md5(content));
        EXPECT_TRUE(view["issues"].toArray().isEmpty()) << view["issues"].toArray().size();
        EXPECT_EQ(view["compdoc_warnings"].toString(), "");
    }

    static void ExpectCells(const Sheet& sheet, const QJsonObject& view) {
        const QJsonArray cells = view["cells"].toArray();
        qsizetype next = 0;
        int rows = 0;
        int columns = 0;
        for (const auto& [row, rowCells] : sheet.TouchedRows()) {
            for (const auto& [column, cell] : rowCells) {
                if (cell.IsEmpty()) {
                    continue;
                }
                rows = std::max(rows, row + 1);
                columns = std::max(columns, column + 1);
                ASSERT_LT(next, cells.size()) << "cell " << row << "," << column << " missing";
                const QJsonArray seen = cells[next++].toArray();
                ASSERT_EQ(seen[0].toInt(), row);
                ASSERT_EQ(seen[1].toInt(), column);
                const bool text = cell.Type() == CellType::Text || cell.Type() == CellType::Text8;
                EXPECT_EQ(seen[2].toInt(), text ? 1 : 2) << row << "," << column;
                if (text) {
                    EXPECT_EQ(seen[3].toString(), cell.Text()) << row << "," << column;
                } else {
                    EXPECT_EQ(seen[3].toDouble(),
                              cell.Type() == CellType::Integer ? cell.Integer() : cell.Double())
                        << row << "," << column;
                }
            }
        }
        EXPECT_EQ(next, cells.size()) << "reader sees extra cells";
        EXPECT_EQ(view["nrows"].toInt(), rows);
        EXPECT_EQ(view["ncols"].toInt(), columns);
    }

    QTemporaryDir dir_;
};

// Three sheets: a room summary, thousands of names whose string table runs on in CONTINUE
// records among runs of RK values (one MULRK each) and NUMBER records, and the last cell of the
// grid.
TEST_F(WorkbookFile, WorkbookOfSeveralSheetsReadsBack) {
    Workbook book(3);
    Sheet& summary = *book.GetSheet(0);
    summary.Cell(0, 0)->SetText("Material");
    summary.Cell(0, 1)->SetText("Room");
    summary.Cell(0, 2)->SetText(QStringLiteral("Area (m²)"));
    summary.Cell(0, 3)->SetText("Perimeter (m)");
    summary.Cell(1, 0)->SetText(QStringLiteral("Parkett – Eiche"));
    for (int i = 0; i < 150; ++i) {
        summary.Cell(i + 2, 1)->SetText(i % 3 == 0 ? QStringLiteral("Hall")
                                                   : QStringLiteral("Room %1").arg(i));
        summary.Cell(i + 2, 2)->SetDouble(10 + i * 0.25);     // RK, several per MULRK
        summary.Cell(i + 2, 3)->SetDouble(12.123456789 + i);  // NUMBER
    }
    summary.Cell(1, 2)->SetDouble(37.12);
    summary.Cell(1, 3)->SetInteger(-123456);
    summary.Cell(1, 4)->SetInteger(2000000000);
    summary.Cell(1, 5)->SetText8("plain");

    Sheet& names = *book.GetSheet(1);
    for (int i = 0; i < 1000; ++i) {
        names.Cell(i, 11)->SetText(
            QStringLiteral("Room %1 – the long north-east bedroom above the garage").arg(i));
    }
    names.Cell(1000, 11)->SetText(QString(12000, QChar(0x00DF)));
    for (int row = 0; row < 3000; ++row) {
        for (int column = 0; column < 10; ++column) {
            names.Cell(row, column)
                ->SetDouble(column < 5 ? (row * 10 + column) * 0.25 : row * 10 + column + 0.123);
        }
        if (row % 100 == 0) {
            names.Cell(row, 10)->SetText(QStringLiteral("Floor %1").arg(row / 100 % 7));
        }
    }
    book.GetSheet(2)->Cell(40, 200)->SetText("Hall");
    book.GetSheet(2)->Cell(65535, 255)->SetDouble(-0.5);

    const QString path = PathOf(QStringLiteral("book.xls"));
    ASSERT_TRUE(book.SaveAs(path)) << book.ErrorString().toStdString();
    const QJsonObject view = Read({"xls", path});
    if (view.isEmpty()) {
        return;
    }
    ExpectStream(view, book.WorkbookStream());
    EXPECT_EQ(view["xlrd_warnings"].toString(), "");
    // 156 texts on the summary (107 distinct), 1031 names (1008 distinct), "Hall" again.
    EXPECT_EQ(view["sst"]["total"].toInteger(), 1188);
    EXPECT_EQ(view["sst"]["unique"].toInteger(), 1115);
    EXPECT_EQ(view["shared_strings"].toInteger(), 1115);
    const QJsonArray sheets = view["sheets"].toArray();
    ASSERT_EQ(sheets.size(), 3);
    for (int s = 0; s < 3; ++s) {
        EXPECT_EQ(sheets[s].toObject()["name"].toString(), QStringLiteral("Sheet%1").arg(s + 1));
        ExpectCells(*book.GetSheet(s), sheets[s].toObject());
    }
}

struct SizeCase {
    qsizetype size;
    quint32 fatSectors;
    quint32 difatSectors;
};

class CompoundFileSizes : public WorkbookFile, public ::testing::WithParamInterface<SizeCase> {};

// A stream in the mini stream or in regular sectors, listed by as many FAT sectors as it needs:
// past the 109 the header holds, in DIFAT sectors.
TEST_P(CompoundFileSizes, StreamReadsBackWhole) {
    const SizeCase& c = GetParam();
    QByteArray content(c.size, '\0');
    for (qsizetype i = 0; i < content.size(); ++i) {
        content[i] = static_cast<char>(i % 251);
    }
    const QString path = PathOf(QStringLiteral("stream.cfb"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(WriteCompoundFile(file, QStringLiteral("Workbook"), content));
    ASSERT_TRUE(file.seek(0));
    const QByteArray header = file.read(512);
    EXPECT_EQ(file.size() % 512, 0);
    file.close();
    EXPECT_EQ(qFromLittleEndian<quint32>(header.constData() + 44), c.fatSectors);
    EXPECT_EQ(qFromLittleEndian<quint32>(header.constData() + 72), c.difatSectors);
    const QJsonObject view = Read({"ole", path, "Workbook"});
    if (!view.isEmpty()) {
        ExpectStream(view, content);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, CompoundFileSizes,
                         ::testing::Values(SizeCase{0, 1, 0}, SizeCase{64, 1, 0},
                                           SizeCase{4095, 1, 0}, SizeCase{4096, 1, 0},
                                           // 126 data sectors still fit one FAT sector
                                           SizeCase{126 * 512, 1, 0}, SizeCase{126 * 512 + 1, 2, 0},
                                           // 109 FAT sectors are the most the header lists
                                           SizeCase{(109 * 128 - 110) * 512, 109, 0},
                                           SizeCase{(109 * 128 - 110) * 512 + 1, 110, 1},
                                           // the DIFAT sector needs a FAT entry of its own
                                           SizeCase{13969 * 512, 111, 1},
                                           SizeCase{17000000, 262, 2}));

}  // namespace
}  // namespace plantrek
