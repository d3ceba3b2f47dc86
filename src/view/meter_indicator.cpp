#include "view/meter_indicator.h"

namespace plantrek {

MeterIndicator::MeterIndicator(MeterConnection& meter, QWidget* parent)
    : QLabel(parent), meter_(meter) {
    setObjectName(QStringLiteral("MeterIndicator"));
    setToolTip(
        QStringLiteral("The Disto's connection. To connect again, choose View > "
                       "Reconnect to Disto."));
    connect(&meter_, &MeterConnection::stateChanged, this, &MeterIndicator::Show);
    Show(meter_.State());
}

void MeterIndicator::Show(MeterState state) {
    const QString text = MeterStatusText(state, meter_.PortName());
    setText(text);
    setAccessibleName(text);
}

}  // namespace plantrek
