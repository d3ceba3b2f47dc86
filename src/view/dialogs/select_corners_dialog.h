#pragma once

#include <QWidget>

#include <functional>
#include <optional>

#include "model/geometry.h"
#include "view/dialogs/disto_input_dlg.h"
#include "render/view_transform.h"

class QLabel;

// "Select Corners": a picture of the room in which clicks pick corners, for the room's new start
// point (one corner) or for the two reference points of "Arc Wall".
namespace plantrek {

class Room;

// Where the picks go: the form that owns them decides which mark a click fills.
struct CornerPicks {
    int wanted = 1;                                       // one or two corners
    std::function<void(PlanPoint)> pick;                  // a corner was clicked
    std::function<std::optional<PlanPoint>(int)> marked;  // the corner marked "1" (0) or "2" (1)
};

// The room drawn as the plan view draws it, fitted by the plan view's scaling rule.
class CornerPicture : public QWidget {
    Q_OBJECT
public:
    CornerPicture(const CTracepadDoc& doc, const Room& room, CornerPicks picks, QWidget* parent);

    ViewTransform Transform() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    const CTracepadDoc& doc_;
    const Room& room_;
    CornerPicks picks_;
};

class SelectCornersDialog : public EditingDialog {
    Q_OBJECT
public:
    SelectCornersDialog(const CTracepadDoc& doc, const Room& room, CornerPicks picks,
                        UserPrompts& prompts, QWidget* parent);

    CornerPicture* Picture() const { return picture_; }

protected:
    bool TakeControls() override { return true; }

private:
    CornerPicture* picture_;
};

}  // namespace plantrek
