#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <variant>

namespace plantrek {

enum class CellType { Empty, Integer, Double, Text8, Text };

// One spreadsheet cell: empty, a number or a text. 8-bit text is kept as given (the local code
// page) and only converted when the workbook is written.
class Cell {
public:
    CellType Type() const { return static_cast<CellType>(value_.index()); }
    bool IsEmpty() const { return Type() == CellType::Empty; }

    void Clear() { value_ = std::monostate{}; }
    void SetInteger(qint32 value) { value_ = value; }
    void SetDouble(double value) { value_ = value; }
    void SetText8(const QByteArray& text) { value_ = text; }
    void SetText(const QString& text) { value_ = text; }

    // Zero unless the cell holds that kind of number.
    qint32 Integer() const;
    double Double() const;
    // The text in UTF-16; an 8-bit text is converted from the local code page. Empty for numbers.
    QString Text() const;
    // The text in 8-bit form: as stored, or converted to the local code page. Empty for numbers.
    QByteArray Text8() const;

private:
    // The alternatives are in the order of CellType.
    std::variant<std::monostate, qint32, double, QByteArray, QString> value_;
};

}  // namespace plantrek
