#include "export/xls/compound_file_writer.h"

#include "export/xls/biff_records.h"

#include <gtest/gtest.h>
#include <QBuffer>

#include <set>

namespace plantrek {
namespace {

using testing::Bytes;
using testing::U16;
using testing::U32;

constexpr quint32 kFree = 0xFFFFFFFF, kEnd = 0xFFFFFFFE, kFatSect = 0xFFFFFFFD,
                  kDifSect = 0xFFFFFFFC;

QByteArray Build(const QByteArray& content, const QString& name = QStringLiteral("Workbook")) {
    QByteArray file;
    QBuffer buffer(&file);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(WriteCompoundFile(buffer, name, content));
    return file;
}

QByteArray Pattern(qsizetype size) {
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    }
    return bytes;
}

qsizetype SectorAt(quint32 id) {
    return (static_cast<qsizetype>(id) + 1) * 512;
}

// A reader of just what this writer produces, following the header's DIFAT, the DIFAT sectors,
// the FAT and mini FAT chains, and checking that no sector is used twice.
class CompoundFileReader {
public:
    explicit CompoundFileReader(QByteArray file) : file_(std::move(file)) {
        const quint32 fatSectors = U32(file_, 44);
        for (quint32 i = 0; i < std::min<quint32>(fatSectors, 109); ++i) {
            fatIds_.push_back(U32(file_, 76 + 4 * i));
        }
        for (quint32 difat = U32(file_, 68); difat != kEnd;
             difat = U32(file_, SectorAt(difat) + 508)) {
            difatIds_.push_back(difat);
            for (int j = 0; j < 127 && fatIds_.size() < fatSectors; ++j) {
                fatIds_.push_back(U32(file_, SectorAt(difat) + 4 * j));
            }
        }
        for (const quint32 id : fatIds_) {
            for (int j = 0; j < 128; ++j) {
                fat_.push_back(U32(file_, SectorAt(id) + 4 * j));
            }
        }
    }

    const std::vector<quint32>& Fat() const { return fat_; }
    const std::vector<quint32>& FatIds() const { return fatIds_; }
    const std::vector<quint32>& DifatIds() const { return difatIds_; }
    quint32 SectorCount() const { return static_cast<quint32>(file_.size() / 512 - 1); }

    std::vector<quint32> Chain(quint32 start) {
        std::vector<quint32> ids;
        for (quint32 id = start; id != kEnd; id = fat_.at(id)) {
            EXPECT_TRUE(used_.insert(id).second) << "sector " << id << " used twice";
            EXPECT_LT(id, SectorCount());
            ids.push_back(id);
            if (ids.size() > fat_.size()) {
                ADD_FAILURE() << "chain loops";
                break;
            }
        }
        return ids;
    }

    QByteArray ReadChain(quint32 start) {
        QByteArray data;
        for (const quint32 id : Chain(start)) {
            data += file_.mid(SectorAt(id), 512);
        }
        return data;
    }

    QByteArray Entry(int index) {
        if (directory_.isEmpty()) {
            directory_ = ReadChain(U32(file_, 48));
        }
        return directory_.mid(128 * index, 128);
    }

    // The content of directory entry 1, from the mini stream or from regular sectors.
    QByteArray Stream() {
        const QByteArray entry = Entry(1);
        const quint32 size = U32(entry, 120);
        if (size == 0) {
            return {};
        }
        if (size >= 4096) {
            return ReadChain(U32(entry, 116)).left(size);
        }
        const QByteArray miniStream = ReadChain(U32(Entry(0), 116));
        const QByteArray miniFat = ReadChain(U32(file_, 60));
        QByteArray data;
        int count = 0;
        for (quint32 id = U32(entry, 116); id != kEnd; id = U32(miniFat, 4 * id)) {
            data += miniStream.mid(64 * id, 64);
            if (++count > miniFat.size() / 4) {
                ADD_FAILURE() << "mini chain loops";
                break;
            }
        }
        return data.left(size);
    }

private:
    QByteArray file_;
    QByteArray directory_;
    std::vector<quint32> fat_;
    std::vector<quint32> fatIds_;
    std::vector<quint32> difatIds_;
    std::set<quint32> used_;
};

TEST(CompoundFile, SmallStreamLivesInTheMiniStream) {
    const QByteArray content = Pattern(100);
    const QByteArray file = Build(content);
    ASSERT_EQ(file.size(), 512 * 5);  // header, FAT, directory, mini stream, mini FAT

    // Signature, class id, versions, byte order, sector shifts, reserved; 0 directory
    // sectors, 1 FAT sector, directory at 1, cutoff 4096, mini FAT at 3 (1 sector), no DIFAT
    // sectors; the FAT is sector 0.
    QByteArray header = QByteArray::fromHex(
        "d0cf11e0a1b11ae1 00000000000000000000000000000000 3b00 0300 feff 0900 0600 000000000000"
        "00000000 01000000 01000000 00000000 00100000 03000000 01000000 feffffff 00000000"
        "00000000");
    header += QByteArray(108 * 4, '\xFF');
    EXPECT_EQ(file.left(512), header);

    QByteArray fat = Bytes().u32(kFatSect).u32(kEnd).u32(kEnd).u32(kEnd);
    fat += QByteArray(124 * 4, '\xFF');
    EXPECT_EQ(file.mid(SectorAt(0), 512), fat);

    QByteArray root = Bytes().utf16("Root Entry");
    root += QByteArray(64 - root.size(), '\0');
    root += Bytes().u16(22).u8(5).u8(1).u32(kFree).u32(kFree).u32(1).bytes();
    root += QByteArray(36, '\0');
    root += Bytes().u32(2).u32(128).u32(0).bytes();
    QByteArray stream = Bytes().utf16("Workbook");
    stream += QByteArray(64 - stream.size(), '\0');
    stream += Bytes().u16(18).u8(2).u8(1).u32(kFree).u32(kFree).u32(kFree).bytes();
    stream += QByteArray(36, '\0');
    stream += Bytes().u32(0).u32(100).u32(0).bytes();
    QByteArray unused(128, '\0');
    unused.replace(68, 12, QByteArray(12, '\xFF'));
    EXPECT_EQ(file.mid(SectorAt(1), 512), root + stream + unused + unused);

    EXPECT_EQ(file.mid(SectorAt(2), 100), content);
    EXPECT_EQ(file.mid(SectorAt(2) + 100, 412), QByteArray(412, '\0'));
    QByteArray miniFat = Bytes().u32(1).u32(kEnd);
    miniFat += QByteArray(126 * 4, '\xFF');
    EXPECT_EQ(file.mid(SectorAt(3), 512), miniFat);
}

struct SizeCase {
    qsizetype size;
    quint32 fatSectors;
    quint32 difatSectors;
};

class CompoundFileSizes : public ::testing::TestWithParam<SizeCase> {};

TEST_P(CompoundFileSizes, StreamReadsBackThroughItsChains) {
    const SizeCase& c = GetParam();
    const QByteArray content = Pattern(c.size);
    const QByteArray file = Build(content);
    ASSERT_EQ(file.size() % 512, 0);
    CompoundFileReader reader(file);
    EXPECT_EQ(U32(file, 44), c.fatSectors);
    EXPECT_EQ(U32(file, 72), c.difatSectors);
    ASSERT_EQ(reader.FatIds().size(), c.fatSectors);
    EXPECT_EQ(reader.DifatIds().size(), c.difatSectors);
    // The FAT covers every sector but is no larger than needed.
    EXPECT_GE(reader.Fat().size(), reader.SectorCount());
    EXPECT_LT(reader.Fat().size() - 128, reader.SectorCount());
    for (const quint32 id : reader.FatIds()) {
        EXPECT_EQ(reader.Fat().at(id), kFatSect);
    }
    for (const quint32 id : reader.DifatIds()) {
        EXPECT_EQ(reader.Fat().at(id), kDifSect);
    }
    for (quint32 i = static_cast<quint32>(c.fatSectors); i < 109; ++i) {
        EXPECT_EQ(U32(file, 76 + 4 * i), kFree);
    }
    EXPECT_EQ(reader.Stream(), content);
    // Every sector of the file belongs to some structure.
    for (quint32 id = 0; id < reader.SectorCount(); ++id) {
        EXPECT_NE(reader.Fat().at(id), kFree) << "sector " << id;
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, CompoundFileSizes,
                         ::testing::Values(SizeCase{0, 1, 0}, SizeCase{1, 1, 0}, SizeCase{64, 1, 0},
                                           SizeCase{4095, 1, 0}, SizeCase{4096, 1, 0},
                                           // 126 data sectors still fit one FAT sector
                                           SizeCase{126 * 512, 1, 0}, SizeCase{126 * 512 + 1, 2, 0},
                                           SizeCase{200000, 4, 0},
                                           // 109 FAT sectors are the most the header lists
                                           SizeCase{(109 * 128 - 110) * 512, 109, 0},
                                           SizeCase{(109 * 128 - 110) * 512 + 1, 110, 1},
                                           // the DIFAT sector needs a FAT entry of its own
                                           SizeCase{13969 * 512, 111, 1},
                                           SizeCase{17000000, 262, 2}));

TEST(CompoundFile, RefusesNamesTheDirectoryCannotHold) {
    QByteArray file;
    QBuffer buffer(&file);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_FALSE(WriteCompoundFile(buffer, QString(32, 'n'), "x"));
    EXPECT_FALSE(WriteCompoundFile(buffer, QString(), "x"));
    EXPECT_TRUE(WriteCompoundFile(buffer, QString(31, 'n'), "x"));
}

TEST(CompoundFile, ReportsADeviceThatTakesNothing) {
    QByteArray file;
    QBuffer buffer(&file);
    buffer.open(QIODevice::ReadOnly);
    EXPECT_FALSE(WriteCompoundFile(buffer, QStringLiteral("Workbook"), Pattern(5000)));
}

}  // namespace
}  // namespace plantrek
