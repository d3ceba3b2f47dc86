#include "bench/bench_fixtures.h"

#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>

#include "bench/site_generator.h"
#include "document/files/site_file.h"
#include "document/settings_store.h"
#include "document/tracepad_doc.h"
#include "document/user_prompts.h"
#include "model/room.h"
#include "model/site_visitor.h"
#include "model/wall.h"
#include "render/painter_surface.h"

namespace plantrek::bench {

namespace {

class SilentPrompts : public UserPrompts {
public:
    void ShowMessage(const QString&, MessageIcon) override {}
    bool AskYesNo(const QString&) override { return true; }
};

QTemporaryDir& Scratch() {
    static QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "plantrek_bench: no scratch folder\n");
        std::exit(1);
    }
    return dir;
}

void MakeOutlines(SizeFixture& fixture) {
    const Site& site = *fixture.site;
    for (const auto& room : site.Rooms()) {
        QPolygon polygon;
        PlanPoint p = room->GetLocation();
        const DevicePoint first = fixture.transform.ToDevice(p);
        polygon.append(QPoint(first.x, first.y));
        const auto add = [&](const Wall& wall) {
            for (const PlanPoint& q : WallDrawingPoints(p, wall, fixture.transform.scale)) {
                const DevicePoint d = fixture.transform.ToDevice(q);
                polygon.append(QPoint(d.x, d.y));
            }
            p += wall.GetVector();
        };
        room->GetCloseState();
        for (const auto& wall : room->UserWalls()) {
            add(*wall);
        }
        for (const auto& wall : room->SystemWalls()) {
            add(*wall);
        }
        fixture.outlines.push_back(polygon);
        const Material* material = site.FindMaterialByIndex(room->GetMaterial());
        fixture.fills.push_back(
            PainterSurface::ToQColor(material != nullptr ? material->GetColour() : 0xFF8080));
    }
}

}  // namespace

QString ScratchPath(const QString& name) {
    return Scratch().filePath(name);
}

ViewTransform FitTransform(const Site& site, int width, int height) {
    CSiteBoundsVisitor bounds;
    site.Traverse(bounds);
    double w = bounds.MaxX() - bounds.MinX();
    double h = bounds.MaxY() - bounds.MinY();
    if (w <= 0.0) {
        w = 1.0;
    }
    if (h <= 0.0) {
        h = 1.0;
    }
    ViewTransform t;
    t.scale = 0.8 * std::min(width / w, height / h);
    t.xOffset = width / 2 - (bounds.MinX() + bounds.MaxX()) / 2.0 * t.scale;
    t.yOffset = height / 2 - (bounds.MinY() + bounds.MaxY()) / 2.0 * t.scale;
    t.height = height;
    return t;
}

CTracepadDoc& SizeFixture::Document() {
    if (!document_) {
        static SilentPrompts prompts;
        const QString folder = ScratchPath(QStringLiteral("settings-%1").arg(roomCount));
        auto doc = std::make_shared<CTracepadDoc>(
            prompts, SettingsStore::AtFile(folder + QStringLiteral("/settings.ini")),
            TemplateLocation{folder, QString()});
        if (!doc->OnOpenDocument(path)) {
            std::fprintf(stderr, "plantrek_bench: the document did not open %s\n",
                         qPrintable(path));
            std::exit(1);
        }
        Site* site = doc->GetSite();
        doc->SelectRoom(site->GetRoom(site->RoomCount() / 2));
        document_ = std::move(doc);
    }
    return *document_;
}

SizeFixture& Fixture(int roomCount) {
    static std::map<int, std::unique_ptr<SizeFixture>> fixtures;
    auto& slot = fixtures[roomCount];
    if (slot) {
        return *slot;
    }
    auto fixture = std::make_unique<SizeFixture>();
    fixture->roomCount = roomCount;
    fixture->site = GenerateSite(roomCount);
    const SiteStatistics s = Measure(*fixture->site);
    std::fprintf(stderr, "site of %d rooms: %d walls (%d to %d a room), %d arcs, %d rooms open\n",
                 s.rooms, s.walls, s.fewestWalls, s.mostWalls, s.arcWalls, s.openRooms);
    fixture->path = ScratchPath(QStringLiteral("site-%1.tcd").arg(roomCount));
    const SiteFileResult saved = SaveSiteFile(*fixture->site, fixture->path);
    if (!saved.ok) {
        std::fprintf(stderr, "plantrek_bench: cannot write %s: %s\n", qPrintable(fixture->path),
                     qPrintable(saved.errorText));
        std::exit(1);
    }
    fixture->openingsSite = std::make_unique<Site>(*fixture->site);
    AddTwoOpenings(*fixture->openingsSite);
    fixture->openingsPath = ScratchPath(QStringLiteral("openings-%1.tcd").arg(roomCount));
    if (!SaveSiteFile(*fixture->openingsSite, fixture->openingsPath).ok) {
        std::fprintf(stderr, "plantrek_bench: cannot write %s\n", qPrintable(fixture->openingsPath));
        std::exit(1);
    }
    fixture->transform = FitTransform(*fixture->site, kWindowWidth, kWindowHeight);
    fixture->selection.room = fixture->site->GetRoom(roomCount / 2);

    const PlanRect box = fixture->site->GetBounds();
    std::mt19937 engine(7u);
    std::uniform_real_distribution<double> x(box.minX, box.maxX);
    std::uniform_real_distribution<double> y(box.minY, box.maxY);
    fixture->randomPoints.resize(4096);
    for (PlanPoint& p : fixture->randomPoints) {
        p = {x(engine), y(engine)};
    }
    MakeOutlines(*fixture);
    slot = std::move(fixture);
    return *slot;
}

}  // namespace plantrek::bench
