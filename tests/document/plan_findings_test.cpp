// Snap Room on the document and Check Plan's lines; which corner and which findings is the
// model's test (plan_check_test).
#include "document/plan_findings.h"

#include <cmath>

#include "doc_test_support.h"
#include "model/site.h"
#include "model/units.h"

namespace plantrek::test {
namespace {

class PlanFindingsTest : public DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        NewDocInMeters();
    }
    // A room of straight walls (length, bearing) from the site's start point, then moved by
    // (dx, dy); it stays selected.
    Room* AddRoom(const char* name, std::initializer_list<std::pair<double, double>> walls,
                  double dx = 0.0, double dy = 0.0) {
        Doc().NewRoom(QString::fromUtf8(name), 0);
        for (const auto& [length, bearing] : walls) {
            EXPECT_TRUE(Doc().AppendWall(length, bearing, 0.0));
        }
        if (dx != 0.0 || dy != 0.0) {
            double length = 0.0;
            double direction = 0.0;
            CartesianToPolar(dx, dy, &length, &direction);
            EXPECT_TRUE(Doc().ShiftRoom(length, direction));
        }
        return Doc().GetCurrentRoom();
    }
};

TEST_F(PlanFindingsTest, SnapRoomTakesTheNearestFreeCornerAsOneStep) {
    AddRoom("Kitchen", {{3, 90}, {3, 0}, {3, 270}});
    Room* bedroom = AddRoom("Bedroom", {{3, 90}, {3, 0}, {3, 270}}, 1.0, 0.2);
    ASSERT_TRUE(Doc().SnapRoom());
    EXPECT_LT(Distance(bedroom->GetStartPoint(), {3.0, 0.0}), 1e-12);
    EXPECT_FALSE(Doc().SnapRoom()) << "already there";
    ASSERT_TRUE(Doc().Undo());
    EXPECT_LT(Distance(Doc().GetCurrentRoom()->GetStartPoint(), {1.0, 0.2}), 1e-9);
    EXPECT_TRUE(prompts_.messages.empty()) << prompts_.Said().toStdString();
}

TEST_F(PlanFindingsTest, SnapRoomWithoutAFreeCornerSaysSoAndMovesNothing) {
    AddRoom("A", {{3, 90}, {3, 0}, {3, 270}});
    AddRoom("C", {{1, 90}, {1, 0}, {1, 270}}, -10, 10);
    // An L round its start point, arms 20 m long: at every corner it covers A or C.
    const Room* wide = AddRoom("Hall", {{20, 180}, {20, 90}, {40, 0}, {40, 270}, {20, 180}}, 1, 1);
    ASSERT_TRUE(wide->IsClosed());
    const PlanPoint before = wide->GetStartPoint();
    EXPECT_FALSE(Doc().SnapRoom());
    EXPECT_EQ(wide->GetStartPoint().x, before.x);
    EXPECT_EQ(wide->GetStartPoint().y, before.y);
    EXPECT_EQ(prompts_.Said(), QStringLiteral("warning: \"Hall\" was not moved: at every corner it "
                                              "could snap to, it would overlap another room."));
}

TEST_F(PlanFindingsTest, LinesNameBothRoomsAndTheAmountInTheDisplayUnits) {
    AddRoom("Kitchen", {{3, 90}, {3, 0}, {3, 270}});
    AddRoom("Bedroom", {{3, 90}, {4, 0}, {3, 270}}, 2.981, 0);  // 19 mm into the kitchen
    AddRoom("Hall", {{2, 90}, {2, 0}, {2, 270}}, 0, -2.02);     // 2 cm short of it
    const MetricUnits meters(100);
    const ImperialUnits feet(ImperialUnits::DeviceEncoding::HundredthsOfFoot);
    for (const auto& [units, overlap, gap] :
         {std::tuple{static_cast<const LengthUnits*>(&meters), "(0.057 sm)", "0.020 m"},
          std::tuple{static_cast<const LengthUnits*>(&feet), "(0.61 sf)", "0.79\""}}) {
        const std::vector<PlanFindingLine> lines = CheckPlanLines(*Doc().GetSite(), *units);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0].text, QStringLiteral("Kitchen and Bedroom overlap ") + overlap);
        EXPECT_EQ(lines[0].room, 1);
        EXPECT_EQ(lines[1].text, QStringLiteral("Kitchen and Hall: walls %1 apart").arg(gap));
        EXPECT_EQ(lines[1].room, 2);
    }
    EXPECT_EQ(NoPlanFindingsText(), QStringLiteral("No overlaps or gaps found."));
}

}  // namespace
}  // namespace plantrek::test
