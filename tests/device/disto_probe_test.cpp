#include "device/disto_probe.h"

#include <gtest/gtest.h>
#include <QByteArray>

#include "device/simulated_meter.h"

namespace plantrek {
namespace {

using test::ScopedSerialPorts;
using test::SimulatedMeter;

void Feed(DistoProbe& probe, const QByteArray& bytes) {
    probe.takeReply(bytes.constData(), static_cast<int>(bytes.size()));
}

TEST(DistoProbeReply, SplitOverReadsIsStillRecognised) {
    DistoProbe probe(1);
    Feed(probe, "1");
    EXPECT_TRUE(probe.partial());
    EXPECT_FALSE(probe.found());
    // The type number is not read from a reply that is cut short inside its digits.
    Feed(probe, "3....+007");
    EXPECT_FALSE(probe.found());
    Feed(probe, "60000 \r\n");
    ASSERT_TRUE(probe.found());
    EXPECT_EQ(probe.typeNumber(), 760000);
    EXPECT_EQ(probe.modelClass(), 1);
}

TEST(DistoProbeReply, OnlyAReplyAtTheStartCounts) {
    DistoProbe noise(1);
    Feed(noise, "31..00+00001234 \r\n");
    Feed(noise, "13....+00740000 \r\n");
    EXPECT_FALSE(noise.found());
    EXPECT_FALSE(noise.partial());
    EXPECT_EQ(noise.modelClass(), 2);

    DistoProbe digits(1);
    Feed(digits, "13....+0074x000 \r\n");
    EXPECT_FALSE(digits.found());
}

TEST(DistoProbeReply, KeepsNoMoreThanItsBuffer) {
    DistoProbe probe(1);
    const QByteArray flood(5000, '1');
    for (int i = 0; i < 40; ++i) {
        Feed(probe, flood);
    }
    Feed(probe, QByteArray("13....+00740000 \r\n"));
    EXPECT_FALSE(probe.found());
    EXPECT_FALSE(probe.partial());
}

// The meter's identification on the wire is checked by the link's search test.
TEST(DistoProbeRun, SilentPortIsAskedOnce) {
    SimulatedMeter meter;
    ASSERT_TRUE(meter.isValid());
    const ScopedSerialPorts ports(meter.devicePath());
    DistoProbe probe(1);
    EXPECT_FALSE(probe.run());
    EXPECT_EQ(meter.received(), QByteArray("N00N\r\n"));
    EXPECT_EQ(probe.typeNumber(), 0);
    EXPECT_EQ(probe.modelClass(), 2);
}

}  // namespace
}  // namespace plantrek
