#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

#include <vector>

#include "model/drawing_values.h"
#include "model/geometry.h"
#include "render/plan_renderer.h"
#include "render/view_transform.h"

// The plan as the window shows it, kept as a picture between changes: painting the window, or
// an outline dragged over it, copies from here instead of drawing every room again. Scrolling
// shifts the picture and draws only the strip that came into view, and only the rooms that
// reach into it.
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
    // Draws the rooms that reach into `region`, and the site's markers, clipped to it.
    void DrawRegion(const QRect& region, const ViewTransform& windowTransform);
    void MeasureRooms();

    const Site* site_ = nullptr;
    PlanSelection selection_;
    DrawingValues values_;
    const LengthUnits* wallLengthUnits_ = nullptr;
    bool valid_ = false;
    QImage image_;
    // Per room in drawing order: its box, and how far its drawing may reach beyond it.
    std::vector<RoomReach> extents_;
    bool extentsKnown_ = false;
};

}  // namespace plantrek
