// Saved workbooks read back by independent readers (olefile and xlrd, run by the system Python)
// and the safe-save behaviour of the file.
#include "export/xls/compound_file_writer.h"
#include "export/xls/workbook.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

namespace plantrek {
namespace {

const QString kPython = QStringLiteral("/usr/bin/python3");

// Runs the reader script; on a machine without the interpreter or its modules, `skip` says why.
QJsonObject RunReader(const QStringList& arguments, QString& skip) {
    if (!QFileInfo(kPython).isExecutable()) {
        skip = kPython + " is not installed";
        return {};
    }
    QProcess process;
    process.start(kPython, QStringList{QStringLiteral(PLANTREK_XLS_READER_SCRIPT)} + arguments);
    if (!process.waitForFinished(300000)) {
        ADD_FAILURE() << "reader did not finish";
        return {};
    }
    const QJsonObject result = QJsonDocument::fromJson(process.readAllStandardOutput()).object();
    if (process.exitCode() == 3) {
        skip = "python3-olefile or python3-xlrd is missing: " + result["missing"].toString();
        return {};
    }
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return result;
}

QString Md5(const QByteArray& bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex());
}

class WorkbookFile : public ::testing::Test {
protected:
    QString PathOf(const QString& name) const { return dir_.filePath(name); }

    // Saves the workbook and checks what the readers see against the workbook itself: the one
    // "Workbook" stream with exactly our bytes, the string counts, and every cell. Skips the test
    // (returning false) when the readers are missing.
    bool SaveAndRead(Workbook& book, quint32 sstTotal, quint32 sstUnique) {
        const QString path = PathOf(QStringLiteral("book.xls"));
        EXPECT_TRUE(book.SaveAs(path)) << book.ErrorString().toStdString();
        QString skip;
        const QJsonObject view = RunReader({"xls", path}, skip);
        if (!skip.isEmpty()) {
            [&skip] { GTEST_SKIP() << skip.toStdString(); }();
        }
        if (view.isEmpty()) {
            return false;
        }
        const QByteArray stream = book.WorkbookStream();
        EXPECT_EQ(view["streams"].toArray(), QJsonArray({"Workbook"}));
        EXPECT_EQ(view["size"].toInteger(), stream.size());
        EXPECT_EQ(view["md5"].toString(), Md5(stream));
        EXPECT_EQ(view["compdoc_md5"].toString(), Md5(stream));
        EXPECT_TRUE(view["issues"].toArray().isEmpty()) << view["issues"].toArray().size();
        EXPECT_EQ(view["compdoc_warnings"].toString(), "");
        EXPECT_EQ(view["xlrd_warnings"].toString(), "");
        EXPECT_EQ(view["sst"]["total"].toInteger(), sstTotal);
        EXPECT_EQ(view["sst"]["unique"].toInteger(), sstUnique);
        EXPECT_EQ(view["shared_strings"].toInteger(), sstUnique);

        const QJsonArray sheets = view["sheets"].toArray();
        EXPECT_EQ(sheets.size(), book.SheetCount());
        for (int s = 0; s < std::min<int>(sheets.size(), book.SheetCount()); ++s) {
            const QJsonObject sheetView = sheets[s].toObject();
            EXPECT_EQ(sheetView["name"].toString(), book.SheetName(s));
            ExpectCells(*book.GetSheet(s), sheetView);
        }
        return true;
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
                switch (cell.Type()) {
                    case CellType::Text:
                    case CellType::Text8:
                        EXPECT_EQ(seen[2].toInt(), 1) << row << "," << column;
                        EXPECT_EQ(seen[3].toString(), cell.Text()) << row << "," << column;
                        break;
                    case CellType::Integer:
                    case CellType::Double:
                        EXPECT_EQ(seen[2].toInt(), 2) << row << "," << column;
                        EXPECT_EQ(seen[3].toDouble(),
                                  cell.Type() == CellType::Integer ? cell.Integer() : cell.Double())
                            << row << "," << column;
                        break;
                    case CellType::Empty:
                        break;
                }
            }
        }
        EXPECT_EQ(next, cells.size()) << "reader sees extra cells";
        EXPECT_EQ(view["nrows"].toInt(), rows);
        EXPECT_EQ(view["ncols"].toInt(), columns);
    }

    QTemporaryDir dir_;
};

void FillSummary(Sheet& sheet, int rooms) {
    sheet.Cell(0, 0)->SetText("Material");
    sheet.Cell(0, 1)->SetText("Room");
    sheet.Cell(0, 2)->SetText(QStringLiteral("Area (m²)"));
    sheet.Cell(0, 3)->SetText("Perimeter (m)");
    sheet.Cell(1, 0)->SetText(QStringLiteral("Parkett – Eiche"));
    for (int i = 0; i < rooms; ++i) {
        const int row = i + 2;
        sheet.Cell(row, 1)->SetText(i % 3 == 0 ? QStringLiteral("Hall")
                                               : QStringLiteral("Room %1").arg(i));
        sheet.Cell(row, 2)->SetDouble(10 + i * 0.25);     // RK, several per MULRK
        sheet.Cell(row, 3)->SetDouble(12.123456789 + i);  // NUMBER
    }
    sheet.Cell(1, 2)->SetDouble(37.12);
    sheet.Cell(1, 3)->SetInteger(-123456);
    sheet.Cell(1, 4)->SetInteger(2000000000);
    sheet.Cell(1, 5)->SetText8("plain");
}

TEST_F(WorkbookFile, SmallWorkbookInTheMiniStreamReadsBack) {
    Workbook book;
    FillSummary(*book.GetSheet(0), 6);
    ASSERT_LT(book.WorkbookStream().size(), 4096);
    // Texts: 4 headers, material, "plain", 6 rooms of which 2 are "Hall".
    SaveAndRead(book, 12, 11);
}

TEST_F(WorkbookFile, WorkbookInRegularSectorsWithSeveralSheetsReadsBack) {
    Workbook book(3);
    FillSummary(*book.GetSheet(0), 150);
    book.GetSheet(2)->Cell(40, 200)->SetText("Hall");
    book.GetSheet(2)->Cell(65535, 255)->SetDouble(-0.5);
    ASSERT_GE(book.WorkbookStream().size(), 4096);
    SaveAndRead(book, 157, 107);
}

// Long texts whose string table runs on in CONTINUE records, in a stream long enough for several
// FAT sectors.
TEST_F(WorkbookFile, LargeWorkbookWithThousandsOfNamesReadsBack) {
    Workbook book;
    Sheet& sheet = *book.GetSheet(0);
    for (int i = 0; i < 1000; ++i) {
        sheet.Cell(i, 11)->SetText(
            QStringLiteral("Room %1 – the long north-east bedroom above the garage").arg(i));
    }
    sheet.Cell(1000, 11)->SetText(QString(12000, QChar(0x00DF)));
    // Each row: RK values in a run of five (one MULRK), then NUMBER records.
    for (int row = 0; row < 3000; ++row) {
        for (int column = 0; column < 10; ++column) {
            sheet.Cell(row, column)
                ->SetDouble(column < 5 ? (row * 10 + column) * 0.25 : row * 10 + column + 0.123);
        }
        if (row % 100 == 0) {
            sheet.Cell(row, 10)->SetText(QStringLiteral("Floor %1").arg(row / 100 % 7));
        }
    }
    ASSERT_GT(book.WorkbookStream().size(), 128 * 512);
    if (!SaveAndRead(book, 30 + 1001, 7 + 1001)) {
        return;
    }
    QFile file(PathOf("book.xls"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray header = file.read(512);
    EXPECT_GT(qFromLittleEndian<quint32>(header.constData() + 44), 1u);
}

TEST_F(WorkbookFile, StreamBeyondTheHeadersFatListReadsBack) {
    QByteArray content(8 * 1024 * 1024, '\0');
    for (qsizetype i = 0; i < content.size(); ++i) {
        content[i] = static_cast<char>(i % 251);
    }
    const QString path = PathOf("big.cfb");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(WriteCompoundFile(file, QStringLiteral("Workbook"), content));
    file.close();
    QString skip;
    const QJsonObject view = RunReader({"ole", path, "Workbook"}, skip);
    if (!skip.isEmpty()) {
        GTEST_SKIP() << skip.toStdString();
    }
    EXPECT_EQ(view["size"].toInteger(), content.size());
    EXPECT_EQ(view["md5"].toString(), Md5(content));
    EXPECT_EQ(view["compdoc_md5"].toString(), Md5(content));
    EXPECT_TRUE(view["issues"].toArray().isEmpty());
    EXPECT_EQ(view["compdoc_warnings"].toString(), "");
}

TEST_F(WorkbookFile, SavingReplacesAnOlderFileWhole) {
    const QString path = PathOf("summary.xls");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(100000, 'x'));
    }
    Workbook book;
    book.GetSheet(0)->Cell(0, 0)->SetText("Hall");
    ASSERT_TRUE(book.SaveAs(path));
    QByteArray expected;
    QBuffer buffer(&expected);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(WriteCompoundFile(buffer, "Workbook", book.WorkbookStream()));
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), expected);
}

TEST_F(WorkbookFile, FailedSaveReportsFailureAndLeavesNothing) {
    Workbook book;
    book.GetSheet(0)->Cell(0, 0)->SetText("Hall");
    const QString missingFolder = PathOf("no/such/folder/summary.xls");
    EXPECT_FALSE(book.SaveAs(missingFolder));
    EXPECT_FALSE(book.ErrorString().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(missingFolder));

    // A folder in the way stays a folder.
    const QString folder = PathOf("taken.xls");
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_FALSE(book.SaveAs(folder));
    EXPECT_TRUE(QFileInfo(folder).isDir());

    Workbook noSheets(0);
    EXPECT_FALSE(noSheets.SaveAs(PathOf("empty.xls")));
    EXPECT_FALSE(QFileInfo::exists(PathOf("empty.xls")));
}

}  // namespace
}  // namespace plantrek
