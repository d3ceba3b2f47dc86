#pragma once

#include "export/xls/sheet.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <memory>
#include <optional>
#include <vector>

namespace plantrek {

struct BiffSheet {
    QString name;
    const Sheet* sheet = nullptr;
};

// The BIFF8 records of a workbook with these sheets: the workbook globals with the shared
// string table, then each sheet's substream.
QByteArray BuildWorkbookStream(const std::vector<BiffSheet>& sheets);

// The same records written as the cells come: sheet by sheet, within a sheet row by row and
// within a row from left to right. Texts join the shared string table as they come and each row
// is encoded when it ends, so no grid of cells is kept; the same cells give the same bytes as
// BuildWorkbookStream.
class BiffWorkbookWriter {
public:
    BiffWorkbookWriter();
    ~BiffWorkbookWriter();
    BiffWorkbookWriter(const BiffWorkbookWriter&) = delete;
    BiffWorkbookWriter& operator=(const BiffWorkbookWriter&) = delete;

    // Starts the next sheet. Every cell goes into the sheet begun last.
    void BeginSheet(const QString& name);
    // Makes room for about this many different texts in the shared string table.
    void ReserveTexts(qsizetype count);

    // False, and nothing written, for a cell outside the sheet or not after the last one written.
    // Texts longer than a cell holds are cut.
    bool Text(int row, int column, const QString& text);
    bool Integer(int row, int column, qint32 value);
    bool Double(int row, int column, double value);

    // Ends the writing: the stream in pieces, in order (the globals, then each sheet's records
    // in a few pieces), to be written one after the other.
    std::vector<QByteArray> Finish();

private:
    struct State;
    std::unique_ptr<State> state_;
};

// The 32-bit RK form of a number, or none when it has no exact RK form and needs a NUMBER.
std::optional<quint32> EncodeRk(double value);
std::optional<quint32> EncodeRk(qint32 value);
// The number an RK value stands for, as spreadsheet programs read it.
double DecodeRk(quint32 rk);

// Longest text a cell may hold, in UTF-16 units; longer texts are cut there.
inline constexpr int kMaxCellTextLength = 32767;

}  // namespace plantrek
