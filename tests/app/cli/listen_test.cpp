// plantrek-cli listen end to end: a simulated Disto on a pseudo-terminal measures, the tool
// turns its words into walls and saves the site.
#include <gmock/gmock.h>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSettings>

#include <optional>

#include "cli_support.h"
#include "device/simulated_meter.h"

namespace plantrek::test {
namespace {

using namespace meter;

const QByteArray kAck("cfm\r\n");
const QString kNoMeterWarning = QStringLiteral(
    "warning: There does not seem to be a Disto device available.\\nMake sure the Disto is on "
    "and is using a port in the range COM1 to COM20.");

// The tool running "listen" in the background while a test plays the meter.
class ListenTest : public CliTest {
protected:
    // ports: the value of PLANTREK_SERIAL_PORTS, or none to leave it unset.
    void Listen(const QStringList& arguments, const std::optional<QString>& ports) {
        ASSERT_TRUE(runtime_.isValid() && meter.isValid());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
        environment.remove(QStringLiteral("PLANTREK_SERIAL_PORTS"));
        if (ports) {
            environment.insert(QStringLiteral("PLANTREK_SERIAL_PORTS"), *ports);
        }
        Start(process_, QStringList{QStringLiteral("listen")} + arguments, environment);
        ASSERT_TRUE(process_.waitForStarted(30000));
        process_.closeWriteChannel();
    }

    void Collect() {
        out_ += process_.readAllStandardOutput();
        err_ += process_.readAllStandardError();
    }
    // Waits until standard error (the tool is listening) or output holds text.
    bool WaitFor(const QByteArray& text, bool onErr = false) {
        const auto seen = [&] {
            Collect();
            return (onErr ? err_ : out_).contains(text);
        };
        return WaitUntil(seen, 30000);
    }
    bool WaitUntilListening() { return WaitFor("Listening to the Disto on COM", true); }
    CliResult Finish(int timeoutMs = 60000) {
        return CliTest::Finish(process_, timeoutMs, {-1, out_, err_});
    }

    QTemporaryDir runtime_;
    QProcess process_;
    QByteArray out_;
    QByteArray err_;
    SimulatedMeter meter;  // the Disto, for the tests that play one
};

TEST_F(ListenTest, AWalkAroundARoomBecomesAClosedRoomInTheSavedSite) {
    meter.setTypeNumber(740000);  // enter is key 12, undo key 13; its keys are set up
    // COM1 has no device; the meter is COM2.
    Listen({"--idle", "1", "--out", "walk.tcd"}, QStringLiteral(":") + meter.devicePath());
    ASSERT_TRUE(WaitUntilListening()) << err_.toStdString();
    ASSERT_TRUE(meter.waitForReceived("sk 13 28\r\n", 1));

    // The meter waits for each acknowledgement before it sends on, as the real one does.
    const QByteArray steps[] = {
        Line({Distance("00003000"), Key(2)}),           // 3 m N
        Line({Distance("00004000")}) + Line({Key(6)}),  // 4 m E, the key on a line of its own
        Line({Distance("00000020"), Key(1)}),           // 2 cm: too short for a wall, dropped
        Line({Distance("00003000"), Key(1)}),           // 3 m S
        Line({Distance("00000500", '5'), Key(3)}),      // 5 m W in centimeters: a mistake...
        Line({Key(13)}),                                // ...undone
        Line({Distance("00040000", '6'), Key(3)}),      // 4 m W in tenths of a millimeter
        Line({Key(12)}),                                // enter: the room is finished
    };
    int acknowledged = 0;
    for (const QByteArray& step : steps) {
        acknowledged == 6 ? meter.sendByteByByte(step) : meter.send(step);
        ASSERT_TRUE(meter.waitForReceived(kAck, ++acknowledged)) << step.toStdString();
    }

    const CliResult result = Finish();
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.OutLines(),
              (QStringList{"measurement 3 0", "measurement 4 90", "measurement 3 180",
                           "measurement 5 270", "undo", "measurement 4 270", "enter"}));
    // The search went port by port and stopped at the meter; the closed room raised no
    // question when it was saved.
    EXPECT_EQ(result.ErrLines(),
              (QStringList{"Searching for Disto", "Currently searching for a Disto on COM1.",
                           "Currently searching for a Disto on COM2.",
                           "Listening to the Disto on COM2."}));
    EXPECT_EQ(meter.countReceived(kAck), 8);

    const QJsonObject site = Info(QStringLiteral("walk.tcd"));
    const QJsonArray rooms = site["rooms"].toArray();
    ASSERT_EQ(rooms.size(), 1);
    EXPECT_TRUE(rooms[0]["closed"].toBool());
    EXPECT_NEAR(rooms[0]["area"].toDouble(), 12.0, 1e-9);
    EXPECT_NEAR(rooms[0]["perimeter"].toDouble(), 14.0, 1e-9);
    EXPECT_EQ(rooms[0]["walls"].toArray().size(), 4);
    // Enter finished the room: nothing is selected any more.
    EXPECT_EQ(site["selection"].toObject()["level"].toInt(), 1);
}

TEST_F(ListenTest, AMeterThatGoesAwayEndsTheListeningAndTheSiteIsStillSaved) {
    ASSERT_EQ(Run({"run", "--units", "meters", "--out", "site.tcd", "-"}, "3 N\n4 E\n").exitCode,
              0);
    meter.setTypeNumber(500000);  // enter is key 11
    // This time the meter is found through the setting, as a user would configure it.
    {
        QSettings settings(UserSettingsPath(), QSettings::IniFormat);
        settings.setValue("SerialPorts", meter.devicePath());
    }
    // A long idle time: only the meter going away can end this in time.
    Listen({"--in", "site.tcd", "--out", "more.tcd", "--idle", "600"}, std::nullopt);
    ASSERT_TRUE(WaitUntilListening()) << err_.toStdString();
    meter.send(Line({Key(11)}) + Line({Distance("00002000"), Key(2)}) +
               Line({Distance("00002000"), Key(6)}));
    ASSERT_TRUE(WaitFor("measurement 2 90\n")) << out_.toStdString();
    QElapsedTimer timer;
    timer.start();
    meter.vanish();
    const CliResult result = Finish(30000);
    EXPECT_LT(timer.elapsed(), 20000);
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.OutLines(), (QStringList{"enter", "measurement 2 0", "measurement 2 90"}));

    // The opened room is kept and the new one was added after it.
    const QJsonArray rooms = Info(QStringLiteral("more.tcd"))["rooms"].toArray();
    ASSERT_EQ(rooms.size(), 2);
    EXPECT_NEAR(rooms[0]["area"].toDouble(), 12.0, 1e-9);
    EXPECT_EQ(rooms[1]["walls"][0]["kind"].toString(), "user");
    EXPECT_NEAR(rooms[1]["area"].toDouble(), 4.0, 1e-9);
}

TEST_F(ListenTest, InterruptingEndsTheListeningAndSavesWhatWasMeasured) {
    meter.setTypeNumber(760000);  // model class 1: a distance alone on its line is enter
    Listen({"--idle", "600", "--out", "cut.tcd"}, meter.devicePath());
    ASSERT_TRUE(WaitUntilListening()) << err_.toStdString();
    ASSERT_TRUE(meter.waitForReceived("sk 13 28\r\n", 1));
    meter.send(Line({Distance("00003000"), Key(2)}) + Line({Distance("00001000")}));
    ASSERT_TRUE(WaitFor("enter\n")) << out_.toStdString();
    process_.terminate();
    const CliResult result = Finish(30000);
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.OutLines(), (QStringList{"measurement 3 0", "enter"}));
    // A single wall does not close: saving asked, and the default answer saved.
    EXPECT_THAT(result.ErrLines().last().toStdString(),
                ::testing::AllOf(::testing::StartsWith("question: Some of your rooms are not "
                                                       "closed"),
                                 ::testing::EndsWith("-> yes")));
    const QJsonArray rooms = Info(QStringLiteral("cut.tcd"))["rooms"].toArray();
    ASSERT_EQ(rooms.size(), 1);
    ASSERT_EQ(rooms[0]["walls"].toArray().size(), 1);
    EXPECT_NEAR(rooms[0]["walls"][0]["length"].toDouble(), 3.0, 1e-9);
}

TEST_F(ListenTest, AListenerKilledAfterNReadingsLeavesASiteWithNWalls) {
    meter.setTypeNumber(740000);
    Listen({"--idle", "600", "--out", "killed.tcd"}, meter.devicePath());
    ASSERT_TRUE(WaitUntilListening()) << err_.toStdString();
    // A printed reading is already in the file: the kill comes right after the third line.
    meter.send(Line({Distance("00002000"), Key(2)}) + Line({Distance("00003000"), Key(6)}) +
               Line({Distance("00004000"), Key(1)}));
    ASSERT_TRUE(WaitFor("measurement 4 180\n")) << out_.toStdString();
    process_.kill();
    ASSERT_TRUE(process_.waitForFinished(30000));

    const QJsonArray rooms = Info(QStringLiteral("killed.tcd"))["rooms"].toArray();
    ASSERT_EQ(rooms.size(), 1);
    // The measured walls, then the two the square closing rule adds.
    const QJsonArray walls = rooms[0]["walls"].toArray();
    ASSERT_EQ(walls.size(), 5);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(walls[i]["kind"].toString(), "user") << i;
        EXPECT_NEAR(walls[i]["length"].toDouble(), 2.0 + i, 1e-9) << i;
    }
}

// The search covers the ports --first and --last name (by default COM1 to COM20).
TEST_F(ListenTest, NoMeterIsAWarningAndStatus1AndNothingIsSaved) {
    Listen({"--out", "never.tcd", "--first", "2", "--last", "4"},
           QStringLiteral("/nonexistent/plantrek-tty"));
    const CliResult result = Finish(30000);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_EQ(result.ErrLines(),
              (QStringList{"Searching for Disto", "Currently searching for a Disto on COM2.",
                           "Currently searching for a Disto on COM3.",
                           "Currently searching for a Disto on COM4.", kNoMeterWarning}));
    EXPECT_FALSE(QFile::exists(Work("never.tcd")));
}

TEST_F(CliTest, ListenWithBadArgumentsEndsWithStatus2AndSaysWhy) {
    const std::pair<QStringList, const char*> cases[] = {
        {{"--first", "0"}, "--first takes a COM port number from 1 to 9999, not \"0\""},
        {{"--idle", "0"}, "--idle takes a number of seconds from 0.001 to 86400, not \"0\""},
        {{"--answer", "no"}, "unknown option \"--answer\""},
        {{"site.tcd"}, "unexpected argument \"site.tcd\" (sites go with --in and --out)"}};
    for (const auto& [arguments, message] : cases) {
        const CliResult result = Run(QStringList{"listen"} + arguments);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_THAT(result.ErrLines(), ::testing::Contains("plantrek-cli: " + QString(message)));
    }
}

}  // namespace
}  // namespace plantrek::test
