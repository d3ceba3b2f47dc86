#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

// The record beside each recovery state ("site3-12.recovery"): which document the state belongs
// to and a checksum of the state's bytes, itself closed by a checksum of the record. Plain text,
// one field a line, so that a person can read it:
//
//   Plantrek recovery 1
//   generation 12
//   path /home/ann/Sites/Mill%20Lane.tcd      (percent-encoded; empty for an unnamed site)
//   title Mill%20Lane.tcd                     (percent-encoded)
//   changed 2026-12-07T20:31:05.120Z          (the last change, UTC)
//   rooms 14
//   state-sha256 <64 hex digits>              (of the .tcd file's bytes)
//   record-sha256 <64 hex digits>             (of every line above, line ends included)
namespace plantrek {

struct RecoveryRecord {
    int generation = 0;
    QString path;
    QString title;
    QDateTime changed;
    int rooms = 0;
    QByteArray stateSha256;  // raw, 32 bytes

    friend bool operator==(const RecoveryRecord&, const RecoveryRecord&) = default;
};

QByteArray WriteRecoveryRecord(const RecoveryRecord& record);
// Nothing unless every line is there, in order, and both the format and the checksum hold.
std::optional<RecoveryRecord> ReadRecoveryRecord(const QByteArray& bytes);

QByteArray Sha256(const QByteArray& bytes);

}  // namespace plantrek
