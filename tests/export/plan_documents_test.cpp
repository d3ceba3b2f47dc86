// Paper scales measured on the page; PDF, SVG and PNG plans, read back by independent tools: poppler's pdftotext, pdfinfo and
// pdftoppm, librsvg's rsvg-convert, Qt's XML and image readers.
#include <gtest/gtest.h>
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "export/export_image.h"
#include "export/page_layout.h"
#include "export/pdf_export.h"
#include "export/svg_export.h"
#include "image_test_support.h"
#include "model/room.h"
#include "model/site.h"
#include "model/units.h"
#include "render/extent_surface.h"
#include "render/painter_surface.h"
#include "render/plan_renderer.h"
#include "render/scaled_surface.h"

namespace plantrek {
namespace {

constexpr Colour kTile = MakeColour(255, 153, 51);

// A `width` × `depth` m room named Kitchen in Tile.
Site Box(double width, double depth) {
    Site site;
    site.AddMaterial(QStringLiteral("Tile"), 1, kTile);
    Room* room = site.AddRoom(QStringLiteral("Kitchen"), 1);
    room->AddWall(depth, 0.0);
    room->AddWall(width, 90.0);
    room->AddWall(depth, 180.0);
    return site;
}

// Standard output of a tool, or a skip when it is not installed.
#define PLANTREK_RUN_TOOL(out, tool, ...)                                                   \
    if (QStandardPaths::findExecutable(tool).isEmpty()) {                                   \
        GTEST_SKIP() << QString(tool).toStdString() << " is missing (poppler-utils, librsvg2-bin)";                 \
    }                                                                                       \
    QProcess process_##out;                                                                 \
    process_##out.start(tool, {__VA_ARGS__});                                               \
    ASSERT_TRUE(process_##out.waitForFinished(60000));                                      \
    ASSERT_EQ(process_##out.exitCode(), 0) << process_##out.readAllStandardError().toStdString(); \
    const QString out = QString::fromUtf8(process_##out.readAllStandardOutput())

const MetricUnits kCentimetres(100);

PlanPageOptions PageOptions(std::optional<PaperScale> scale, bool wallLengths = false) {
    PlanPageOptions options;
    options.image.metric = true;
    options.image.drawing.ShowWallLengths = wallLengths;
    options.image.wallLengthUnits = &kCentimetres;
    options.siteName = QStringLiteral("Elm Street");
    options.fileName = QStringLiteral("elm.tcd");
    options.scale = scale;
    return options;
}

const QPageLayout kA4(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                      QPageLayout::Millimeter);

ExportResult Pdf(const Site& site, const QString& path, std::optional<PaperScale> scale) {
    return ExportPdf(&site, PageOptions(scale), kA4, path);
}

// The scale an upright A4 page is laid out at, and how many millimetres of paper `meters` of the
// site take at it.
std::pair<QString, double> OnPaper(const Site& site, bool metric, std::optional<PaperScale> scale,
                                   double meters) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(600);
    writer.setPageLayout(kA4);
    PlanPageOptions options;
    options.image.metric = metric;
    options.scale = scale;
    PageGeometry g;
    EXPECT_TRUE(LayoutPages(site, options, writer, &g));
    return {g.scale.label, meters * g.pixelsPerMeter / g.dpi * 25.4};
}

// Each offered scale draws a length as long on paper as its name says, as an architect's scale
// rule reads it: a foot of the building as a quarter, an eighth, a sixteenth of an inch.
TEST(PaperScales, EachOfferedScaleDrawsTheLengthItsNameSays) {
    const std::tuple<const char*, bool, double, double> cases[] = {
        {"1:20", true, 1.0, 50.0},   {"1:25", true, 1.0, 40.0},  {"1:50", true, 1.0, 20.0},
        {"1:100", true, 1.0, 10.0},  {"1:200", true, 1.0, 5.0},  {"1:500", true, 1.0, 2.0},
        {"1/4\" = 1'-0\"", false, 0.3048, 6.35}, {"1/8\" = 1'-0\"", false, 0.3048, 3.175},
        {"1/16\" = 1'-0\"", false, 0.3048, 1.5875}};
    for (const auto& [label, metric, meters, millimetres] : cases) {
        SCOPED_TRACE(label);
        const std::vector<PaperScale> offered = PaperScales(metric);
        const auto scale = std::find_if(offered.begin(), offered.end(), [&](const PaperScale& s) {
            return s.label == QString::fromUtf8(label);
        });
        ASSERT_NE(scale, offered.end()) << "not offered";
        const auto [shown, mm] = OnPaper(Box(4.0, 1.0), metric, *scale, meters);
        EXPECT_EQ(shown, QString::fromUtf8(label));
        EXPECT_NEAR(mm, millimetres, 1e-9);
    }
}

// Left to choose, the layout takes the largest scale at which the plan fits the page (the plan's
// part of an upright A4 page is about 141 mm wide), and draws at that scale.
TEST(PaperScales, TheChosenScaleIsTheOneNamedOnThePage) {
    const std::tuple<double, const char*, double> cases[] = {
        {2.0, "1:20", 50.0},   {3.0, "1:25", 40.0},  {6.0, "1:50", 20.0},
        {12.0, "1:100", 10.0}, {25.0, "1:200", 5.0}, {60.0, "1:500", 2.0}};
    for (const auto& [width, label, mmPerMeter] : cases) {
        const auto [shown, mm] = OnPaper(Box(width, 1.0), true, std::nullopt, 1.0);
        EXPECT_EQ(shown, QString::fromUtf8(label));
        EXPECT_NEAR(mm, mmPerMeter, 1e-9) << label;
    }
}

// A typed scale may have spaces around it; it must be "1:" and a positive ratio.
TEST(PaperScales, ParsingTypedScales) {
    EXPECT_EQ(ParsePaperScale(QStringLiteral(" 1:75 "))->ratio, 75);
    for (const char* bad : {"1:0", "2:50", "1:", "50", "1:-5"}) {
        EXPECT_FALSE(ParsePaperScale(QString::fromLatin1(bad))) << bad;
    }
}

// Text boxes as drawn, measured in the surface's font; nothing is painted.
class TextBoxes : public ExtentSurface {
public:
    using ExtentSurface::ExtentSurface;
    void DrawText(const QString& text, DevicePoint topLeft) override {
        const TextExtent extent = MeasureText(text);
        boxes.push_back(
            {text, {topLeft.x, topLeft.y, topLeft.x + extent.width, topLeft.y + extent.height}});
        ExtentSurface::DrawText(text, topLeft);
    }
    std::vector<std::pair<QString, DeviceRect>> boxes;
};

// At every paper scale, on small and large paper, the scale bar's labels over the ticks stand
// apart in the font the page draws them in (at 1:50 on A4 they once ran together as
// "00.20.40.60.81"), count up by one round step, and the bar keeps to its column.
TEST(PaperScaleBar, LabelsNeverRunTogether) {
    const Site site = Box(4.0, 3.0);
    const QPageLayout a3(QPageSize(QPageSize::A3), QPageLayout::Landscape,
                         QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    const QPageLayout letter(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                             QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    for (const bool metric : {true, false}) {
        for (const PaperScale& scale : PaperScales(metric)) {
            for (const QPageLayout& page : {kA4, a3, letter}) {
                SCOPED_TRACE(scale.label.toStdString() + " " +
                             page.pageSize().name().toStdString());
                QBuffer nowhere;
                nowhere.open(QIODevice::WriteOnly);
                QPdfWriter writer(&nowhere);
                writer.setResolution(kPdfResolution);
                writer.setPageLayout(page);
                PlanPageOptions options = PageOptions(scale);
                options.image.metric = metric;
                PageGeometry g;
                ASSERT_TRUE(LayoutPages(site, options, writer, &g));

                // The font the pages are painted with, at the pages' resolution.
                QImage scratch(1, 1, QImage::Format_RGB32);
                scratch.setDotsPerMeterX(static_cast<int>(std::lround(g.dpi / 0.0254)));
                scratch.setDotsPerMeterY(scratch.dotsPerMeterX());
                QPainter painter(&scratch);
                ASSERT_TRUE(painter.isActive());
                PainterSurface inner(painter);
                ScaledSurface surface(inner, g.dpi / 96.0);
                surface.SetFont(PainterSurface::DefaultFontFamily(),
                                PainterSurface::kDefaultFontHeight);
                const int lineHeight = surface.MeasureText(QStringLiteral("X")).height;
                const PaperScaleBar bar =
                    MakePaperScaleBar(surface, g.pixelsPerMeter, metric, g.scaleArea.width());
                TextBoxes drawn(surface);
                DrawPaperScaleBar(drawn, bar, scale.label, g.scaleArea.topLeft(), lineHeight);
                painter.end();

                ASSERT_GE(bar.steps, 1);
                ASSERT_LE(bar.steps, 5);
                const double length = bar.steps * bar.stepPixels;
                EXPECT_LE(length, g.scaleArea.width());
                EXPECT_GE(length, g.scaleArea.width() / 3.0);
                // The tick labels: the first line of text, left to right.
                std::vector<std::pair<QString, DeviceRect>> labels;
                for (const auto& box : drawn.boxes) {
                    if (box.second.top == g.scaleArea.top()) {
                        labels.push_back(box);
                    }
                }
                ASSERT_EQ(static_cast<int>(labels.size()), bar.steps + 1);
                const int digit = surface.MeasureText(QStringLiteral("0")).width;
                for (int i = 0; i < static_cast<int>(labels.size()); ++i) {
                    EXPECT_NEAR(labels[i].first.toDouble(), i * bar.step, 1e-9)
                        << labels[i].first.toStdString();
                    if (i > 0) {
                        EXPECT_GE(labels[i].second.left - labels[i - 1].second.right, digit)
                            << labels[i - 1].first.toStdString() << " / "
                            << labels[i].first.toStdString();
                    }
                }
                // The last label stays on the page, within the column's spare room.
                EXPECT_LE(labels.back().second.right, g.paper.width());
            }
        }
    }
}

TEST(PdfExport, TextPageSizeAndExactLength) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plan.pdf"));
    ASSERT_TRUE(Pdf(Box(4.0, 2.0), path, PaperScale{50, QStringLiteral("1:50")}).ok);

    PLANTREK_RUN_TOOL(text, QStringLiteral("pdftotext"), path, QStringLiteral("-"));
    for (const char* word : {"Kitchen", "Tile", "Scale 1:50", "meters", "Elm Street", "elm.tcd"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(word))) << word << text.toStdString();
    }
    PLANTREK_RUN_TOOL(info, QStringLiteral("pdfinfo"), path);
    EXPECT_TRUE(info.contains(QStringLiteral("595 x 842 pts (A4)"))) << info.toStdString();

    // At 254 dpi a millimetre is 10 pixels: the 4 m wall at 1:50 is 80 mm, 800 pixels between
    // the middles of the two side walls' lines.
    const QString stem = dir.filePath(QStringLiteral("page"));
    PLANTREK_RUN_TOOL(render, QStringLiteral("pdftoppm"), QStringLiteral("-r"),
                      QStringLiteral("254"), QStringLiteral("-png"), QStringLiteral("-singlefile"),
                      path, stem);
    const QImage page(stem + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());
    int fillRow = -1;
    for (int y = 0; y < page.height() && fillRow < 0; ++y) {
        for (int x = 0; x < page.width() * 7 / 10; ++x) {
            if (page.pixel(x, y) == qRgb(255, 153, 51)) {
                fillRow = y + 20;
                break;
            }
        }
    }
    ASSERT_GE(fillRow, 0);
    std::vector<double> lineMiddles;
    for (int x = 0; x < page.width() * 7 / 10; ++x) {  // the plan only, not the legend
        if (qGray(page.pixel(x, fillRow)) < 100) {
            const int start = x;
            while (x < page.width() && qGray(page.pixel(x, fillRow)) < 100) {
                ++x;
            }
            lineMiddles.push_back((start + x - 1) / 2.0);
        }
    }
    ASSERT_EQ(lineMiddles.size(), 2u);
    EXPECT_NEAR(lineMiddles[1] - lineMiddles[0], 800.0, 1.0);
}

TEST(PdfExport, LargeSiteAtAChosenScaleTakesMarkedPages) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plan.pdf"));
    // 30 m × 1 m at 1:20 is 1500 mm × 50 mm: eleven pages of 141 mm side by side, one row.
    ASSERT_TRUE(Pdf(Box(30.0, 1.0), path, PaperScale{20, QStringLiteral("1:20")}).ok);
    PLANTREK_RUN_TOOL(info, QStringLiteral("pdfinfo"), path);
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+11\\n"))))
        << info.toStdString();
    PLANTREK_RUN_TOOL(text, QStringLiteral("pdftotext"), path, QStringLiteral("-"));
    EXPECT_TRUE(text.contains(QStringLiteral("page 11 of 11 (row 1, column 11)")));
}

// A plan wider than tall is laid on its side when the pages may turn, at the larger scale; its
// wall lengths, written outside the room, stay inside the plan's part of the page.
TEST(PdfExport, AWidePlanTurnsThePageAndKeepsItsLengthsOnIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plan.pdf"));
    const Site site = Box(9.0, 3.0);
    ASSERT_TRUE(ExportPdf(&site, PageOptions(std::nullopt, true), kA4, path, false).ok);
    PLANTREK_RUN_TOOL(info, QStringLiteral("pdfinfo"), path);
    EXPECT_TRUE(info.contains(QStringLiteral("842 x 595 pts (A4)"))) << info.toStdString();
    PLANTREK_RUN_TOOL(text, QStringLiteral("pdftotext"), path, QStringLiteral("-"));
    EXPECT_TRUE(text.contains(QStringLiteral("Scale 1:50")));
    EXPECT_TRUE(text.contains(kCentimetres.FormatLength(9.0))) << text.toStdString();

    for (QPageLayout::Orientation orientation : {QPageLayout::Portrait, QPageLayout::Landscape}) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        QPageLayout layout = kA4;
        layout.setOrientation(orientation);
        writer.setPageLayout(layout);
        PageGeometry g;
        ASSERT_TRUE(LayoutPages(site, PageOptions(std::nullopt, true), writer, &g));
        ASSERT_EQ(g.PageCount(), 1);
        QImage scratch(1, 1, QImage::Format_RGB32);
        QPainter painter(&scratch);
        PainterSurface inner(painter);
        ScaledSurface surface(inner, kPdfResolution / 96.0);
        ViewTransform transform;
        transform.scale = g.pixelsPerMeter;
        transform.xBase = g.planOrigin.x();
        transform.yOffset = -3.0 * g.pixelsPerMeter;
        transform.height = g.planOrigin.y();
        DrawingValues values;
        values.ShowWallLengths = true;
        const auto drawn = RenderedExtent(site, surface, transform, {}, values, &kCentimetres);
        ASSERT_TRUE(drawn);
        EXPECT_TRUE(g.planArea.contains(QRect(QPoint(drawn->left, drawn->top),
                                              QPoint(drawn->right - 1, drawn->bottom - 1))))
            << orientation;
    }
}

TEST(SvgExport, RoomGroupsInPlanUnitsAndRenders) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plan.svg"));
    const Site site = Box(6.0, 2.5);
    ASSERT_TRUE(ExportSvg(&site, {}, path).ok);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QStringList rooms;
    double minX = 1e18;
    double maxX = -1e18;
    bool inRoom = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.attributes().value("class") == QStringLiteral("room")) {
            rooms << xml.attributes().value("data-name").toString();
            inRoom = true;
        }
        if (xml.isStartElement() && inRoom && xml.name() == QStringLiteral("path")) {
            static const QRegularExpression point(QStringLiteral("[ML]([-0-9.]+),"));
            for (const auto& m : point.globalMatch(xml.attributes().value("d").toString())) {
                minX = std::min(minX, m.captured(1).toDouble());
                maxX = std::max(maxX, m.captured(1).toDouble());
            }
            inRoom = false;
        }
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(rooms, QStringList{QStringLiteral("Kitchen")});
    EXPECT_NEAR(maxX - minX, 6.0 * kSvgUnitsPerMeter, 1.0);

    PLANTREK_RUN_TOOL(render, QStringLiteral("rsvg-convert"), path, QStringLiteral("-o"),
                      dir.filePath(QStringLiteral("svg.png")));
    EXPECT_FALSE(QImage(dir.filePath(QStringLiteral("svg.png"))).isNull());
}

}  // namespace
}  // namespace plantrek
