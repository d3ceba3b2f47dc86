#pragma once

#include "export/xls/sheet.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

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

// The 32-bit RK form of a number, or none when it has no exact RK form and needs a NUMBER.
std::optional<quint32> EncodeRk(double value);
std::optional<quint32> EncodeRk(qint32 value);
// The number an RK value stands for, as spreadsheet programs read it.
double DecodeRk(quint32 rk);

// Longest text a cell may hold, in UTF-16 units; longer texts are cut there.
inline constexpr int kMaxCellTextLength = 32767;

}  // namespace plantrek
