#pragma once

#include <QString>

#include <vector>

#include "render/drawing_surface.h"

// A drawing surface that keeps what was drawn, with the pen, brush and font of the moment, so
// that tests can check geometry exactly. Text is measured as h/2 pixels per character and h
// pixels high for font height h.
namespace plantrek::test {

enum class Shape { Line, Polyline, Polygon, Ellipse, Rectangle, Text, CentredText };

struct SurfaceState {
    Colour penColour = 0;
    int penWidth = 1;
    Colour brushColour = 0xFFFFFF;
    bool brush = true;
    int fontHeight = 14;
    Colour textColour = 0;
};

struct DrawCall {
    Shape shape;
    std::vector<DevicePoint> points;
    DeviceRect box;
    QString text;
    SurfaceState state;
};

class RecordingSurface : public DrawingSurface {
public:
    explicit RecordingSurface(int dpi = 96) : dpi_(dpi) {}

    int HorizontalDpi() const override { return dpi_; }
    void SaveState() override { saved_.push_back(state_); }
    void RestoreState() override {
        state_ = saved_.back();
        saved_.pop_back();
    }
    void SetPen(Colour colour, int width) override {
        state_.penColour = colour;
        state_.penWidth = width;
    }
    void SetNoPen() override {}
    void SetBrush(Colour colour) override {
        state_.brush = true;
        state_.brushColour = colour;
    }
    void SetNoBrush() override { state_.brush = false; }
    void SetFont(const QString& /*family*/, int pixelHeight) override {
        state_.fontHeight = pixelHeight;
    }
    void SetTextColour(Colour colour) override { state_.textColour = colour; }
    void SetRasterMode(RasterMode /*mode*/) override {}

    void DrawLine(DevicePoint from, DevicePoint to) override {
        calls.push_back({Shape::Line, {from, to}, {}, {}, state_});
    }
    void DrawPolyline(const std::vector<DevicePoint>& points) override {
        calls.push_back({Shape::Polyline, points, {}, {}, state_});
    }
    void DrawPolygon(const std::vector<DevicePoint>& points) override {
        calls.push_back({Shape::Polygon, points, {}, {}, state_});
    }
    void DrawEllipse(const DeviceRect& box) override {
        calls.push_back({Shape::Ellipse, {}, box, {}, state_});
    }
    void DrawRectangle(const DeviceRect& box) override {
        calls.push_back({Shape::Rectangle, {}, box, {}, state_});
    }
    void DrawText(const QString& text, DevicePoint topLeft) override {
        calls.push_back({Shape::Text, {topLeft}, {}, text, state_});
    }
    void DrawTextCentred(const QString& text, const DeviceRect& box) override {
        calls.push_back({Shape::CentredText, {}, box, text, state_});
    }
    TextExtent MeasureText(const QString& text) const override {
        return {static_cast<int>(text.size()) * state_.fontHeight / 2, state_.fontHeight};
    }

    std::vector<DrawCall> Calls(Shape shape) const {
        std::vector<DrawCall> found;
        for (const DrawCall& call : calls) {
            if (call.shape == shape) {
                found.push_back(call);
            }
        }
        return found;
    }

    std::vector<DrawCall> calls;

private:
    int dpi_;
    SurfaceState state_;
    std::vector<SurfaceState> saved_;
};

}  // namespace plantrek::test
