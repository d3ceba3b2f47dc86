// New, open, save and save as.
#include <QFile>

#include "doc_test_support.h"
#include "model/site.h"

namespace plantrek::test {
namespace {

const QString kNotClosedQuestion = QStringLiteral(
    "Some of your rooms are not closed and will not import into Tilecrest. Do you want to "
    "continue saving?");

class DocFileTest : public DocTest {
protected:
    // A new document in meters with one closed 3 m square room.
    void NewSquare() {
        NewDocInMeters();
        Type({"3 N", "3 E", "3 S"});
        ASSERT_TRUE(Doc().GetCurrentRoom()->IsClosed());
    }
};

TEST_F(DocFileTest, SavingRoomsThatAllCloseOrNoRoomAsksNothing) {
    NewSquare();
    const QString path = FilePath("square.tcd");
    ASSERT_TRUE(Doc().DoSave(path));
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(Doc().GetPathName(), path);
    EXPECT_EQ(Doc().GetTitle(), "square.tcd");
    NewDoc();
    Type({""});
    ASSERT_EQ(Doc().GetSite()->RoomCount(), 0);
    ASSERT_TRUE(Doc().DoSave(FilePath("empty.tcd")));
    EXPECT_TRUE(prompts_.questions.isEmpty());
}

TEST_F(DocFileTest, NoToTheNotClosedQuestionCancelsTheSave) {
    NewDocInMeters();
    Type({"3 N", "4 E"});
    Doc().GetCurrentRoom()->SetCloseRule(CloseRule::ReverseSquare);  // folds back: not closed
    prompts_.answers = {false};
    const QString path = FilePath("open.tcd");
    EXPECT_FALSE(Doc().DoSave(path));
    EXPECT_EQ(prompts_.questions, QStringList{kNotClosedQuestion});
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_TRUE(Doc().GetPathName().isEmpty());

    prompts_.answers = {true};
    EXPECT_TRUE(Doc().DoSave(path));
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(DocFileTest, AFailedSaveTellsWhyAndLeavesTheDocumentModified) {
    NewSquare();
    const QString path = FilePath("no/such/folder/a.tcd");
    EXPECT_FALSE(Doc().DoSave(path));
    ASSERT_EQ(prompts_.messages.size(), 1u);  // with the system's reason after the first line
    EXPECT_TRUE(
        prompts_.Said().startsWith("warning: The file \"" + path + "\" could not be saved.\n"));
    EXPECT_GT(prompts_.messages[0].text.size(), path.size() + 30);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_TRUE(Doc().GetPathName().isEmpty());
    EXPECT_EQ(Doc().GetTitle(), "Plantrek");
}

TEST_F(DocFileTest, OpeningMergesTheTemplateMaterialsTheSiteLacks) {
    NewSquare();
    const NewMaterialDialog tile = [](const QString&) {
        return std::optional<NewMaterialChoice>(NewMaterialChoice{0x00ff00, false});
    };
    ASSERT_TRUE(Doc().ApplyRoomProperties("Hall", "Tile", tile));
    const QString path = FilePath("hall.tcd");
    ASSERT_TRUE(Doc().DoSave(path));
    doc_.reset();

    WriteTemplate({}, {{"TILE", 0x0000ff}, {"Wood", 0x336699}});
    ASSERT_TRUE(Doc().OnOpenDocument(path));
    const Site& site = *Doc().GetSite();
    EXPECT_EQ(site.MaterialNames(), (QStringList{"Default", "Tile", "Wood"}));
    EXPECT_EQ(site.FindMaterialByName("Tile")->GetColour(), 0x00ff00u);
    EXPECT_EQ(site.FindMaterialByName("Wood")->GetIndex(), 2);
    EXPECT_EQ(Doc().GetSelectionLevel(), kLevelStartPoint);
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_FALSE(Doc().CanUndo());
    EXPECT_EQ(Doc().GetTitle(), "hall.tcd");
    EXPECT_EQ(site.GetName(), "Site");

    // The loaded state with its merged materials is the first snapshot.
    Doc().SelectRoom(Doc().GetSite()->GetRoom(0));
    ASSERT_TRUE(Doc().ShiftRoom(1.0, 0.0));
    ASSERT_TRUE(Doc().Undo());
    EXPECT_EQ(Doc().GetSite()->MaterialCount(), 3);
    EXPECT_EQ(Doc().GetSelectionLevel(), kLevelStartPoint);
}

TEST_F(DocFileTest, AFileThatDoesNotOpenLeavesANewDocument) {
    NewSquare();
    const QString path = FilePath("missing.tcd");
    EXPECT_FALSE(Doc().OnOpenDocument(path));
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_TRUE(
        prompts_.Said().startsWith("warning: The file \"" + path + "\" could not be opened."));
    EXPECT_EQ(Doc().GetSite()->RoomCount(), 1);
    EXPECT_EQ(Doc().GetCurrentRoom()->WallCount(true), 0);
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_FALSE(Doc().CanUndo());
    EXPECT_TRUE(Doc().GetPathName().isEmpty());
}

}  // namespace
}  // namespace plantrek::test
