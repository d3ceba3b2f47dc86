// Snap Room, which puts the selected room against its neighbours without moving it into one.
#include "document/tracepad_doc.h"

#include "model/plan_check.h"

namespace plantrek {

bool CTracepadDoc::SnapRoom() {
    if (site_ == nullptr || currentRoom_ == nullptr) {
        return false;
    }
    const std::optional<PlanPoint> target = SnapRoomTarget(*site_, *currentRoom_);
    if (!target) {
        ShowMessage(QStringLiteral("\"%1\" was not moved: at every corner it could snap to, it "
                                   "would overlap another room.")
                        .arg(currentRoom_->GetName()),
                    MessageIcon::Warning);
        return false;
    }
    const PlanPoint shift = *target - currentRoom_->GetStartPoint();
    if (shift.x == 0.0 && shift.y == 0.0) {
        return false;
    }
    currentRoom_->Translate(shift);
    Commit(true);
    return true;
}

}  // namespace plantrek
