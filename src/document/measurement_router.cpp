#include "document/measurement_router.h"

#include <cmath>
#include <utility>

#include "document/tracepad_doc.h"
#include "model/units.h"

namespace plantrek {

MeasurementRouter::MeasurementRouter(DocumentProvider activeDocument, QObject* parent)
    : QObject(parent), activeDocument_(std::move(activeDocument)) {}

void MeasurementRouter::SetForegroundProvider(ForegroundProvider foreground) {
    foreground_ = std::move(foreground);
}

bool MeasurementRouter::Decode(const CTracepadDoc& doc, int unitCode, const QString& digits,
                               int keyCode, double* length, double* bearing) {
    const LengthUnits* units = doc.UnitsForDeviceCode(unitCode);
    if (units == nullptr) {
        return false;  // a unit code without units: its scale is unknown
    }
    const double meters = units->ParseDeviceLength(digits);
    // Shorter than a wall can be (or not a number at all): dropped without a word. The meter
    // has no upper limit.
    if (!std::isfinite(meters) || meters < MinWallLength - kZeroTolerance) {
        return false;
    }
    *length = meters;
    *bearing = doc.Style().DirectionForKeyCode(keyCode);
    return true;
}

void MeasurementRouter::OnMeasurement(int unitCode, const QString& digits, int keyCode) {
    CTracepadDoc* doc = activeDocument_ ? activeDocument_() : nullptr;
    const MeterForeground front = foreground_ ? foreground_() : MeterForeground{};
    if (doc == nullptr) {
        return;
    }
    double length = 0.0;
    double bearing = 0.0;
    if (!Decode(*doc, unitCode, digits, keyCode, &length, &bearing)) {
        return;
    }
    if (front.dialogInFront) {
        if (front.meterDialog != nullptr) {
            front.meterDialog->TakeMeasurement(length, bearing);
            emit measurementApplied(length, bearing);
        }
        return;
    }
    doc->AddMeasuredWall(length, bearing);
    emit measurementApplied(length, bearing);
}

void MeasurementRouter::OnEnter() {
    const MeterForeground front = foreground_ ? foreground_() : MeterForeground{};
    if (front.dialogInFront) {
        if (front.meterDialog != nullptr) {
            front.meterDialog->AcceptFromMeter();
            emit enterApplied();
        }
        return;
    }
    CTracepadDoc* doc = activeDocument_ ? activeDocument_() : nullptr;
    if (doc == nullptr) {
        return;
    }
    doc->EnterInputText(QString());
    emit enterApplied();
}

void MeasurementRouter::OnUndo() {
    const MeterForeground front = foreground_ ? foreground_() : MeterForeground{};
    if (front.dialogInFront) {
        return;  // undo never reaches a dialog
    }
    CTracepadDoc* doc = activeDocument_ ? activeDocument_() : nullptr;
    if (doc == nullptr || !doc->CanUndo()) {
        return;
    }
    doc->Undo();
    emit undoApplied();
}

}  // namespace plantrek
