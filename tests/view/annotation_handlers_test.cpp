#include <QListWidget>
#include <QTimer>

#include "audio/audio_activity.h"
#include "audio/audio_test_data.h"
#include "frame_fixture.h"
#include "resources/command_ids.h"
#include "view/commands/command_router.h"
#include "view/dialogs/annotation_dialog.h"

namespace plantrek {
namespace {

using namespace command_id;

class AnnotationHandlerTest : public test::FrameTest {
protected:
    bool Enabled(int id) {
        frame->Router().Refresh();
        return frame->Router().Action(id)->isEnabled();
    }
    static void AddNote(AnnotationList& list, const QString& name) {
        Annotation note;
        EXPECT_TRUE(note.File()->Append(RandomBytes(1000, 5)));
        note.SetName(name);
        list.InsertAt(note, -1);
    }
    // Runs the command and returns the lines its dialog showed, closing it.
    QStringList DialogLines(int id) {
        QStringList lines;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<AnnotationDialog*>(QApplication::activeModalWidget());
            for (int i = 0; dialog != nullptr && i < dialog->List()->count(); ++i) {
                lines << dialog->List()->item(i)->text();
            }
            QApplication::activeModalWidget()->close();
        });
        frame->Router().Run(id);
        return lines;
    }
};

TEST_F(AnnotationHandlerTest, EditCommandsOpenTheRoomsAndTheSitesNotes) {
    frame->NewDocument();
    EXPECT_FALSE(Enabled(kEditRoomAnnotation));  // the new room is not closed
    for (const char* wall : {"3 n", "4 e", "3 s"}) {
        Type(QString::fromLatin1(wall));
    }
    Doc().SelectRoom(Doc().GetSite()->GetRoom(0));
    AddNote(Doc().GetCurrentRoom()->Annotations(), QString());
    AddNote(Doc().GetCurrentRoom()->Annotations(), QStringLiteral("Window sill"));
    AddNote(Doc().GetSite()->Annotations(), QStringLiteral("Entrance"));

    ASSERT_TRUE(Enabled(kEditRoomAnnotation));
    EXPECT_EQ(DialogLines(kEditRoomAnnotation), QStringList({"Track 1", "Window sill"}));
    EXPECT_EQ(DialogLines(kEditSiteAnnotation), QStringList({"Entrance"}));
}

TEST_F(AnnotationHandlerTest, PlanViewPlaysToTheEndOrReportsAMissingDevice) {
    frame->NewDocument();
    AddNote(Doc().GetSite()->Annotations(), QStringLiteral("Entrance"));
    frame->Router().Run(kPlayAnnotation);
    ASSERT_TRUE(AudioActivity::IsPlaying());
    EXPECT_TRUE(Enabled(kStopAnnotation));
    EXPECT_FALSE(Enabled(kPlayAnnotation) || Enabled(kEditSiteAnnotation));

    // The end of the note reaches the view, which stops and brings the buttons back.
    sound.out->listener.BufferDone(0);
    EXPECT_TRUE(test::WaitFor([&] { return !AudioActivity::IsPlaying(); }));
    EXPECT_TRUE(frame->Router().Action(kPlayAnnotation)->isEnabled());
    EXPECT_FALSE(frame->Router().Action(kStopAnnotation)->isEnabled());

    // No sound device: the box with the system's reason, and nothing playing.
    sound.failure = QStringLiteral("No audio device");
    frame->Router().Run(kPlayAnnotation);
    EXPECT_FALSE(AudioActivity::IsPlaying());
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(std::tie(prompts.messages[0].caption, prompts.messages[0].text,
                       prompts.messages[0].icon),
              std::make_tuple(PlayErrorCaption(), PlayErrorText(sound.failure), MessageIcon::Error));
}

}  // namespace
}  // namespace plantrek
