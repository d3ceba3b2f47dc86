#pragma once

#include <QObject>
#include <QString>

#include <functional>

#include "document/meter_input_dialog.h"

// Applies what the meter sends (a measurement, its enter key, its undo key) to the active
// document, as a typed entry would be applied. The device link posts its messages from its
// worker thread as queued signals; connect them to the slots here. Used by the main window and
// by the command-line listener alike.
namespace plantrek {

class CTracepadDoc;

// What is in front of the user when a message arrives.
struct MeterForeground {
    bool dialogInFront = false;
    // The dialog in front when it takes meter input; null otherwise.
    MeterInputDialog* meterDialog = nullptr;
};

class MeasurementRouter : public QObject {
    Q_OBJECT
public:
    using DocumentProvider = std::function<CTracepadDoc*()>;
    using ForegroundProvider = std::function<MeterForeground()>;

    explicit MeasurementRouter(DocumentProvider activeDocument, QObject* parent = nullptr);
    // Without one, no dialog is ever in front.
    void SetForegroundProvider(ForegroundProvider foreground);

public slots:
    void OnMeasurement(int unitCode, const QString& digits, int keyCode);
    void OnEnter();
    void OnUndo();

signals:
    // What reached the document, after it was applied.
    void measurementApplied(double length, double bearing);
    void enterApplied();
    void undoApplied();

private:
    // The reading in meters and its bearing, decoded with the document's units and style; false
    // when its unit code has no units or it is shorter than a wall can be.
    static bool Decode(const CTracepadDoc& doc, int unitCode, const QString& digits, int keyCode,
                       double* length, double* bearing);

    DocumentProvider activeDocument_;
    ForegroundProvider foreground_;
};

}  // namespace plantrek
