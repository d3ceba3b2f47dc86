#pragma once

#include <QLabel>

#include "view/meter_connection.h"

// The status bar's sign of the meter: "Meter: connected on /dev/rfcomm0" and the like. The
// accessible name is the shown text itself, so a screen reader reads what the eye sees.
namespace plantrek {

class MeterIndicator : public QLabel {
    Q_OBJECT
public:
    explicit MeterIndicator(MeterConnection& meter, QWidget* parent = nullptr);

private:
    void Show(MeterState state);

    MeterConnection& meter_;
};

}  // namespace plantrek
