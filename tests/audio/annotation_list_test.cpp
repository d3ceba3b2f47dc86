#include "audio/annotation_list.h"

#include <gtest/gtest.h>

#include "audio/audio_activity.h"

#include <tuple>

namespace plantrek {
namespace {

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
        {-1, 3, "abcx"}, {0, 0, "xabc"}, {1, 1, "axbc"},   {2, 2, "abxc"},
        {3, 3, "abcx"},  {4, 3, "abcx"}, {100, 3, "abcx"}, {-7, 3, "abcx"}};
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

}  // namespace
}  // namespace plantrek
