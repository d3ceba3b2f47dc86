#pragma once

// What the measurement router hands a reading to when a dialog is in front: the window's
// meter dialogs implement it, tests record with it. Kept beside the router, below the window,
// like the prompts interface.
namespace plantrek {

// A dialog that takes meter readings into its focused field.
class MeterInputDialog {
public:
    virtual ~MeterInputDialog() = default;
    // A reading of at least the minimum wall length, in meters, with its bearing.
    virtual void TakeMeasurement(double length, double bearing) = 0;
    // The meter's enter key: the dialog's OK.
    virtual void AcceptFromMeter() = 0;
};

}  // namespace plantrek
