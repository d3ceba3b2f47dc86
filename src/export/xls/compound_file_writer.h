#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QtGlobal>

#include <vector>

namespace plantrek {

// Values and sizes of the compound file format (version 3) as this writer uses them.
namespace cfb {
inline constexpr quint32 kFreeSector = 0xFFFFFFFF;
inline constexpr quint32 kEndOfChain = 0xFFFFFFFE;
inline constexpr quint32 kFatSector = 0xFFFFFFFD;
inline constexpr quint32 kDifatSector = 0xFFFFFFFC;
inline constexpr quint32 kNoStream = 0xFFFFFFFF;
inline constexpr int kSectorSize = 512;
inline constexpr int kMiniSectorSize = 64;
inline constexpr int kMiniStreamCutoff = 4096;
inline constexpr int kHeaderDifatEntries = 109;
}  // namespace cfb

// Writes a complete compound file holding one stream in its root storage. Streams shorter than
// the mini stream cutoff go into mini sectors, longer ones into regular sectors; the FAT grows
// into further sectors (listed in DIFAT sectors past the header's 109 entries) as needed.
// False when the device does not take all bytes or the stream is too large for the format.
bool WriteCompoundFile(QIODevice& device, const QString& streamName, const QByteArray& content);
// The same with the stream given in pieces, written one after the other.
bool WriteCompoundFile(QIODevice& device, const QString& streamName,
                       const std::vector<QByteArray>& content);

}  // namespace plantrek
