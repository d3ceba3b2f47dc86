#include "export/xls/biff_writer.h"

#include <QStringList>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <string_view>

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
constexpr qsizetype kBodyPieceSize = 1 << 16;

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

// Room for `size` more bytes at the end of `out`, growing it by at least half when it must grow.
char* Extend(QByteArray& out, qsizetype size) {
    const qsizetype at = out.size();
    if (out.capacity() < at + size) {
        out.reserve(std::max(at + size, out.capacity() + out.capacity() / 2));
    }
    out.resize(at + size);
    return out.data() + at;
}

void AddUtf16(QByteArray& bytes, QStringView text) {
    qToLittleEndian<quint16>(text.utf16(), text.size(), Extend(bytes, 2 * text.size()));
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
QStringView CellText(const QString& text) {
    if (text.size() <= kMaxCellTextLength) {
        return text;
    }
    int length = kMaxCellTextLength;
    if (text[length - 1].isHighSurrogate()) {
        --length;
    }
    return QStringView(text).left(length);
}

// The shared string table: every text once, in order of first use, its characters kept one
// after the other. An open-addressing table of indices finds a text again; it is kept at most
// half full.
struct SharedStrings {
    quint32 total = 0;

    std::size_t Count() const { return starts_.size() - 1; }
    std::u16string_view Text(std::size_t index) const {
        return std::u16string_view(characters_).substr(starts_[index],
                                                       starts_[index + 1] - starts_[index]);
    }

    // The text's index in the table.
    quint32 Add(QStringView text) {
        ++total;
        if (2 * (Count() + 1) > slots_.size()) {
            Reserve(Count() + 1);
        }
        const std::u16string_view view(reinterpret_cast<const char16_t*>(text.utf16()),
                                       static_cast<std::size_t>(text.size()));
        const std::size_t hash = std::hash<std::u16string_view>{}(view);
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
            Slot& s = slots_[slot];
            if (s.index == 0) {
                characters_.append(view);
                starts_.push_back(characters_.size());
                s = {static_cast<quint32>(Count()), hash};
                return s.index - 1;
            }
            if (s.hash == hash && Text(s.index - 1) == view) {
                return s.index - 1;
            }
        }
    }

    // Room for `count` texts without growing the table.
    void Reserve(std::size_t count) {
        std::size_t size = 16;
        while (size < 2 * count) {
            size *= 2;
        }
        if (size <= slots_.size()) {
            return;
        }
        std::vector<Slot> old(size);
        old.swap(slots_);
        const std::size_t mask = size - 1;
        for (const Slot& s : old) {
            if (s.index != 0) {
                std::size_t slot = s.hash & mask;
                while (slots_[slot].index != 0) {
                    slot = (slot + 1) & mask;
                }
                slots_[slot] = s;
            }
        }
        starts_.reserve(count + 1);
    }

private:
    struct Slot {
        quint32 index = 0;  // one past the text's index; 0 for a free slot
        std::size_t hash = 0;
    };

    std::u16string characters_;
    std::vector<std::size_t> starts_{0};  // where each text starts, and where the last ends
    std::vector<Slot> slots_;
};

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
    Add32(records[0], static_cast<quint32>(strings.Count()));

    const int count = static_cast<int>(strings.Count());
    const int perBucket =
        std::max(kMinStringsPerBucket, (count + kMaxExtSstBuckets - 1) / kMaxExtSstBuckets);
    std::vector<Place> bucketStarts;

    for (int i = 0; i < count; ++i) {
        const std::u16string_view text = strings.Text(static_cast<std::size_t>(i));
        const qsizetype length = static_cast<qsizetype>(text.size());
        const int needed = 3 + (text.empty() ? 0 : 2);
        if (kMaxRecordData - records.back().size() < needed) {
            records.emplace_back();
        }
        if (i % perBucket == 0) {
            bucketStarts.push_back(
                {static_cast<int>(records.size()) - 1, static_cast<int>(records.back().size())});
        }
        Add16(records.back(), static_cast<quint16>(length));
        Add8(records.back(), kUtf16Flag);
        qsizetype written = 0;
        while (written < length) {
            qsizetype room = (kMaxRecordData - records.back().size()) / 2;
            if (room == 0) {
                records.emplace_back();
                Add8(records.back(), kUtf16Flag);
                room = (kMaxRecordData - 1) / 2;
            }
            const qsizetype take = std::min(room, length - written);
            AddUtf16(records.back(), QStringView(text.data() + written, take));
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

EncodedCell EncodeNumber(int column, double number, std::optional<quint32> rk) {
    if (rk) {
        return {EncodedCell::Kind::Rk, column, *rk, number};
    }
    return {EncodedCell::Kind::Number, column, 0, number};
}

char* Put16(char* at, quint16 value) {
    qToLittleEndian(value, at);
    return at + 2;
}

char* Put32(char* at, quint32 value) {
    qToLittleEndian(value, at);
    return at + 4;
}

// A record of type and size, with the row, column and XF index every cell record starts with.
char* PutCellHeader(char* at, quint16 type, int size, int row, int column) {
    at = Put16(at, type);
    at = Put16(at, static_cast<quint16>(size));
    at = Put16(at, static_cast<quint16>(row));
    at = Put16(at, static_cast<quint16>(column));
    return Put16(at, 0);  // XF index
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
                const int size = 6 + 6 * static_cast<int>(last - i + 1);
                char* at = Extend(out, kRecordHeaderSize + size);
                at = Put16(at, kMulRk);
                at = Put16(at, static_cast<quint16>(size));
                at = Put16(at, static_cast<quint16>(row));
                at = Put16(at, static_cast<quint16>(cell.column));
                for (std::size_t j = i; j <= last; ++j) {
                    at = Put16(at, 0);  // XF index
                    at = Put32(at, cells[j].value);
                }
                Put16(at, static_cast<quint16>(cells[last].column));
                i = last + 1;
                continue;
            }
            Put32(PutCellHeader(Extend(out, 14), kRk, 10, row, cell.column), cell.value);
        } else if (cell.kind == EncodedCell::Kind::Label) {
            Put32(PutCellHeader(Extend(out, 14), kLabelSst, 10, row, cell.column), cell.value);
        } else {
            quint64 bits = 0;
            std::memcpy(&bits, &cell.number, sizeof bits);
            qToLittleEndian(bits, PutCellHeader(Extend(out, 18), kNumber, 14, row, cell.column));
        }
        ++i;
    }
}

// One sheet's records, encoded as its cells come. The cell records go out in blocks of 32 used
// rows, each block's ROW records first and a DBCELL after it; the INDEX and DIMENSIONS records
// ahead of them are written when the sheet ends.
class SheetEncoder {
public:
    // The sheet's records in three pieces; the INDEX in `head` still needs the position of
    // `head` in the stream added to its DBCELL positions.
    struct Records {
        QByteArray head;
        std::vector<QByteArray> body;
        QByteArray tail;
        qsizetype dbCellList = 0;  // where in `head` the INDEX lists the DBCELL positions
        std::size_t blocks = 0;
    };

    explicit SheetEncoder(QString name) : name_(std::move(name)) {}

    const QString& Name() const { return name_; }

    // Whether a cell may come next.
    bool Accepts(int row, int column) const {
        return row >= 0 && row < Sheet::kMaxRows && column >= 0 && column < Sheet::kMaxColumns &&
               (row > row_ || (row == row_ && column > lastColumn_));
    }

    // A cell that Accepts.
    void Add(int row, const EncodedCell& cell) {
        if (row != row_) {
            EndRow();
            row_ = row;
        }
        lastColumn_ = cell.column;
        rowCells_.push_back(cell);
    }

    Records Finish() {
        EndRow();
        EndBlock();
        Records records;
        records.body = std::move(body_);
        records.blocks = dbCells_.size();
        const bool empty = dbCells_.empty();

        QByteArray& head = records.head;
        AddBof(head, kWorksheetSubstream);
        const quint32 endRow = empty ? 0 : lastUsedRow_ + 1;
        QByteArray index;
        Add32(index, 0);
        Add32(index, empty ? 0 : firstUsedRow_);
        Add32(index, endRow);
        Add32(index, 0);  // no DEFCOLWIDTH record
        records.dbCellList = head.size() + kRecordHeaderSize + index.size();
        // Each DBCELL's place counted from the end of the head; the stream position of that is
        // added once it is known.
        for (const quint32 dbCell : dbCells_) {
            Add32(index, dbCell);
        }
        AddRecord(head, kIndex, index);
        QByteArray dimensions;
        Add32(dimensions, empty ? 0 : firstUsedRow_);
        Add32(dimensions, endRow);
        Add16(dimensions, static_cast<quint16>(empty ? 0 : firstColumn_));
        Add16(dimensions, static_cast<quint16>(empty ? 0 : lastUsedColumn_ + 1));
        Add16(dimensions, 0);
        AddRecord(head, kDimensions, dimensions);
        const qsizetype listEnd = records.dbCellList + 4 * static_cast<qsizetype>(records.blocks);
        for (qsizetype at = records.dbCellList; at < listEnd; at += 4) {
            Patch32(head, at, qFromLittleEndian<quint32>(head.constData() + at) + Position(head));
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
        AddRecord(records.tail, kWindow2, window2);
        AddRecord(records.tail, kEof);
        return records;
    }

private:
    void EndRow() {
        if (rowCells_.empty()) {
            return;
        }
        const int first = rowCells_.front().column;
        const int last = rowCells_.back().column;
        char* at = Extend(blockRows_, kRowRecordSize);
        at = Put16(at, kRow);
        at = Put16(at, kRowRecordSize - kRecordHeaderSize);
        at = Put16(at, static_cast<quint16>(row_));
        at = Put16(at, static_cast<quint16>(first));
        at = Put16(at, static_cast<quint16>(last + 1));
        at = Put16(at, 0x00FF);  // height
        at = Put16(at, 0);
        at = Put16(at, 0);
        Put32(at, 0);  // options and XF index
        rowStarts_.push_back(static_cast<quint32>(blockCells_.size()));
        AddRowCells(blockCells_, row_, rowCells_);
        rowCells_.clear();

        if (lastUsedRow_ < 0) {
            firstUsedRow_ = row_;
        }
        lastUsedRow_ = row_;
        firstColumn_ = std::min(firstColumn_, first);
        lastUsedColumn_ = std::max(lastUsedColumn_, last);
        if (rowStarts_.size() == kRowsPerBlock) {
            EndBlock();
        }
    }

    void EndBlock() {
        if (rowStarts_.empty()) {
            return;
        }
        // The blocks are gathered in pieces of a moderate size rather than in one that grows.
        if (body_.empty() || body_.back().size() >= kBodyPieceSize) {
            body_.emplace_back();
            body_.back().reserve(kBodyPieceSize + blockRows_.size() + blockCells_.size() + 128);
        }
        QByteArray& piece = body_.back();
        const quint32 firstRowRecord = bodySize_;
        const quint32 firstCell = firstRowRecord + Position(blockRows_);
        const quint32 dbCell = firstCell + Position(blockCells_);
        piece.append(blockRows_);
        piece.append(blockCells_);
        const int dbCellSize = 4 + 2 * static_cast<int>(rowStarts_.size());
        bodySize_ = dbCell + kRecordHeaderSize + dbCellSize;
        // Offsets: back to the first ROW record; then from the end of the first ROW record to
        // the first row's cells, and from each row's cells to the next row's.
        char* at = Extend(piece, kRecordHeaderSize + dbCellSize);
        at = Put16(at, kDbCell);
        at = Put16(at, static_cast<quint16>(dbCellSize));
        at = Put32(at, dbCell - firstRowRecord);
        quint32 previous = firstRowRecord + kRowRecordSize;
        for (const quint32 start : rowStarts_) {
            at = Put16(at, static_cast<quint16>(firstCell + start - previous));
            previous = firstCell + start;
        }
        dbCells_.push_back(dbCell);
        blockRows_.resize(0);  // keeps the capacity
        blockCells_.resize(0);
        rowStarts_.clear();
    }

    QString name_;
    int row_ = -1;  // the row of the cells in rowCells_, or the last one written
    int lastColumn_ = -1;
    std::vector<EncodedCell> rowCells_;
    QByteArray blockRows_;            // the ROW records of the block being filled
    QByteArray blockCells_;           // and its cell records
    std::vector<quint32> rowStarts_;  // where each row's cells start in blockCells_
    std::vector<QByteArray> body_;    // the finished blocks
    quint32 bodySize_ = 0;            // their size in all
    std::vector<quint32> dbCells_;    // where each block's DBCELL is in the blocks
    int firstUsedRow_ = 0;
    int lastUsedRow_ = -1;
    int firstColumn_ = Sheet::kMaxColumns;
    int lastUsedColumn_ = -1;
};

}  // namespace

struct BiffWorkbookWriter::State {
    SharedStrings strings;
    std::vector<SheetEncoder> sheets;

    SheetEncoder* Accepting(int row, int column) {
        Q_ASSERT(!sheets.empty());
        return !sheets.empty() && sheets.back().Accepts(row, column) ? &sheets.back() : nullptr;
    }
};

BiffWorkbookWriter::BiffWorkbookWriter() : state_(std::make_unique<State>()) {}

BiffWorkbookWriter::~BiffWorkbookWriter() = default;

void BiffWorkbookWriter::BeginSheet(const QString& name) {
    state_->sheets.emplace_back(name);
}

void BiffWorkbookWriter::ReserveTexts(qsizetype count) {
    state_->strings.Reserve(static_cast<std::size_t>(std::max<qsizetype>(count, 0)));
}

bool BiffWorkbookWriter::Text(int row, int column, const QString& text) {
    SheetEncoder* sheet = state_->Accepting(row, column);
    if (sheet != nullptr) {
        sheet->Add(row, {EncodedCell::Kind::Label, column,
                         state_->strings.Add(CellText(text)), 0.0});
    }
    return sheet != nullptr;
}

bool BiffWorkbookWriter::Integer(int row, int column, qint32 value) {
    SheetEncoder* sheet = state_->Accepting(row, column);
    if (sheet != nullptr) {
        sheet->Add(row, EncodeNumber(column, value, EncodeRk(value)));
    }
    return sheet != nullptr;
}

bool BiffWorkbookWriter::Double(int row, int column, double value) {
    SheetEncoder* sheet = state_->Accepting(row, column);
    if (sheet != nullptr) {
        sheet->Add(row, EncodeNumber(column, value, EncodeRk(value)));
    }
    return sheet != nullptr;
}

std::vector<QByteArray> BiffWorkbookWriter::Finish() {
    QByteArray globals;
    AddBof(globals, kGlobalsSubstream);
    AddWindow1(globals);
    for (int i = 0; i < kFontCount; ++i) {
        AddFont(globals);
    }
    for (int i = 0; i < kXfCount; ++i) {
        AddXf(globals);
    }
    for (int i = 0; i < kStyleCount; ++i) {
        AddStyle(globals);
    }
    std::vector<qsizetype> sheetPositions;
    for (const SheetEncoder& sheet : state_->sheets) {
        sheetPositions.push_back(AddBoundSheet(globals, sheet.Name()));
    }
    AddSharedStrings(globals, state_->strings);
    AddRecord(globals, kEof);

    std::vector<QByteArray> pieces;
    quint32 position = Position(globals);
    pieces.push_back(std::move(globals));
    for (std::size_t i = 0; i < state_->sheets.size(); ++i) {
        SheetEncoder::Records records = state_->sheets[i].Finish();
        Patch32(pieces.front(), sheetPositions[i], position);
        const qsizetype end = records.dbCellList + 4 * static_cast<qsizetype>(records.blocks);
        for (qsizetype at = records.dbCellList; at < end; at += 4) {
            Patch32(records.head, at,
                    qFromLittleEndian<quint32>(records.head.constData() + at) + position);
        }
        position += Position(records.head) + Position(records.tail);
        pieces.push_back(std::move(records.head));
        for (QByteArray& piece : records.body) {
            position += Position(piece);
            pieces.push_back(std::move(piece));
        }
        pieces.push_back(std::move(records.tail));
    }
    state_ = std::make_unique<State>();
    return pieces;
}

QByteArray BuildWorkbookStream(const std::vector<BiffSheet>& sheets) {
    BiffWorkbookWriter writer;
    qsizetype texts = 0;
    for (const BiffSheet& sheet : sheets) {
        for (const auto& [row, cells] : sheet.sheet->TouchedRows()) {
            for (const auto& [column, cell] : cells) {
                texts += cell.Type() == CellType::Text || cell.Type() == CellType::Text8 ? 1 : 0;
            }
        }
    }
    writer.ReserveTexts(texts);
    for (const BiffSheet& sheet : sheets) {
        writer.BeginSheet(sheet.name);
        for (const auto& [row, cells] : sheet.sheet->TouchedRows()) {
            for (const auto& [column, cell] : cells) {
                switch (cell.Type()) {
                    case CellType::Empty:
                        break;
                    case CellType::Integer:
                        writer.Integer(row, column, cell.Integer());
                        break;
                    case CellType::Double:
                        writer.Double(row, column, cell.Double());
                        break;
                    case CellType::Text:
                    case CellType::Text8:
                        writer.Text(row, column, cell.Text());
                        break;
                }
            }
        }
    }
    const std::vector<QByteArray> pieces = writer.Finish();
    qsizetype size = 0;
    for (const QByteArray& piece : pieces) {
        size += piece.size();
    }
    QByteArray stream;
    stream.reserve(size);
    for (const QByteArray& piece : pieces) {
        stream += piece;
    }
    return stream;
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
