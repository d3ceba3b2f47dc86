#include "document/measurement_router.h"

#include <gtest/gtest.h>

#include "doc_test_support.h"

namespace plantrek {
namespace {

struct RecordingDialog : MeterInputDialog {
    void TakeMeasurement(double length, double bearing) override {
        lengths.push_back(length);
        bearings.push_back(bearing);
    }
    void AcceptFromMeter() override { ++accepted; }
    std::vector<double> lengths;
    std::vector<double> bearings;
    int accepted = 0;
};

class MeasurementRouterTest : public test::DocTest {
protected:
    MeasurementRouter& Router() {
        if (!router_) {
            router_ = std::make_unique<MeasurementRouter>([this] { return doc_.get(); });
            router_->SetForegroundProvider([this] { return front_; });
        }
        return *router_;
    }
    void SetUp() override {
        DocTest::SetUp();
        NewDoc();
    }
    const Room* Current() { return Doc().GetCurrentRoom(); }

    std::unique_ptr<MeasurementRouter> router_;
    MeterForeground front_;
};

TEST_F(MeasurementRouterTest, MeasurementsBecomeWallsOfTheSelectedRoomWithoutAnUpperLimit) {
    Router().OnMeasurement(0, QStringLiteral("00003000"), 2);   // 3 m, north key
    Router().OnMeasurement(9, QStringLiteral("00130000"), 6);   // 13 ft, east key
    Router().OnMeasurement(0, QStringLiteral("00250000"), 99);  // 250 m, unknown key: north
    // 13 ft is 3.9624 m. No upper limit applies to a meter's reading.
    EXPECT_EQ(test::WallsText(*Current()), "3@0 3.9624@90 250@0 from 0,0");
    EXPECT_TRUE(Doc().IsModified());
}

TEST_F(MeasurementRouterTest, ShortReadingsAndUnknownUnitsAreDropped) {
    int applied = 0;
    QObject::connect(&Router(), &MeasurementRouter::measurementApplied, [&] { ++applied; });
    Router().OnMeasurement(0, QStringLiteral("00000020"), 2);  // 0.02 m
    Router().OnMeasurement(7, QStringLiteral("00003000"), 2);  // code 7 has no units
    EXPECT_EQ(Current()->WallCount(true), 0);
    Router().OnMeasurement(6, QStringLiteral("00000254"), 2);  // 0.0254 m: one inch
    EXPECT_EQ(Current()->WallCount(true), 1);
    EXPECT_EQ(applied, 1);
    EXPECT_TRUE(prompts_.messages.empty());
}

TEST_F(MeasurementRouterTest, DialogsTakeReadingsOnlyWhenTheyAcceptThem) {
    RecordingDialog dialog;
    front_ = {true, &dialog};
    Router().OnMeasurement(5, QStringLiteral("00000350"), 8);  // 3.5 m north-east
    Router().OnEnter();
    Router().OnUndo();
    EXPECT_EQ(dialog.lengths, std::vector<double>{3.5});
    EXPECT_EQ(dialog.bearings, std::vector<double>{45.0});
    EXPECT_EQ(dialog.accepted, 1);
    EXPECT_EQ(Current()->WallCount(true), 0);
}

TEST_F(MeasurementRouterTest, WithoutADocumentNothingHappens) {
    MeasurementRouter router([] { return static_cast<CTracepadDoc*>(nullptr); });
    router.OnMeasurement(0, QStringLiteral("00003000"), 2);
    router.OnEnter();
    router.OnUndo();
}

}  // namespace
}  // namespace plantrek
