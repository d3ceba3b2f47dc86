// The architectural scales offered for paper, measured on the page: a length on the plan must
// come out as long on paper as its scale's name says, as an architect's scale rule would read it.
#include <gtest/gtest.h>
#include <QBuffer>
#include <QPdfWriter>

#include <optional>
#include <tuple>

#include "export/page_layout.h"
#include "image_test_support.h"
#include "model/room.h"
#include "model/site.h"

namespace plantrek {
namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kFootInMeters = 0.3048;  // meters

Site Hall(double width) {
    Site site;
    site.AddMaterial(QStringLiteral("Tile"), 1, 0x3399FF);
    Room* room = site.AddRoom(QStringLiteral("Hall"), 1);
    room->AddWall(1.0, 0.0);
    room->AddWall(width, 90.0);
    room->AddWall(1.0, 180.0);
    return site;
}

// Lays the site out on an upright A4 page; the page's scale and how many millimetres of paper
// `meters` of the site take at it.
struct OnPaper {
    QString label;
    double millimetres = 0;
};
std::optional<OnPaper> Measure(const Site& site, bool metric, std::optional<PaperScale> scale,
                               double meters) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(600);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    PlanPageOptions options;
    options.image.metric = metric;
    options.scale = scale;
    PageGeometry g;
    if (!LayoutPages(site, options, writer, &g)) {
        return std::nullopt;
    }
    return OnPaper{g.scale.label, meters * g.pixelsPerMeter / g.dpi * kMmPerInch};
}

struct ScaleCase {
    const char* label;
    bool metric;
    double meters;       // on the site
    double millimetres;  // on paper
};

TEST(PaperScales, EachOfferedScaleDrawsTheLengthItsNameSays) {
    const ScaleCase cases[] = {
        {"1:20", true, 1.0, 50.0},
        {"1:25", true, 1.0, 40.0},
        {"1:50", true, 1.0, 20.0},
        {"1:100", true, 1.0, 10.0},
        {"1:200", true, 1.0, 5.0},
        {"1:500", true, 1.0, 2.0},
        // A foot of the building as a quarter, an eighth, a sixteenth of an inch.
        {"1/4\" = 1'-0\"", false, kFootInMeters, 6.35},
        {"1/8\" = 1'-0\"", false, kFootInMeters, 3.175},
        {"1/16\" = 1'-0\"", false, kFootInMeters, 1.5875},
    };
    const Site site = Hall(4.0);
    for (const ScaleCase& c : cases) {
        SCOPED_TRACE(c.label);
        std::optional<PaperScale> offered;
        for (const PaperScale& scale : PaperScales(c.metric)) {
            if (scale.label == QString::fromUtf8(c.label)) {
                offered = scale;
            }
        }
        ASSERT_TRUE(offered) << "not offered";
        const auto paper = Measure(site, c.metric, offered, c.meters);
        ASSERT_TRUE(paper);
        EXPECT_EQ(paper->label, QString::fromUtf8(c.label));
        EXPECT_NEAR(paper->millimetres, c.millimetres, 1e-9);
    }
}

// Left to choose, the layout takes the largest scale at which the plan fits the page (the plan's
// part of an upright A4 page is about 141 mm wide), and draws at that scale.
TEST(PaperScales, TheChosenScaleIsTheOneNamedOnThePage) {
    const std::tuple<double, const char*, double> cases[] = {
        {2.0, "1:20", 50.0},   {3.0, "1:25", 40.0},  {6.0, "1:50", 20.0},
        {12.0, "1:100", 10.0}, {25.0, "1:200", 5.0}, {60.0, "1:500", 2.0}};
    for (const auto& [width, label, mmPerMeter] : cases) {
        SCOPED_TRACE(label);
        const auto paper = Measure(Hall(width), true, std::nullopt, 1.0);
        ASSERT_TRUE(paper);
        EXPECT_EQ(paper->label, QString::fromUtf8(label));
        EXPECT_NEAR(paper->millimetres, mmPerMeter, 1e-9);
    }
}

// A typed scale may have spaces around it; it must be "1:" and a positive ratio.
TEST(PaperScales, ParsingTypedScales) {
    EXPECT_EQ(ParsePaperScale(QStringLiteral(" 1:75 "))->ratio, 75);
    for (const char* bad : {"1:0", "2:50", "1:", "50", "1:-5"}) {
        EXPECT_FALSE(ParsePaperScale(QString::fromLatin1(bad))) << bad;
    }
}

}  // namespace
}  // namespace plantrek
