#pragma once

#include <QWidget>

// A plain picture of the plan, fitted into the window and zoomed in powers of two about its
// centre. It stands in for the scrolling plan view with picking and dragging.
namespace plantrek {

class CTracepadDoc;

class PlanWidget : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLargestZoom = 16;

    explicit PlanWidget(CTracepadDoc& doc, QWidget* parent = nullptr);

    int Zoom() const { return zoom_; }
    void SetZoom(int zoom);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CTracepadDoc& doc_;
    int zoom_ = 1;
};

}  // namespace plantrek
