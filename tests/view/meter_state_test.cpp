// The meter's state in the status bar, and a meter that goes away in the middle of a room.
#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QSignalSpy>

#include "device/simulated_meter.h"
#include "document/measurement_router.h"
#include "frame_fixture.h"
#include "resources/command_ids.h"
#include "view/commands/command_router.h"
#include "view/meter_connection.h"

namespace plantrek::test {
namespace {

// The text a screen reader reads for a widget.
QString AccessibleName(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face != nullptr ? face->text(QAccessible::Name) : QString();
}

QByteArray Reading(const char* digits) {
    return meter::Line({meter::Distance(digits), meter::Key(2)});
}

TEST_F(FrameTest, LostMeterIsShownAskedAboutOnceAndReconnectKeepsTheReadings) {
    SimulatedMeter first;
    SimulatedMeter second;
    ASSERT_TRUE(first.isValid() && second.isValid());
    first.setTypeNumber(500000);
    second.setTypeNumber(500000);
    ScopedSerialPorts ports(first.devicePath() + QLatin1Char(':') + second.devicePath());
    frame->NewDocument();

    auto* indicator = frame->findChild<QLabel*>(QStringLiteral("MeterIndicator"));
    ASSERT_NE(indicator, nullptr);
    EXPECT_EQ(indicator->text(), QStringLiteral("Meter: not connected"));

    QSignalSpy finished(&frame->Meter(), &MeterConnection::searchFinished);
    frame->Meter().SetSearchRange(1, 2);
    QAction* reconnect = frame->Router().Action(command_id::kReconnectDisto);
    reconnect->trigger();
    EXPECT_NE(frame->Meter().SearchDialog(), nullptr);
    EXPECT_EQ(indicator->text(), QStringLiteral("Meter: searching..."));
    EXPECT_FALSE(reconnect->isEnabled());
    ASSERT_TRUE(finished.wait(20000));
    ASSERT_EQ(finished[0][0].toInt(), 1);
    // The command is offered again as soon as the search has ended.
    EXPECT_TRUE(reconnect->isEnabled());
    const QString connected = QStringLiteral("Meter: connected on ") + first.devicePath();
    EXPECT_EQ(indicator->text(), connected);
    EXPECT_EQ(AccessibleName(indicator), connected);

    QSignalSpy applied(&frame->Measurements(), &MeasurementRouter::measurementApplied);
    first.send(Reading("00002000"));
    ASSERT_TRUE(applied.wait(10000));
    ASSERT_EQ(WallCount(), 1);

    // The user answers Yes: the search finds the meter again, now on the second port. (The lost
    // state itself is the declining test's below.)
    first.vanish();
    ASSERT_TRUE(WaitUntil([&] { return finished.size() == 2; }, 30000));
    ASSERT_EQ(prompts.questions.size(), 1);
    EXPECT_TRUE(prompts.questions[0].contains(first.devicePath()));
    EXPECT_TRUE(prompts.questions[0].contains(QStringLiteral("Reconnect now?")));
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(WallCount(), 1);
    EXPECT_EQ(indicator->text(), QStringLiteral("Meter: connected on ") + second.devicePath());

    second.send(Reading("00003000"));
    ASSERT_TRUE(applied.wait(10000));
    EXPECT_EQ(WallCount(), 2);
    EXPECT_EQ(prompts.questions.size(), 1);
}

// Prompts that decline every question.
struct DecliningPrompts : RecordingWindowPrompts {
    bool AskYesNo(const QString& text) override {
        questions.push_back(text);
        return false;
    }
};

TEST(MeterConnection, DecliningStaysLostWithoutAskingAgainUntilReconnected) {
    SimulatedMeter meter;
    ASSERT_TRUE(meter.isValid());
    meter.setTypeNumber(500000);
    ScopedSerialPorts ports(meter.devicePath());
    MeasurementRouter router([] { return static_cast<CTracepadDoc*>(nullptr); });
    DecliningPrompts prompts;
    MeterConnection connection(router, prompts, nullptr);
    connection.SetSearchRange(1, 1);
    QSignalSpy finished(&connection, &MeterConnection::searchFinished);
    connection.Reconnect();
    ASSERT_TRUE(finished.wait(20000));
    ASSERT_EQ(connection.State(), MeterState::Connected);
    EXPECT_EQ(connection.PortName(), meter.devicePath());

    meter.vanish();
    ASSERT_TRUE(WaitUntil([&] { return !prompts.questions.isEmpty(); }, 10000));
    QCoreApplication::processEvents();
    EXPECT_EQ(prompts.questions.size(), 1);
    EXPECT_EQ(connection.State(), MeterState::Lost);
    EXPECT_FALSE(connection.Searching());
    EXPECT_EQ(MeterStatusText(connection.State(), connection.PortName()),
              QStringLiteral("Meter: connection lost"));

    // View > Reconnect to Disto with the meter back on the port remembered.
    SimulatedMeter back;
    ASSERT_TRUE(back.isValid());
    back.setTypeNumber(500000);
    ScopedSerialPorts backPorts(back.devicePath());
    connection.Reconnect();
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(connection.State(), MeterState::Connected);
    EXPECT_EQ(connection.PortName(), back.devicePath());
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(prompts.questions.size(), 1);
}

}  // namespace
}  // namespace plantrek::test
