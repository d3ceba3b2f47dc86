#include "audio/annotation.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <optional>
#include <tuple>

#include "audio/annotation_list.h"
#include "audio/audio_activity.h"
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
    ASSERT_TRUE(QFile(dir.filePath(QStringLiteral("file"))).open(QIODevice::WriteOnly));
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

// The list of a room's or the site's notes.
class AnnotationListTest : public testing::Test {
protected:
    void SetUp() override { TearDown(); }
    void TearDown() override {
        AudioActivity::SetStopPlaybackHook({});
        AudioActivity::SetPlaying(false);
        AudioActivity::SetRecording(false);
    }

    static AnnotationList Named(const QStringList& names) {
        AnnotationList list;
        for (const QString& name : names) {
            Annotation annotation;
            annotation.SetName(name);
            list.InsertAt(annotation);
        }
        return list;
    }

    static QString Names(const AnnotationList& list) {
        QString names;
        for (int i = 0; i < list.Count(); ++i) {
            names += list.At(i)->Name();
        }
        return names;
    }
};

TEST_F(AnnotationListTest, InsertsBeforeTheEntryOrAppends) {
    const std::tuple<int, int, const char*> cases[] = {
        {-1, 3, "abcx"}, {0, 0, "xabc"}, {2, 2, "abxc"}, {3, 3, "abcx"}, {4, 3, "abcx"}};
    for (const auto& [position, expectedPosition, expectedOrder] : cases) {
        AnnotationList list = Named({"a", "b", "c"});
        ASSERT_TRUE(list.SetCurrentIndex(1));
        EXPECT_EQ(list.InsertAt(*Named({"x"}).At(0), position), expectedPosition);
        EXPECT_EQ(Names(list), expectedOrder);
        EXPECT_EQ(list.CurrentIndex(), 1);
    }
}

TEST_F(AnnotationListTest, DeleteStopsPlaybackAndKeepsTheCurrentIndexInside) {
    int stops = 0;
    AudioActivity::SetStopPlaybackHook([&stops] { ++stops; });
    AnnotationList list = Named({"a", "b", "c", "d"});
    ASSERT_TRUE(list.SetCurrentIndex(3));

    EXPECT_TRUE(list.Delete(3));
    EXPECT_EQ(Names(list), "abc");
    EXPECT_EQ(list.CurrentIndex(), 2);
    EXPECT_EQ(stops, 0);

    AudioActivity::SetPlaying(true);
    EXPECT_TRUE(list.Delete(0));  // the current index is not past the end: it stays
    EXPECT_EQ(stops, 1);
    EXPECT_FALSE(AudioActivity::IsPlaying());
    EXPECT_EQ(Names(list), "bc");
    EXPECT_EQ(list.CurrentIndex(), 1);

    EXPECT_FALSE(list.Delete(2) || list.Delete(-1));
    EXPECT_TRUE(list.Delete(1) && list.Delete(0));
    EXPECT_EQ(list.CurrentIndex(), 0);
    EXPECT_EQ(list.Current(), nullptr);
}

TEST_F(AnnotationListTest, CueStaysInsideTheListAndWaitsForPlayback) {
    AnnotationList empty;
    EXPECT_FALSE(empty.CueNext() || empty.CuePrevious());

    AnnotationList list = Named({"a", "b", "c"});
    EXPECT_FALSE(list.CuePrevious());
    EXPECT_TRUE(list.CueNext());
    EXPECT_TRUE(list.CueNext());
    EXPECT_FALSE(list.CueNext());
    EXPECT_EQ(list.CurrentIndex(), 2);

    AudioActivity::SetPlaying(true);
    EXPECT_FALSE(list.CuePrevious() || list.CueNext());
    AudioActivity::SetPlaying(false);
    EXPECT_TRUE(list.CuePrevious());

    // Recording alone does not hold the cue back; the commands check it themselves.
    AudioActivity::SetRecording(true);
    EXPECT_TRUE(list.CueNext());
}

TEST_F(AnnotationListTest, PositionsOutsideTheListNameTheCurrentAnnotation) {
    AnnotationList list = Named({"a", "b", "c"});
    ASSERT_TRUE(list.SetCurrentIndex(1));
    EXPECT_FALSE(list.SetCurrentIndex(3));
    EXPECT_EQ(list.GetName(-1), "b");
    EXPECT_TRUE(list.Rename(7, QStringLiteral("bb")));
    EXPECT_TRUE(list.Rename(2, QString()));
    EXPECT_EQ(Names(list), "abb");
    EXPECT_EQ(AnnotationList().GetName(-1), "");
    EXPECT_FALSE(AnnotationList().Rename(-1, QStringLiteral("x")));
}

// How copies of one note share its file is the note's test.
TEST_F(AnnotationListTest, CopiesShareAudioButNotEntries) {
    AnnotationList original;
    ASSERT_TRUE(original.AddFromText(u"QUJD", QStringLiteral("a"), -1));
    ASSERT_TRUE(original.AddFromText(u"WFla", QStringLiteral("b"), 5));
    ASSERT_TRUE(original.AddFromText(u"", QStringLiteral("c"), 9));  // a note without audio
    EXPECT_EQ(original.At(2)->AudioSize(), 0);
    ASSERT_TRUE(original.CueNext());
    AnnotationList copy = original;
    EXPECT_EQ(copy.CurrentIndex(), 1);
    EXPECT_EQ(copy.At(1)->File(), original.At(1)->File());
    copy.Rename(0, QStringLiteral("renamed"));
    copy.Delete(1);
    EXPECT_EQ(Names(original), "abc");
    original.Clear();
    EXPECT_EQ(original.Count() + original.CurrentIndex(), 0);
    EXPECT_EQ(copy.At(0)->GetAudioText(), "QUJD");
}

// The text form of the audio.
QByteArray DecodeWhole(QStringView text) {
    QByteArray bytes;
    Base64Decoder decoder;
    decoder.Feed(text, bytes);
    decoder.Finish(bytes);
    return bytes;
}

// Only groups of three whole bytes count towards the 19 of a line; the padded group never does.
TEST(Base64Piece, BreaksEvery76CharactersFromThePieceStart) {
    // Bytes, line breaks, whether the text ends with one.
    const std::tuple<qsizetype, qsizetype, bool> cases[] = {
        {0, 0, false},    {1, 0, false},    {3, 0, false},    {56, 0, false},
        {57, 1, true},    {58, 1, false},   {113, 1, false},  {114, 2, true},
        {650, 11, false}, {1197, 21, true}, {1200, 21, false}};
    for (const auto& [size, lineBreaks, endsWithLineBreak] : cases) {
        SCOPED_TRACE(size);
        const QByteArray bytes = RandomBytes(size, static_cast<unsigned>(size));
        const QString text = EncodeBase64Piece(bytes);
        EXPECT_EQ(text.count(QStringLiteral("\r\n")), lineBreaks);
        EXPECT_EQ(text.endsWith(QStringLiteral("\r\n")), endsWithLineBreak);
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
            EXPECT_EQ(lines[i].size(), 76) << "line " << i;
        }
        EXPECT_EQ(lines.join(QString()), QString::fromLatin1(bytes.toBase64()));
    }
}

// Without padding the bytes the short group holds are kept; padding in the middle ends a group
// and decoding goes on.
TEST(Base64Decoder, SkipsCharactersOutsideTheAlphabet) {
    const std::pair<const char16_t*, QByteArray> cases[] = {
        {u"", ""},
        {u"!!! \t\r\n-_.,", ""},
        {u"QUI=", "AB"},
        {u"QUI", "AB"},
        {u"Q", ""},
        {u"\tQU\r\nJ D\u00e9\u4e2d\U0001F600", "ABC"},
        {u"QQ==QUJD", "AABC"},
        {u"====QUJD====", "ABC"},
        {u"Q=QUJD", "ABC"}};
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(DecodeWhole(text), expected) << QString::fromUtf16(text).toStdString();
    }
}

TEST(Base64Decoder, SlicesOfAnySizeDecodeLikeTheWholeText) {
    const QByteArray bytes = RandomBytes(301, 7);
    QString text = EncodeBase64Piece(bytes.left(150)) + QStringLiteral(" \t") +
                   EncodeBase64Piece(bytes.mid(150));
    ASSERT_EQ(DecodeWhole(text), bytes);
    for (qsizetype step = 1; step <= 9; ++step) {
        Base64Decoder decoder;
        QByteArray out;
        for (qsizetype at = 0; at < text.size(); at += step) {
            decoder.Feed(QStringView(text).mid(at, step), out);
        }
        decoder.Finish(out);
        EXPECT_EQ(out, bytes) << "step " << step;
    }
}

}  // namespace
}  // namespace plantrek
