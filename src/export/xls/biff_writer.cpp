#include "export/xls/biff_writer.h"

#include <QHash>
#include <QStringList>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace plantrek {

namespace {

// Record types.
constexpr quint16 kBof = 0x0809;
constexpr quint16 kWindow1 = 0x003D;
constexpr quint16 kFont = 0x0031;
constexpr quint16 kXf = 0x00E0;
constexpr quint16 kStyle = 0x0293;
constexpr quint16 kBoundSheet = 0x0085;
constexpr quint16 kSst = 0x00FC;
constexpr quint16 kContinue = 0x003C;
constexpr quint16 kExtSst = 0x00FF;
constexpr quint16 kEof = 0x000A;
constexpr quint16 kIndex = 0x020B;
constexpr quint16 kDimensions = 0x0200;
constexpr quint16 kRow = 0x0208;
constexpr quint16 kDbCell = 0x00D7;
constexpr quint16 kWindow2 = 0x023E;
constexpr quint16 kLabelSst = 0x00FD;
constexpr quint16 kRk = 0x027E;
constexpr quint16 kMulRk = 0x00BD;
constexpr quint16 kNumber = 0x0203;

constexpr quint16 kGlobalsSubstream = 0x0005;
constexpr quint16 kWorksheetSubstream = 0x0010;

constexpr int kRecordHeaderSize = 4;
constexpr int kMaxRecordData = 8224;
constexpr int kRowRecordSize = kRecordHeaderSize + 16;
constexpr int kRowsPerBlock = 32;
constexpr int kFontCount = 4;
constexpr int kXfCount = 21;
constexpr int kStyleCount = 6;
constexpr int kMaxExtSstBuckets = 128;
constexpr int kMinStringsPerBucket = 8;
constexpr quint8 kUtf16Flag = 0x01;
constexpr int kMaxSheetNameLength = 31;

void Add8(QByteArray& bytes, quint8 value) {
    bytes.append(static_cast<char>(value));
}

void Add16(QByteArray& bytes, quint16 value) {
    char buffer[2];
    qToLittleEndian(value, buffer);
    bytes.append(buffer, sizeof buffer);
}

void Add32(QByteArray& bytes, quint32 value) {
    char buffer[4];
    qToLittleEndian(value, buffer);
    bytes.append(buffer, sizeof buffer);
}

void AddDouble(QByteArray& bytes, double value) {
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    char buffer[8];
    qToLittleEndian(bits, buffer);
    bytes.append(buffer, sizeof buffer);
}

void AddUtf16(QByteArray& bytes, QStringView text) {
    for (const QChar c : text) {
        Add16(bytes, c.unicode());
    }
}

void Patch32(QByteArray& bytes, qsizetype at, quint32 value) {
    qToLittleEndian(value, bytes.data() + at);
}

void AddRecord(QByteArray& out, quint16 type, const QByteArray& body = {}) {
    Add16(out, type);
    Add16(out, static_cast<quint16>(body.size()));
    out.append(body);
}

quint32 Position(const QByteArray& out) {
    return static_cast<quint32>(out.size());
}

// Cuts a text to what a cell may hold without splitting a surrogate pair.
QString CellText(const Cell& cell) {
    QString text = cell.Text();
    if (text.size() > kMaxCellTextLength) {
        int length = kMaxCellTextLength;
        if (text[length - 1].isHighSurrogate()) {
            --length;
        }
        text.truncate(length);
    }
    return text;
}

bool IsText(const Cell& cell) {
    return cell.Type() == CellType::Text || cell.Type() == CellType::Text8;
}

// The shared string table: every text once, in order of first use; and the index of each text
// cell's string, in the order the cells are written.
struct SharedStrings {
    QHash<QString, quint32> indexOf;
    QStringList unique;
    quint32 total = 0;
    std::vector<quint32> cellIndices;

    void Add(const QString& text) {
        ++total;
        const qsizetype before = indexOf.size();
        quint32& index = indexOf[text];
        if (indexOf.size() != before) {
            index = static_cast<quint32>(unique.size());
            unique.append(text);
        }
        cellIndices.push_back(index);
    }
};

SharedStrings CollectStrings(const std::vector<BiffSheet>& sheets) {
    SharedStrings strings;
    qsizetype texts = 0;
    for (const BiffSheet& sheet : sheets) {
        for (const auto& [row, cells] : sheet.sheet->TouchedRows()) {
            for (const auto& [column, cell] : cells) {
                texts += IsText(cell) ? 1 : 0;
            }
        }
    }
    strings.indexOf.reserve(texts);
    strings.cellIndices.reserve(static_cast<std::size_t>(texts));
    for (const BiffSheet& sheet : sheets) {
        for (const auto& [row, cells] : sheet.sheet->TouchedRows()) {
            for (const auto& [column, cell] : cells) {
                if (IsText(cell)) {
                    strings.Add(CellText(cell));
                }
            }
        }
    }
    return strings;
}

void AddRecordHeader(QByteArray& out, quint16 type, int size) {
    Add16(out, type);
    Add16(out, static_cast<quint16>(size));
}

void AddBof(QByteArray& out, quint16 substream) {
    QByteArray body;
    Add16(body, 0x0600);  // BIFF8
    Add16(body, substream);
    Add16(body, 0x19A0);  // build
    Add16(body, 0x07CD);  // year
    Add32(body, 0x0000C0C9);
    Add32(body, 0x00000306);
    AddRecord(out, kBof, body);
}

void AddWindow1(QByteArray& out) {
    QByteArray body;
    Add16(body, 120);    // horizontal position
    Add16(body, 120);    // vertical position
    Add16(body, 15135);  // width
    Add16(body, 9300);   // height
    Add16(body, 0x0038);
    Add16(body, 0);  // active sheet
    Add16(body, 0);  // first visible tab
    Add16(body, 1);  // selected tabs
    Add16(body, 600);
    AddRecord(out, kWindow1, body);
}

void AddFont(QByteArray& out) {
    static const QString kName = QStringLiteral("Arial");
    QByteArray body;
    Add16(body, 200);  // height in twips
    Add16(body, 0);    // options
    Add16(body, 0x7FFF);
    Add16(body, 400);  // weight
    Add16(body, 0);    // escapement
    Add8(body, 0);     // underline
    Add8(body, 0);     // family
    Add8(body, 0);     // character set
    Add8(body, 0);
    Add8(body, static_cast<quint8>(kName.size()));
    Add8(body, kUtf16Flag);
    AddUtf16(body, kName);
    AddRecord(out, kFont, body);
}

void AddXf(QByteArray& out) {
    QByteArray body;
    Add16(body, 0);       // font
    Add16(body, 0);       // number format
    Add16(body, 0xFFF5);  // style XF, locked
    Add8(body, 0x20);     // alignment
    Add8(body, 0);        // rotation
    Add8(body, 0);        // indent
    Add8(body, 0);        // used attributes
    Add32(body, 0);       // border lines
    Add32(body, 0);       // border colours
    Add16(body, 0x20C0);  // pattern colours
    AddRecord(out, kXf, body);
}

void AddStyle(QByteArray& out) {
    QByteArray body;
    Add16(body, 0x8000);  // built-in style on XF 0
    Add8(body, 0);        // "Normal"
    Add8(body, 0xFF);     // outline level
    AddRecord(out, kStyle, body);
}

// Returns where the sheet's stream position goes, to be filled in once it is known.
qsizetype AddBoundSheet(QByteArray& out, const QString& name) {
    const QString shortName = name.left(kMaxSheetNameLength);
    QByteArray body;
    Add32(body, 0);
    Add8(body, 0);  // visible
    Add8(body, 0);  // worksheet
    Add8(body, static_cast<quint8>(shortName.size()));
    Add8(body, kUtf16Flag);
    AddUtf16(body, shortName);
    const qsizetype position = out.size() + kRecordHeaderSize;
    AddRecord(out, kBoundSheet, body);
    return position;
}

// The SST record and as many CONTINUE records as the strings need. A string's length and flags
// always stay in one record with its first character; when its characters run on into a
// CONTINUE record, that record starts with the flags byte again. Also writes EXTSST, which
// points at every bucket's first string.
void AddSharedStrings(QByteArray& out, const SharedStrings& strings) {
    struct Place {
        int record;
        int offset;  // within the record's data
    };
    std::vector<QByteArray> records(1);
    Add32(records[0], strings.total);
    Add32(records[0], static_cast<quint32>(strings.unique.size()));

    const int count = static_cast<int>(strings.unique.size());
    const int perBucket =
        std::max(kMinStringsPerBucket, (count + kMaxExtSstBuckets - 1) / kMaxExtSstBuckets);
    std::vector<Place> bucketStarts;

    for (int i = 0; i < count; ++i) {
        const QString& text = strings.unique[i];
        const int needed = 3 + (text.isEmpty() ? 0 : 2);
        if (kMaxRecordData - records.back().size() < needed) {
            records.emplace_back();
        }
        if (i % perBucket == 0) {
            bucketStarts.push_back(
                {static_cast<int>(records.size()) - 1, static_cast<int>(records.back().size())});
        }
        Add16(records.back(), static_cast<quint16>(text.size()));
        Add8(records.back(), kUtf16Flag);
        qsizetype written = 0;
        while (written < text.size()) {
            qsizetype room = (kMaxRecordData - records.back().size()) / 2;
            if (room == 0) {
                records.emplace_back();
                Add8(records.back(), kUtf16Flag);
                room = (kMaxRecordData - 1) / 2;
            }
            const qsizetype take = std::min(room, text.size() - written);
            AddUtf16(records.back(), QStringView(text).mid(written, take));
            written += take;
        }
    }

    std::vector<quint32> recordStarts;
    for (std::size_t i = 0; i < records.size(); ++i) {
        recordStarts.push_back(Position(out));
        AddRecord(out, i == 0 ? kSst : kContinue, records[i]);
    }

    QByteArray extSst;
    Add16(extSst, static_cast<quint16>(perBucket));
    for (const Place& place : bucketStarts) {
        const quint32 inRecord = kRecordHeaderSize + place.offset;
        Add32(extSst, recordStarts[place.record] + inRecord);
        Add16(extSst, static_cast<quint16>(inRecord));
        Add16(extSst, 0);
    }
    AddRecord(out, kExtSst, extSst);
}

// How one non-empty cell is stored.
struct EncodedCell {
    enum class Kind { Label, Rk, Number } kind;
    int column;
    quint32 value;  // SST index or RK value
    double number;
};

// `label` is the SST index of the next text cell, and moves past it when the cell is a text.
EncodedCell Encode(int column, const Cell& cell, const quint32*& label) {
    std::optional<quint32> rk;
    double number = 0.0;
    switch (cell.Type()) {
        case CellType::Text:
        case CellType::Text8:
            return {EncodedCell::Kind::Label, column, *label++, 0.0};
        case CellType::Integer:
            rk = EncodeRk(cell.Integer());
            number = cell.Integer();
            break;
        case CellType::Double:
            rk = EncodeRk(cell.Double());
            number = cell.Double();
            break;
        case CellType::Empty:
            break;
    }
    if (rk) {
        return {EncodedCell::Kind::Rk, column, *rk, number};
    }
    return {EncodedCell::Kind::Number, column, 0, number};
}

void AddCellHeader(QByteArray& out, int row, int column) {
    Add16(out, static_cast<quint16>(row));
    Add16(out, static_cast<quint16>(column));
    Add16(out, 0);  // XF index
}

// The cell records of one row; RK values in adjacent columns share one MULRK.
void AddRowCells(QByteArray& out, int row, const std::vector<EncodedCell>& cells) {
    for (std::size_t i = 0; i < cells.size();) {
        const EncodedCell& cell = cells[i];
        if (cell.kind == EncodedCell::Kind::Rk) {
            std::size_t last = i;
            while (last + 1 < cells.size() && cells[last + 1].kind == EncodedCell::Kind::Rk &&
                   cells[last + 1].column == cells[last].column + 1) {
                ++last;
            }
            if (last > i) {
                AddRecordHeader(out, kMulRk, 6 + 6 * static_cast<int>(last - i + 1));
                Add16(out, static_cast<quint16>(row));
                Add16(out, static_cast<quint16>(cell.column));
                for (std::size_t j = i; j <= last; ++j) {
                    Add16(out, 0);  // XF index
                    Add32(out, cells[j].value);
                }
                Add16(out, static_cast<quint16>(cells[last].column));
                i = last + 1;
                continue;
            }
            AddRecordHeader(out, kRk, 10);
            AddCellHeader(out, row, cell.column);
            Add32(out, cell.value);
        } else if (cell.kind == EncodedCell::Kind::Label) {
            AddRecordHeader(out, kLabelSst, 10);
            AddCellHeader(out, row, cell.column);
            Add32(out, cell.value);
        } else {
            AddRecordHeader(out, kNumber, 14);
            AddCellHeader(out, row, cell.column);
            AddDouble(out, cell.number);
        }
        ++i;
    }
}

struct UsedRow {
    int row;
    std::vector<EncodedCell> cells;
};

void AddSheet(QByteArray& out, const Sheet& sheet, const quint32*& label) {
    std::vector<UsedRow> rows;
    int firstColumn = Sheet::kMaxColumns;
    int lastColumn = -1;
    for (const auto& [row, cells] : sheet.TouchedRows()) {
        UsedRow used{row, {}};
        for (const auto& [column, cell] : cells) {
            if (!cell.IsEmpty()) {
                used.cells.push_back(Encode(column, cell, label));
            }
        }
        if (!used.cells.empty()) {
            firstColumn = std::min(firstColumn, used.cells.front().column);
            lastColumn = std::max(lastColumn, used.cells.back().column);
            rows.push_back(std::move(used));
        }
    }
    const quint32 firstRow = rows.empty() ? 0 : rows.front().row;
    const quint32 endRow = rows.empty() ? 0 : rows.back().row + 1;
    const quint16 columnBegin = rows.empty() ? 0 : firstColumn;
    const quint16 columnEnd = rows.empty() ? 0 : lastColumn + 1;
    const std::size_t blocks = (rows.size() + kRowsPerBlock - 1) / kRowsPerBlock;

    AddBof(out, kWorksheetSubstream);

    QByteArray index;
    Add32(index, 0);
    Add32(index, firstRow);
    Add32(index, endRow);
    Add32(index, 0);  // no DEFCOLWIDTH record
    const qsizetype dbCellList = out.size() + kRecordHeaderSize + index.size();
    for (std::size_t i = 0; i < blocks; ++i) {
        Add32(index, 0);  // filled in below
    }
    AddRecord(out, kIndex, index);

    QByteArray dimensions;
    Add32(dimensions, firstRow);
    Add32(dimensions, endRow);
    Add16(dimensions, columnBegin);
    Add16(dimensions, columnEnd);
    Add16(dimensions, 0);
    AddRecord(out, kDimensions, dimensions);

    for (std::size_t block = 0; block < blocks; ++block) {
        const std::size_t begin = block * kRowsPerBlock;
        const std::size_t end = std::min(rows.size(), begin + kRowsPerBlock);
        const quint32 firstRowRecord = Position(out);
        for (std::size_t i = begin; i < end; ++i) {
            QByteArray body;
            Add16(body, static_cast<quint16>(rows[i].row));
            Add16(body, static_cast<quint16>(rows[i].cells.front().column));
            Add16(body, static_cast<quint16>(rows[i].cells.back().column + 1));
            Add16(body, 0x00FF);  // height
            Add16(body, 0);
            Add16(body, 0);
            Add32(body, 0);  // options and XF index
            AddRecord(out, kRow, body);
        }
        std::vector<quint32> firstCells;
        for (std::size_t i = begin; i < end; ++i) {
            firstCells.push_back(Position(out));
            AddRowCells(out, rows[i].row, rows[i].cells);
        }
        const quint32 dbCell = Position(out);
        // Offsets: back to the first ROW record; then from the end of the first ROW record to
        // the first row's cells, and from each row's cells to the next row's.
        QByteArray body;
        Add32(body, dbCell - firstRowRecord);
        quint32 previous = firstRowRecord + kRowRecordSize;
        for (const quint32 start : firstCells) {
            Add16(body, static_cast<quint16>(start - previous));
            previous = start;
        }
        AddRecord(out, kDbCell, body);
        Patch32(out, dbCellList + 4 * static_cast<qsizetype>(block), dbCell);
    }

    QByteArray window2;
    Add16(window2, 0x06B6);
    Add16(window2, 0);  // first row
    Add16(window2, 0);  // first column
    Add16(window2, 0x40);
    Add16(window2, 0);
    Add16(window2, 0);
    Add16(window2, 0);
    Add32(window2, 0);
    AddRecord(out, kWindow2, window2);
    AddRecord(out, kEof);
}

}  // namespace

QByteArray BuildWorkbookStream(const std::vector<BiffSheet>& sheets) {
    const SharedStrings strings = CollectStrings(sheets);

    QByteArray out;
    AddBof(out, kGlobalsSubstream);
    AddWindow1(out);
    for (int i = 0; i < kFontCount; ++i) {
        AddFont(out);
    }
    for (int i = 0; i < kXfCount; ++i) {
        AddXf(out);
    }
    for (int i = 0; i < kStyleCount; ++i) {
        AddStyle(out);
    }
    std::vector<qsizetype> sheetPositions;
    for (const BiffSheet& sheet : sheets) {
        sheetPositions.push_back(AddBoundSheet(out, sheet.name));
    }
    AddSharedStrings(out, strings);
    AddRecord(out, kEof);

    const quint32* label = strings.cellIndices.data();
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        Patch32(out, sheetPositions[i], Position(out));
        AddSheet(out, *sheets[i].sheet, label);
    }
    return out;
}

std::optional<quint32> EncodeRk(qint32 value) {
    // 30 bits hold the integer; larger ones may still have an exact floating-point form.
    constexpr qint32 kLimit = 1 << 29;
    if (value >= -kLimit && value < kLimit) {
        return (static_cast<quint32>(value) << 2) | 2u;
    }
    return EncodeRk(static_cast<double>(value));
}

std::optional<quint32> EncodeRk(double value) {
    const double hundredths = std::trunc(value * 100);
    if (!(hundredths * 100 == std::trunc(value * 10000))) {
        return std::nullopt;
    }
    const bool scaled = std::trunc(value) * 100 != hundredths;
    const double stored = scaled ? value * 100 : value;
    quint64 bits = 0;
    std::memcpy(&bits, &stored, sizeof bits);
    quint32 rk = static_cast<quint32>(bits >> 32) & ~3u;
    if (scaled) {
        rk |= 1u;
    }
    // Only the upper 30 bits survive, so many values that pass the test above would come back
    // altered (37.12 reads as 37.1199999...); those are stored exactly as NUMBER instead.
    if (DecodeRk(rk) != value) {
        return std::nullopt;
    }
    return rk;
}

double DecodeRk(quint32 rk) {
    double value = 0.0;
    if (rk & 2u) {
        value = static_cast<qint32>(rk) >> 2;
    } else {
        const quint64 bits = static_cast<quint64>(rk & ~3u) << 32;
        std::memcpy(&value, &bits, sizeof value);
    }
    if (rk & 1u) {
        value /= 100;
    }
    return value;
}

}  // namespace plantrek
