// Wall lengths and drag mode are the program's view settings: every document on the same
// settings sees one value, a toggle is stored at once, and undo never takes one back.
#include "document/view_settings.h"
#include "doc_test_support.h"

namespace plantrek::test {
namespace {

class ViewSettingsTest : public DocTest {
protected:
    // Counts the announcements of the store's view settings.
    int* CountAnnouncements() {
        QObject::connect(&store_.View(), &ViewSettings::changed, [this] { ++announced_; });
        return &announced_;
    }
    int announced_ = 0;
};

TEST_F(ViewSettingsTest, AToggleInOneDocumentIsSeenByEveryOtherAndStored) {
    NewDoc();
    CTracepadDoc other(prompts_, store_, Location());
    other.OnNewDocument();
    const int* announced = CountAnnouncements();

    Doc().ToggleWallLengths();
    EXPECT_TRUE(other.Prefs().GetDrawingValues().ShowWallLengths);
    EXPECT_EQ(StoredSetting(QStringLiteral("WallLengths")).toInt(), 1);
    other.ToggleDragMode();
    EXPECT_TRUE(Doc().Prefs().GetDragMode());
    EXPECT_EQ(StoredSetting(QStringLiteral("DragMode")).toInt(), 1);
    EXPECT_EQ(*announced, 2);

    // Storing the other document's preferences keeps the shared values.
    other.ToggleRelativeDirections();
    EXPECT_EQ(StoredSetting(QStringLiteral("WallLengths")).toInt(), 1);
    EXPECT_EQ(StoredSetting(QStringLiteral("DragMode")).toInt(), 1);

    // A new document and a new start read them back.
    CTracepadDoc later(prompts_, SettingsStore::AtFile(SettingsPath()), Location());
    EXPECT_TRUE(later.Prefs().GetDrawingValues().ShowWallLengths);
    EXPECT_TRUE(later.Prefs().GetDragMode());
}

TEST_F(ViewSettingsTest, UndoLeavesTheViewSettingsAsTheyAre) {
    NewDocInMeters();
    Type({"3 N", "4 E"});
    Doc().ToggleWallLengths();
    ASSERT_TRUE(Doc().Undo());
    EXPECT_TRUE(Doc().Prefs().GetDrawingValues().ShowWallLengths);
    Doc().ToggleWallLengths();
    ASSERT_TRUE(Doc().Redo());
    EXPECT_FALSE(Doc().Prefs().GetDrawingValues().ShowWallLengths);
    EXPECT_EQ(StoredSetting(QStringLiteral("WallLengths")).toInt(), 0);
}

}  // namespace
}  // namespace plantrek::test
