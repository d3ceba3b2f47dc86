#include "document/files/xml_writer.h"
#include "document/files/qstring_printer.h"
#include "document/files/site_file_test_support.h"

#include <gtest/gtest.h>
#include <QBuffer>

namespace plantrek {
namespace {

// The bytes a writer must produce for the given text: UTF-16 little-endian code units.
QByteArray Utf16Le(const QString& text) {
    return site_file_test::Utf16LeWithBom(text).mid(2);
}

class XmlWriterTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(buffer_.open(QIODevice::WriteOnly)); }
    QByteArray Bytes() const { return buffer_.data(); }

    QBuffer buffer_;
    CXmlWriter writer_{buffer_};
};

TEST_F(XmlWriterTest, NonAsciiTextIsWrittenAsRawCodeUnits) {
    // An e with acute accent, a character outside the basic plane and a lone surrogate.
    const QString text = QString::fromUtf16(u"\u00e9\U0001F600") + QChar(0xD800);
    writer_.Text(text);
    EXPECT_EQ(Bytes(), QByteArray("\t\0\xE9\0\x3D\xD8\x00\xDE\x00\xD8", 10));
}

// A device that takes a fixed number of bytes and then refuses, like a disk filling up.
class FillingDevice : public QIODevice {
public:
    explicit FillingDevice(qint64 room) : room_(room) { open(QIODevice::WriteOnly); }
    QByteArray written;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        if (room_ == 0) {
            setErrorString("No space left on device");
            return -1;
        }
        const qint64 taken = std::min(size, room_);
        written.append(data, taken);
        room_ -= taken;
        return taken;
    }

private:
    qint64 room_;
};

TEST(XmlWriterFailureTest, FailedWriteIsReportedAndLaterCallsWriteNothing) {
    FillingDevice device(20);
    CXmlWriter writer(device);
    EXPECT_FALSE(writer.BeginDocument());
    EXPECT_TRUE(writer.HasFailed());
    EXPECT_EQ(writer.ErrorString(), "No space left on device");
    EXPECT_FALSE(writer.StartElement("a", true));
    EXPECT_FALSE(writer.Finish());
    EXPECT_EQ(device.written.size(), 20);
}

TEST(XmlWriterFailureTest, PartialWritesAreCompleted) {
    // A device that takes a few bytes per call must still receive every byte.
    class Trickle : public FillingDevice {
    public:
        Trickle() : FillingDevice(1 << 20) {}

    protected:
        qint64 writeData(const char* data, qint64 size) override {
            return FillingDevice::writeData(data, std::min<qint64>(size, 3));
        }
    } device;
    CXmlWriter writer(device);
    EXPECT_TRUE(writer.BeginDocument());
    EXPECT_EQ(device.written,
              QByteArray("\xFF\xFE", 2) + Utf16Le("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"));
}

}  // namespace
}  // namespace plantrek
