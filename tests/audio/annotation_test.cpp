#include "audio/annotation.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <optional>

#include "audio/annotation_list.h"
#include "audio/base64_text.h"

#include "audio_test_data.h"

namespace plantrek {
namespace {

QByteArray ReadAudio(const Annotation& annotation) {
    QByteArray bytes(annotation.AudioSize(), Qt::Uninitialized);
    const qint64 got = annotation.File()->ReadAt(0, bytes.data(), bytes.size());
    return got == bytes.size() ? bytes : QByteArray("read failed");
}

TEST(Annotation, FormatIsTheTwentyByteGsmRecord) {
    EXPECT_EQ(Annotation::Format().ToBytes().toHex(' '),
              "31 00 01 00 40 1f 00 00 59 06 00 00 41 00 00 00 02 00 40 01");
    EXPECT_EQ(Annotation().GetType(), "GSM");
}

TEST(Annotation, TenSecondsOfAudioMakeFourteenPieces) {
    Annotation annotation;
    const QByteArray audio = RandomBytes(16250, 1);
    ASSERT_TRUE(annotation.File()->Append(audio));

    QStringList pieces;
    EXPECT_TRUE(annotation.ForEachAudioPiece([&pieces](const QString& piece) {
        pieces << piece;
        return true;
    }));
    ASSERT_EQ(pieces.size(), 14);
    for (int i = 0; i < 14; ++i) {  // 1200 bytes each in lines of 76 characters, the last 650
        EXPECT_EQ(pieces[i].size(), i < 13 ? 1600 + 21 * 2 : 868 + 11 * 2);
        EXPECT_EQ(pieces[i], EncodeBase64Piece(audio.mid(i * 1200, 1200)));
    }

    const QString text = annotation.GetAudioText();
    EXPECT_EQ(text, pieces.join(QString()));
    EXPECT_EQ(QString(text).remove(QStringLiteral("\r\n")).size(), 21668);
}

TEST(Annotation, AudioTextGivesBackTheSameBytes) {
    for (const int size : {0, 1, 2, 3, 56, 57, 58, 1199, 1200, 1201, 2400, 3250, 16251, 100000}) {
        SCOPED_TRACE(size);
        const QByteArray audio = RandomBytes(size, static_cast<unsigned>(size));
        Annotation source;
        ASSERT_TRUE(source.File()->Append(audio));
        bool ok = false;
        const QString text = source.GetAudioText(&ok);
        EXPECT_TRUE(ok);
        EXPECT_EQ(text.isEmpty(), audio.isEmpty());
        Annotation copy;
        EXPECT_EQ(copy.SetAudioText(text), audio.size());
        EXPECT_EQ(ReadAudio(copy), audio);
        EXPECT_EQ(copy.GetAudioText(), text);
    }
}

TEST(Annotation, NewAudioTextReplacesTheOld) {
    Annotation annotation;
    ASSERT_EQ(annotation.SetAudioText(u"QUJDREVG"), 6);
    EXPECT_EQ(annotation.SetAudioText(u"QUI="), 2);
    EXPECT_EQ(ReadAudio(annotation), "AB");
    EXPECT_EQ(annotation.SetAudioText(u"*** -- ***"), 0);
    EXPECT_TRUE(annotation.GetAudioText().isEmpty());

    // A copy (an undo snapshot, say) keeps the audio it had.
    ASSERT_EQ(annotation.SetAudioText(u"QUJD"), 3);
    const Annotation snapshot = annotation;
    EXPECT_EQ(annotation.SetAudioText(u"WFla"), 3);
    EXPECT_NE(annotation.File(), snapshot.File());
    EXPECT_EQ(ReadAudio(annotation), "XYZ");
    EXPECT_EQ(ReadAudio(snapshot), "ABC");
}

TEST(Annotation, TemporaryFileIsMadeOnFirstUseInTheTemporaryFolder) {
    Annotation annotation;
    EXPECT_TRUE(annotation.GetAudioText().isEmpty());
    EXPECT_TRUE(annotation.File()->Path().isEmpty()) << "reading must not create the file";

    ASSERT_TRUE(annotation.HasAudioFile());
    const QFileInfo info(annotation.File()->Path());
    EXPECT_TRUE(info.exists());
    EXPECT_TRUE(info.fileName().startsWith(QStringLiteral("qz")));
    EXPECT_EQ(info.absolutePath(), QFileInfo(QDir::tempPath()).absoluteFilePath());
}

TEST(Annotation, CopiesShareTheFileUntilTheLastOneGoes) {
    QString path;
    std::optional<Annotation> copy;
    {
        Annotation original;
        original.SetName(QStringLiteral("Kitchen"));
        ASSERT_EQ(original.SetAudioText(u"QUJD"), 3);
        path = original.File()->Path();

        copy = original;
        EXPECT_EQ(copy->File(), original.File());
        EXPECT_EQ(copy->Name(), "Kitchen");
        ASSERT_TRUE(original.File()->Append("DEF"));
        EXPECT_EQ(ReadAudio(*copy), "ABCDEF");
    }
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(ReadAudio(*copy), "ABCDEF");

    copy.reset();
    EXPECT_FALSE(QFileInfo::exists(path));
}

// A folder that does not exist, and a path that is a file rather than a folder.
TEST(Annotation, WithoutATemporaryFolderThereIsNoAudio) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("file")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QByteArray temporaryFolder = qgetenv("TMPDIR");
    const auto restore = qScopeGuard([&] { qputenv("TMPDIR", temporaryFolder); });
    for (const char* folder : {"gone", "file"}) {
        qputenv("TMPDIR", QFile::encodeName(dir.filePath(QString::fromLatin1(folder))));
        Annotation annotation;
        EXPECT_FALSE(annotation.HasAudioFile());
        EXPECT_EQ(annotation.SetAudioText(u"QUJD"), -1);
        EXPECT_EQ(annotation.AudioSize(), 0);
        EXPECT_TRUE(annotation.GetAudioText().isEmpty());
        AnnotationList list;
        EXPECT_FALSE(list.AddFromText(u"QUJD", QStringLiteral("Hall"), 0));
        ASSERT_EQ(list.Count(), 1);
        EXPECT_EQ(list.GetName(0), "Hall");
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                  QStringList{QStringLiteral("file")});
    }
}

}  // namespace
}  // namespace plantrek
