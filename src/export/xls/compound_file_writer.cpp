#include "export/xls/compound_file_writer.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

namespace plantrek {

namespace {

using namespace cfb;

constexpr int kEntriesPerSector = kSectorSize / 4;
constexpr int kDirectoryEntrySize = 128;
constexpr int kMaxNameLength = 31;  // UTF-16 units, the terminator fills the 32nd
constexpr quint8 kStorageType = 1;
constexpr quint8 kStreamType = 2;
constexpr quint8 kRootType = 5;
constexpr quint8 kBlack = 1;

quint64 DivideRoundingUp(quint64 value, quint64 divisor) {
    return (value + divisor - 1) / divisor;
}

void Put16(QByteArray& bytes, qsizetype at, quint16 value) {
    qToLittleEndian(value, bytes.data() + at);
}

void Put32(QByteArray& bytes, qsizetype at, quint32 value) {
    qToLittleEndian(value, bytes.data() + at);
}

// Links `count` consecutive entries starting at `first` into one chain.
void Chain(std::vector<quint32>& table, quint32 first, quint32 count) {
    for (quint32 i = 0; i < count; ++i) {
        table[first + i] = i + 1 < count ? first + i + 1 : kEndOfChain;
    }
}

struct DirectoryEntry {
    QString name;
    quint8 type = kStorageType;
    quint32 child = kNoStream;
    quint32 start = kEndOfChain;
    quint32 size = 0;
};

void PutDirectoryEntry(QByteArray& file, qsizetype at, const DirectoryEntry& entry) {
    for (int i = 0; i < entry.name.size(); ++i) {
        Put16(file, at + 2 * i, entry.name[i].unicode());
    }
    Put16(file, at + 64, static_cast<quint16>((entry.name.size() + 1) * 2));
    file[at + 66] = static_cast<char>(entry.type);
    file[at + 67] = static_cast<char>(kBlack);
    Put32(file, at + 68, kNoStream);  // left sibling
    Put32(file, at + 72, kNoStream);  // right sibling
    Put32(file, at + 76, entry.child);
    Put32(file, at + 116, entry.start);
    Put32(file, at + 120, entry.size);
}

// An unused slot of a directory sector: all zero but for its three links.
void PutUnusedDirectoryEntry(QByteArray& file, qsizetype at) {
    Put32(file, at + 68, kNoStream);
    Put32(file, at + 72, kNoStream);
    Put32(file, at + 76, kNoStream);
}

// Writes in blocks, so that a large stream is not gathered again by a device that buffers.
bool WriteAll(QIODevice& device, const char* data, qsizetype size) {
    constexpr qsizetype kBlock = 1 << 16;
    for (qsizetype done = 0; done < size; done += kBlock) {
        const qsizetype length = std::min(kBlock, size - done);
        if (device.write(data + done, length) != length) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool WriteCompoundFile(QIODevice& device, const QString& streamName, const QByteArray& content) {
    return WriteCompoundFile(device, streamName, std::vector<QByteArray>{content});
}

bool WriteCompoundFile(QIODevice& device, const QString& streamName,
                       const std::vector<QByteArray>& content) {
    quint64 size = 0;
    for (const QByteArray& piece : content) {
        size += static_cast<quint64>(piece.size());
    }
    if (streamName.isEmpty() || streamName.size() > kMaxNameLength ||
        size > std::numeric_limits<quint32>::max()) {
        return false;
    }
    const bool inMiniStream = size > 0 && size < static_cast<quint64>(kMiniStreamCutoff);

    quint64 miniSectors = 0;
    quint64 miniFatSectors = 0;
    quint64 contentSectors = 0;
    if (inMiniStream) {
        miniSectors = DivideRoundingUp(size, kMiniSectorSize);
        contentSectors = DivideRoundingUp(miniSectors * kMiniSectorSize, kSectorSize);
        miniFatSectors = DivideRoundingUp(miniSectors, kEntriesPerSector);
    } else {
        contentSectors = DivideRoundingUp(size, kSectorSize);
    }

    // The FAT has to cover every sector, its own and those of the DIFAT included.
    const quint64 otherSectors = 1 + contentSectors + miniFatSectors;
    quint64 fatSectors = 1;
    quint64 difatSectors = 0;
    for (;;) {
        difatSectors =
            fatSectors > kHeaderDifatEntries
                ? DivideRoundingUp(fatSectors - kHeaderDifatEntries, kEntriesPerSector - 1)
                : 0;
        if (fatSectors * kEntriesPerSector >= otherSectors + fatSectors + difatSectors) {
            break;
        }
        ++fatSectors;
    }
    const quint64 totalSectors = otherSectors + fatSectors + difatSectors;

    // Sector 0 is the first FAT sector and sector 1 the directory; the content follows, then
    // the mini FAT, the further FAT sectors and the DIFAT sectors.
    constexpr quint32 kDirectorySector = 1;
    constexpr quint32 kContentStart = 2;
    const auto miniFatStart = static_cast<quint32>(kContentStart + contentSectors);
    const auto moreFatStart = static_cast<quint32>(miniFatStart + miniFatSectors);
    const auto difatStart = static_cast<quint32>(moreFatStart + fatSectors - 1);

    std::vector<quint32> fatIds;
    fatIds.reserve(fatSectors);
    fatIds.push_back(0);
    for (quint32 i = 0; i + 1 < fatSectors; ++i) {
        fatIds.push_back(moreFatStart + i);
    }

    std::vector<quint32> fat(fatSectors * kEntriesPerSector, kFreeSector);
    for (const quint32 id : fatIds) {
        fat[id] = kFatSector;
    }
    fat[kDirectorySector] = kEndOfChain;
    Chain(fat, kContentStart, static_cast<quint32>(contentSectors));
    Chain(fat, miniFatStart, static_cast<quint32>(miniFatSectors));
    for (quint32 i = 0; i < difatSectors; ++i) {
        fat[difatStart + i] = kDifatSector;
    }

    // Everything but the content sectors, which go out straight from the pieces.
    QByteArray file((totalSectors + 1 - contentSectors) * kSectorSize, '\0');
    const auto sectorOffset = [contentSectors](quint64 id) {
        return static_cast<qsizetype>((id + 1 - (id >= kContentStart ? contentSectors : 0)) *
                                      kSectorSize);
    };

    // Header.
    static const unsigned char kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    std::memcpy(file.data(), kSignature, sizeof kSignature);
    Put16(file, 24, 0x003B);  // minor version
    Put16(file, 26, 3);       // major version
    Put16(file, 28, 0xFFFE);  // byte order
    Put16(file, 30, 9);       // sector shift
    Put16(file, 32, 6);       // mini sector shift
    Put32(file, 40, 0);       // directory sectors: not counted in version 3
    Put32(file, 44, static_cast<quint32>(fatSectors));
    Put32(file, 48, kDirectorySector);
    Put32(file, 52, 0);  // transaction signature
    Put32(file, 56, kMiniStreamCutoff);
    Put32(file, 60, inMiniStream ? miniFatStart : kEndOfChain);
    Put32(file, 64, static_cast<quint32>(miniFatSectors));
    Put32(file, 68, difatSectors > 0 ? difatStart : kEndOfChain);
    Put32(file, 72, static_cast<quint32>(difatSectors));
    for (int i = 0; i < kHeaderDifatEntries; ++i) {
        Put32(file, 76 + 4 * i, static_cast<quint64>(i) < fatIds.size() ? fatIds[i] : kFreeSector);
    }

    // FAT sectors.
    for (quint64 i = 0; i < fatSectors; ++i) {
        const qsizetype at = sectorOffset(fatIds[i]);
        for (int j = 0; j < kEntriesPerSector; ++j) {
            Put32(file, at + 4 * j, fat[i * kEntriesPerSector + j]);
        }
    }

    // DIFAT sectors: 127 FAT sector ids each, then the next DIFAT sector.
    for (quint64 i = 0; i < difatSectors; ++i) {
        const qsizetype at = sectorOffset(difatStart + i);
        for (int j = 0; j < kEntriesPerSector - 1; ++j) {
            const quint64 index = kHeaderDifatEntries + i * (kEntriesPerSector - 1) + j;
            Put32(file, at + 4 * j, index < fatIds.size() ? fatIds[index] : kFreeSector);
        }
        Put32(file, at + kSectorSize - 4,
              i + 1 < difatSectors ? static_cast<quint32>(difatStart + i + 1) : kEndOfChain);
    }

    // Mini FAT.
    if (inMiniStream) {
        std::vector<quint32> miniFat(miniFatSectors * kEntriesPerSector, kFreeSector);
        Chain(miniFat, 0, static_cast<quint32>(miniSectors));
        for (quint64 i = 0; i < miniFat.size(); ++i) {
            Put32(file, sectorOffset(miniFatStart) + static_cast<qsizetype>(4 * i), miniFat[i]);
        }
    }

    // Directory: the root storage, whose stream is the mini stream, with the one stream inside.
    DirectoryEntry root;
    root.name = QStringLiteral("Root Entry");
    root.type = kRootType;
    root.child = 1;
    if (inMiniStream) {
        root.start = kContentStart;
        root.size = static_cast<quint32>(miniSectors * kMiniSectorSize);
    }
    DirectoryEntry stream;
    stream.name = streamName;
    stream.type = kStreamType;
    stream.start = inMiniStream ? 0 : (size > 0 ? kContentStart : kEndOfChain);
    stream.size = static_cast<quint32>(size);
    const qsizetype directory = sectorOffset(kDirectorySector);
    PutDirectoryEntry(file, directory, root);
    PutDirectoryEntry(file, directory + kDirectoryEntrySize, stream);
    PutUnusedDirectoryEntry(file, directory + 2 * kDirectoryEntrySize);
    PutUnusedDirectoryEntry(file, directory + 3 * kDirectoryEntrySize);

    // The header, the first FAT sector and the directory; the content (the stream itself, or
    // the mini stream that holds it) filled up to whole sectors; the rest.
    constexpr qsizetype front = (kContentStart + 1) * kSectorSize;
    if (!WriteAll(device, file.constData(), front)) {
        return false;
    }
    for (const QByteArray& piece : content) {
        if (!WriteAll(device, piece.constData(), piece.size())) {
            return false;
        }
    }
    const QByteArray filler(static_cast<qsizetype>(contentSectors * kSectorSize - size), '\0');
    return WriteAll(device, filler.constData(), filler.size()) &&
           WriteAll(device, file.constData() + front, file.size() - front);
}

}  // namespace plantrek
