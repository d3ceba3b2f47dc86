#pragma once

// Helpers for reading back what the workbook writer produced: little-endian fields and the
// record sequence of a BIFF stream.
#include <QByteArray>
#include <QtEndian>

#include <cstring>
#include <vector>

namespace plantrek::testing {

inline quint16 U16(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

inline quint32 U32(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

inline double F64(const QByteArray& bytes, qsizetype at) {
    const quint64 bits = qFromLittleEndian<quint64>(bytes.constData() + at);
    double value = 0.0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

struct Record {
    quint16 type = 0;
    quint32 position = 0;  // of the record header in the stream
    QByteArray data;
};

// Splits a stream into records; stops at a record that runs past the end.
inline std::vector<Record> ParseRecords(const QByteArray& stream) {
    std::vector<Record> records;
    qsizetype at = 0;
    while (at + 4 <= stream.size()) {
        const quint16 type = U16(stream, at);
        const quint16 length = U16(stream, at + 2);
        if (at + 4 + length > stream.size()) {
            break;
        }
        records.push_back({type, static_cast<quint32>(at), stream.mid(at + 4, length)});
        at += 4 + length;
    }
    return records;
}

// Builds little-endian byte strings for expected record bodies.
class Bytes {
public:
    Bytes& u8(quint8 v) {
        bytes_.append(static_cast<char>(v));
        return *this;
    }
    Bytes& u16(quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        bytes_.append(b, 2);
        return *this;
    }
    Bytes& u32(quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        bytes_.append(b, 4);
        return *this;
    }
    Bytes& utf16(const QString& text) {
        for (const QChar c : text) {
            u16(c.unicode());
        }
        return *this;
    }
    operator QByteArray() const { return bytes_; }
    QByteArray bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};

}  // namespace plantrek::testing
