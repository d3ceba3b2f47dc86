// Opening arbitrary bytes as a site file: the reader must fail cleanly or build a site of finite
// numbers, and a site it read must save and read back with the same rooms. (Walls are stored
// as end points with six decimals, so a plan far from the origin may not come back wall for
// wall; that is the file format's, and not checked here.)
#include <QBuffer>

#include <cstddef>
#include <cstdint>

#include "document/files/site_file.h"
#include "document/files/site_file_writer.h"
#include "fuzz/fuzz_support.h"
#include "model/room.h"
#include "model/site.h"
#include "render/plan_hit_test.h"

using namespace plantrek;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer input(&bytes);
    input.open(QIODevice::ReadOnly);
    Site site;
    const SiteFileResult result = LoadSiteFile(input, site);
    fuzz::RequireFiniteSite(site);
    if (!result.ok) {
        fuzz::Require(site.RoomCount() == 0, "a failed open left rooms behind");
        return 0;
    }

    // What the plan view and the exports ask of every room.
    for (const auto& room : site.Rooms()) {
        (void)room->GetArea();
        (void)room->GetPerimeter();
        (void)room->GetCentroid();
        (void)room->ContainsPoint(room->GetLocation());
    }
    const PlanRect bounds = site.GetBounds();
    const PlanHitIndex index(site);
    (void)index.Pick(bounds.Centre(), 0.5);
    (void)index.SnapPoint(site.GetStartPoint(), nullptr, true, 0.5);

    QByteArray saved;
    {
        QBuffer output(&saved);
        output.open(QIODevice::WriteOnly);
        CSiteFileWriter writer(output, QStringLiteral("fuzz.tcd"));
        site.Traverse(writer);
        if (!writer.Finish()) {
            return 0;  // audio that could not be read back is reported, not written
        }
    }
    QBuffer again(&saved);
    again.open(QIODevice::ReadOnly);
    Site reread;
    fuzz::Require(LoadSiteFile(again, reread).ok, "a saved site does not open");
    fuzz::Require(reread.RoomCount() == site.RoomCount(), "a saved site lost or gained rooms");
    for (int i = 0; i < site.RoomCount(); ++i) {
        fuzz::Require(reread.GetRoom(i)->GetName() == site.GetRoom(i)->GetName(),
                      "a room's name changed on saving");
    }
    return 0;
}
