#include "document/forms/arc_wall_form.h"

#include "document/length_checks.h"
#include "document/tracepad_doc.h"
#include "resources/string_table.h"

namespace plantrek {

ArcWallForm ArcWallForm::FromDocument(const CTracepadDoc&) {
    return {};
}

FormCheck<ArcWallForm::Field> ArcWallForm::Check(const CTracepadDoc& doc) const {
    if (useRoomPoints && (!firstCorner || !secondCorner)) {
        return FormRefusal<Field>{LoadString(string_id::kSelectCorners), Field::Corners};
    }
    const LengthUnits& units = doc.Units();
    if (auto refusal = firstDistance.LengthRefusal(units)) {
        return FormRefusal<Field>{*refusal, Field::FirstDistance};
    }
    if (auto refusal = CheckDistance(firstDistance.Length(units), units)) {
        return FormRefusal<Field>{*refusal, Field::FirstDistance};
    }
    if (auto refusal = secondDistance.LengthRefusal(units)) {
        return FormRefusal<Field>{*refusal, Field::SecondDistance};
    }
    if (auto refusal = CheckDistance(secondDistance.Length(units), units)) {
        return FormRefusal<Field>{*refusal, Field::SecondDistance};
    }
    // No point at these distances: said while the dialog is open, so nothing typed is lost.
    const Room* room = doc.GetCurrentRoom();
    const Wall* wall = doc.GetCurrentWall();
    if (room == nullptr || wall == nullptr) {
        return std::nullopt;
    }
    const double r1 = firstDistance.Length(units);
    const double r2 = secondDistance.Length(units);
    const bool found = useRoomPoints
                           ? CanArcWall(*room, wall, *firstCorner, *secondCorner, r1, r2, side)
                           : CanArcWall(*room, wall, r1, r2, side);
    if (!found) {
        // Two distances from one corner picked twice meet nowhere: the corners are at fault.
        const bool sameCorner =
            useRoomPoints && Length(*secondCorner - *firstCorner) < kPointTolerance;
        return FormRefusal<Field>{LoadString(string_id::kCouldNotCalculatePoint),
                                  sameCorner ? Field::Corners : Field::FirstDistance};
    }
    return std::nullopt;
}

bool ArcWallForm::Apply(CTracepadDoc& doc) const {
    const double r1 = firstDistance.Length(doc.Units());
    const double r2 = secondDistance.Length(doc.Units());
    if (!useRoomPoints) {
        return doc.ArcCurrentWall(r1, r2, side);
    }
    return firstCorner && secondCorner &&
           doc.ArcCurrentWall(*firstCorner, *secondCorner, r1, r2, side);
}

void ArcWallForm::PickCorner(PlanPoint corner) {
    (secondPickedNext ? secondCorner : firstCorner) = corner;
    secondPickedNext = !secondPickedNext;
}

AngleWallForm AngleWallForm::FromDocument(const CTracepadDoc&) {
    return {};
}

std::optional<QString> AngleWallForm::CheckOpening(const CTracepadDoc& doc) {
    const Room* room = doc.GetCurrentRoom();
    if (room != nullptr && StartPointOnWall(*room, doc.GetCurrentWall())) {
        return LoadString(string_id::kStartPointOnWall);
    }
    return std::nullopt;
}

FormCheck<AngleWallForm::Field> AngleWallForm::Check(const CTracepadDoc& doc) const {
    if (auto refusal = CheckOpening(doc)) {
        return FormRefusal<Field>{*refusal, Field::None};
    }
    if (auto refusal = distance.LengthRefusal(doc.Units())) {
        return FormRefusal<Field>{*refusal, Field::Distance};
    }
    const double length = distance.Length(doc.Units());
    if (auto refusal = CheckWallLength(length, doc.Units())) {
        return FormRefusal<Field>{*refusal, Field::Distance};
    }
    const Room* room = doc.GetCurrentRoom();
    const Wall* wall = doc.GetCurrentWall();
    if (room != nullptr && wall != nullptr && !CanAngleWall(*room, wall, length)) {
        return FormRefusal<Field>{LoadString(string_id::kCouldNotCalculatePoint), Field::Distance};
    }
    return std::nullopt;
}

bool AngleWallForm::Apply(CTracepadDoc& doc) const {
    return doc.AngleCurrentWall(distance.Length(doc.Units()));
}

}  // namespace plantrek
