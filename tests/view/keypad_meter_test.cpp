// The keypad's entries and a meter on a pseudo-terminal, both ending in the active document.
#include <QDialog>
#include <QPushButton>
#include <QSignalSpy>

#include "document/measurement_router.h"
#include "frame_fixture.h"
#include "view/keypad.h"
#include "view/meter_connection.h"

namespace plantrek::test {
namespace {

TEST(Keypad, TappedKeysBuildOneEntryAndEmptyTheDisplay) {
    struct Case {
        int input;
        QStringList keys;
        QString entry;
    };
    const Case cases[] = {
        {0, {"1", "2", "'", "6", "\"", "N"}, QStringLiteral("12'6\"n")},
        {1, {"3", ".", "5", "m", "E"}, QStringLiteral("3.5me")},
        {0, {"1", "2", "Room"}, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry.toStdString());
        CKeypadDlg keypad;
        keypad.SetUnits(c.input);
        QSignalSpy submitted(&keypad, &CKeypadDlg::submitted);
        for (const QString& name : c.keys) {
            QPushButton* key = keypad.Key(name);
            ASSERT_NE(key, nullptr) << name.toStdString();
            QTest::mouseClick(key, Qt::LeftButton);
        }
        ASSERT_EQ(submitted.size(), 1);
        EXPECT_EQ(submitted[0][0].toString(), c.entry);
        EXPECT_TRUE(keypad.EntryText().isEmpty());
    }
}

// A refused entry comes back without its direction, for correction; the units follow the
// document's undo and redo (the document's undo test has the values they restore).
TEST_F(FrameTest, KeypadEntriesAndUnitsFollowTheActiveDocument) {
    frame->NewDocument();
    frame->Keypad().show();
    const auto tap = [this](std::initializer_list<const char*> keys) {
        for (const char* key : keys) {
            QTest::mouseClick(frame->Keypad().Key(QString::fromLatin1(key)), Qt::LeftButton);
        }
    };
    tap({"1", "2", "'", "6", "'", "N"});
    EXPECT_EQ(WallCount(), 0);
    EXPECT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(frame->Keypad().EntryText(), QStringLiteral("12'6'"));
    tap({"Clear", "3", "'", "N"});
    EXPECT_EQ(WallCount(), 1);
    EXPECT_TRUE(frame->Keypad().EntryText().isEmpty());
    EXPECT_EQ(frame->Keypad().Key(QStringLiteral("N"))->toolTip(), QStringLiteral("North"));

    Doc().Prefs().SetInputValues(PrefsInputValues{1, 0, 1, 0, 0});  // metres
    Doc().Commit(true);
    Doc().Undo();
    EXPECT_EQ(frame->Keypad().UnitMode(), 0);
    Doc().Redo();
    EXPECT_EQ(frame->Keypad().UnitMode(), 1);
}

// A meter found through the window and its readings reaching the document: meter_state_test.
TEST_F(FrameTest, ReadingsWhileAModalDialogIsInFrontAreDropped) {
    frame->NewDocument();
    QDialog dialog(frame.get());
    dialog.setModal(true);
    dialog.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &dialog);
    frame->Measurements().OnMeasurement(0, QStringLiteral("00002000"), 2);
    EXPECT_EQ(WallCount(), 0);
    dialog.hide();
    frame->Measurements().OnMeasurement(0, QStringLiteral("00002000"), 2);
    EXPECT_EQ(WallCount(), 1);
}

TEST_F(FrameTest, NoMeterAnsweringIsReported) {
    qputenv("PLANTREK_SERIAL_PORTS", Path(QStringLiteral("no-such-port")).toUtf8());
    QSignalSpy finished(&frame->Meter(), &MeterConnection::searchFinished);
    frame->Meter().SetSearchRange(1, 1);
    frame->Meter().Reconnect();
    ASSERT_TRUE(finished.wait(20000));
    qunsetenv("PLANTREK_SERIAL_PORTS");
    EXPECT_EQ(finished[0][0].toInt(), -1);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(prompts.messages[0].text.startsWith(
        QStringLiteral("There does not seem to be a Disto device available.")));
    EXPECT_EQ(prompts.messages[0].icon, MessageIcon::Warning);
}

}  // namespace
}  // namespace plantrek::test
