#include "export/xls/compound_file_writer.h"

#include "export/xls/biff_records.h"

#include <gtest/gtest.h>
#include <QBuffer>


namespace plantrek {
namespace {

using testing::Bytes;
using testing::U16;
using testing::U32;

constexpr quint32 kFree = 0xFFFFFFFF, kEnd = 0xFFFFFFFE, kFatSect = 0xFFFFFFFD;

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

// What olefile and xlrd read of larger streams is in workbook_file_test.cpp.
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

}  // namespace
}  // namespace plantrek
