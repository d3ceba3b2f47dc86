#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <utility>
#include <vector>

#include "model/drawing_values.h"
#include "model/geometry.h"
#include "render/plan_renderer.h"
#include "render/view_transform.h"

// The plan as the window shows it, kept as a picture between changes: painting the window, or
// an outline dragged over it, copies from here instead of drawing every room again. Scrolling
// shifts the picture and draws only the strip that came into view, and only the rooms that
// reach into it. The faint level below, when shown, is kept as a picture of its own, so that a
// change to the level being worked on draws that level only, over a copy of it.
namespace plantrek {

class LengthUnits;

class Site;

class PlanPicture {
public:
    static constexpr QRgb kBackground = 0xFFFFFFFF;

    // What the picture shows. The rooms' boxes are measured again on the next draw.
    void SetContent(const Site* site, const PlanSelection& selection, const DrawingValues& values,
                    const LengthUnits* wallLengthUnits = nullptr);
    // Marks the picture for drawing again (document change, zoom, resize).
    void Invalidate() { valid_ = false; }
    bool IsValid() const { return valid_; }

    // Draws the whole picture anew when it is not valid. `windowTransform` maps plan meters to
    // window pixels.
    void Update(QSize size, const ViewTransform& windowTransform);
    // The window scrolled by (dx, dy) pixels (the plan moves that way): the picture moves with
    // it and the uncovered strips are drawn at `windowTransform`, the new position.
    void Scroll(int dx, int dy, const ViewTransform& windowTransform);

    const QImage& Image() const { return image_; }

private:
    // What the faint level's picture was drawn from; it is drawn again when any of it changes.
    struct FaintKey {
        std::uint64_t revision = 0;
        int level = -1;
        QSize size;
        ViewTransform transform;
        std::uint32_t wallColour = 0;
        std::vector<std::pair<int, std::uint32_t>> materials;
        // The selected room when it lies on the faint level (another window's selection).
        const Room* selected = nullptr;

        bool operator==(const FaintKey& other) const = default;
    };

    // Draws the rooms that reach into `region`, and the site's markers, clipped to it, over the
    // faint level's picture when there is one.
    void DrawRegion(const QRect& region, const ViewTransform& windowTransform);
    // Draws the faint level's picture whole when it is not the one for this transform (or the
    // level, materials, colours or selection on it changed); nothing without a faint level.
    void UpdateFaint(const ViewTransform& windowTransform);
    // Draws the faint level's rooms that reach into `region` over the background.
    void DrawFaintRegion(const QRect& region, const ViewTransform& windowTransform);
    bool ShowsFaintLevel() const { return site_ != nullptr && FaintLevelOf(values_) >= 0; }
    FaintKey FaintKeyFor(QSize size, const ViewTransform& windowTransform) const;
    void MeasureRooms();

    const Site* site_ = nullptr;
    PlanSelection selection_;
    DrawingValues values_;
    const LengthUnits* wallLengthUnits_ = nullptr;
    bool valid_ = false;
    QImage image_;
    // Per room in drawing order: its box, and how far its drawing may reach beyond it; the
    // faint rooms apart from the others.
    std::vector<RoomReach> extents_;
    std::vector<RoomReach> faintExtents_;
    int faintExtentsLevel_ = -1;
    std::uint64_t faintExtentsRevision_ = 0;
    bool extentsKnown_ = false;
    QImage faint_;
    FaintKey faintKey_;
    bool faintKnown_ = false;
};

}  // namespace plantrek
