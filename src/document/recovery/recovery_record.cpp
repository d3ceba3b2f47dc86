#include "document/recovery/recovery_record.h"

#include <QCryptographicHash>
#include <QList>
#include <QUrl>

namespace plantrek {

namespace {

const QByteArray kHeader = "Plantrek recovery 1";
const QByteArray kRecordKey = "record-sha256 ";

QByteArray Encoded(const QString& text) {
    return QUrl::toPercentEncoding(text);
}

QString Decoded(const QByteArray& text) {
    return QUrl::fromPercentEncoding(text);
}

// The value of a line "key value"; nothing when the line has another key.
std::optional<QByteArray> Value(const QByteArray& line, const char* key) {
    const QByteArray prefix = QByteArray(key) + ' ';
    if (!line.startsWith(prefix)) {
        return std::nullopt;
    }
    return line.mid(prefix.size());
}

std::optional<int> Number(const std::optional<QByteArray>& text) {
    bool ok = false;
    const int value = text ? text->toInt(&ok) : 0;
    return ok && value >= 0 ? std::optional<int>(value) : std::nullopt;
}

std::optional<QByteArray> Hash(const std::optional<QByteArray>& text) {
    if (!text || text->size() != 64) {
        return std::nullopt;
    }
    const QByteArray raw = QByteArray::fromHex(*text);
    return raw.size() == 32 && raw.toHex() == *text ? std::optional<QByteArray>(raw) : std::nullopt;
}

}  // namespace

QByteArray Sha256(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

QByteArray WriteRecoveryRecord(const RecoveryRecord& record) {
    QByteArray text = kHeader + '\n';
    text += "generation " + QByteArray::number(record.generation) + '\n';
    text += "path " + Encoded(record.path) + '\n';
    text += "title " + Encoded(record.title) + '\n';
    text += "changed " + record.changed.toUTC().toString(Qt::ISODateWithMs).toLatin1() + '\n';
    text += "rooms " + QByteArray::number(record.rooms) + '\n';
    text += "state-sha256 " + record.stateSha256.toHex() + '\n';
    text += kRecordKey + Sha256(text).toHex() + '\n';
    return text;
}

std::optional<RecoveryRecord> ReadRecoveryRecord(const QByteArray& bytes) {
    const qsizetype checksumAt = bytes.lastIndexOf('\n' + kRecordKey);
    if (checksumAt < 0 || !bytes.endsWith('\n')) {
        return std::nullopt;
    }
    const QByteArray body = bytes.left(checksumAt + 1);
    const auto checksum = Hash(Value(bytes.mid(checksumAt + 1).chopped(1), "record-sha256"));
    if (!checksum || *checksum != Sha256(body)) {
        return std::nullopt;
    }
    const QList<QByteArray> lines = body.chopped(1).split('\n');
    if (lines.size() != 7 || lines[0] != kHeader) {
        return std::nullopt;
    }
    RecoveryRecord record;
    const auto generation = Number(Value(lines[1], "generation"));
    const auto path = Value(lines[2], "path");
    const auto title = Value(lines[3], "title");
    const auto changed = Value(lines[4], "changed");
    const auto rooms = Number(Value(lines[5], "rooms"));
    const auto state = Hash(Value(lines[6], "state-sha256"));
    if (!generation || !path || !title || !changed || !rooms || !state) {
        return std::nullopt;
    }
    record.generation = *generation;
    record.path = Decoded(*path);
    record.title = Decoded(*title);
    record.changed = QDateTime::fromString(QString::fromLatin1(*changed), Qt::ISODateWithMs);
    record.rooms = *rooms;
    record.stateSha256 = *state;
    if (!record.changed.isValid()) {
        return std::nullopt;
    }
    return record;
}

}  // namespace plantrek
