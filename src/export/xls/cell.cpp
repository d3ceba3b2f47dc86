#include "export/xls/cell.h"

namespace plantrek {

qint32 Cell::Integer() const {
    const auto* value = std::get_if<qint32>(&value_);
    return value ? *value : 0;
}

double Cell::Double() const {
    const auto* value = std::get_if<double>(&value_);
    return value ? *value : 0.0;
}

QString Cell::Text() const {
    if (const auto* wide = std::get_if<QString>(&value_)) {
        return *wide;
    }
    if (const auto* narrow = std::get_if<QByteArray>(&value_)) {
        return QString::fromLocal8Bit(*narrow);
    }
    return {};
}

QByteArray Cell::Text8() const {
    if (const auto* narrow = std::get_if<QByteArray>(&value_)) {
        return *narrow;
    }
    if (const auto* wide = std::get_if<QString>(&value_)) {
        return wide->toLocal8Bit();
    }
    return {};
}

}  // namespace plantrek
