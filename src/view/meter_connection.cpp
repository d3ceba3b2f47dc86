#include "view/meter_connection.h"

#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>

#include "device/disto_link.h"
#include "device/serial_port_names.h"
#include "document/measurement_router.h"
#include "view/window_prompts.h"

namespace plantrek {

namespace {

const QString kLostCaption = QStringLiteral("Disto Disconnected");
// %1 is the port.
const QString kLostQuestion = QStringLiteral(
    "The connection to the Disto on %1 was lost. The readings taken so far are kept.\n\n"
    "Reconnect now? (Make sure the Disto is on.)");

// Escape does not close the dialog; it asks the search to stop after the port being tried.
class SearchingDialog : public QDialog {
public:
    SearchingDialog(QWidget* parent, std::atomic<bool>& cancel)
        : QDialog(parent), cancel_(cancel) {}
    void reject() override { cancel_.store(true); }

private:
    std::atomic<bool>& cancel_;
};

}  // namespace

QString MeterStatusText(MeterState state, const QString& portName) {
    switch (state) {
        case MeterState::NotConnected:
            return QStringLiteral("Meter: not connected");
        case MeterState::Searching:
            return QStringLiteral("Meter: searching...");
        case MeterState::Connected:
            return QStringLiteral("Meter: connected on %1").arg(portName);
        case MeterState::Lost:
            return QStringLiteral("Meter: connection lost");
    }
    return {};
}

QString MeterPortName(int comPort) {
    if (comPort < 1) {
        return {};
    }
#ifndef _WIN32
    const QString path = SerialDevicePathForComPort(comPort);
    if (!path.isEmpty()) {
        return path;
    }
#endif
    return QStringLiteral("COM%1").arg(comPort);
}

MeterConnection::MeterConnection(MeasurementRouter& router, WindowPrompts& prompts,
                                 QWidget* dialogParent, QObject* parent)
    : QObject(parent), router_(router), prompts_(prompts), dialogParent_(dialogParent) {}

MeterConnection::~MeterConnection() {
    StopWorker();
    delete dialog_;
}

void MeterConnection::SetSearchRange(int first, int last) {
    first_ = first;
    last_ = last;
}

void MeterConnection::StopWorker() {
    cancel_.store(true);
    if (worker_.joinable()) {
        worker_.join();
    }
}

void MeterConnection::Reconnect() {
    if (Searching()) {
        return;
    }
    const int remembered = comPort_;
    link_.reset();  // stops the old port before the new search opens ports
    comPort_ = -1;
    link_ = std::make_unique<DistoLink>();
    QObject::connect(link_.get(), &DistoLink::measurement, &router_,
                     &MeasurementRouter::OnMeasurement);
    QObject::connect(link_.get(), &DistoLink::enterPressed, &router_, &MeasurementRouter::OnEnter);
    QObject::connect(link_.get(), &DistoLink::undoPressed, &router_, &MeasurementRouter::OnUndo);
    QObject::connect(link_.get(), &DistoLink::connectionLost, this,
                     &MeterConnection::OnConnectionLost);
    portName_.clear();
    SetState(MeterState::Searching);

    cancel_.store(false);
    auto* dialog = new SearchingDialog(dialogParent_, cancel_);
    dialog->setWindowTitle(kSearchingCaption);
    dialog->setModal(false);
    auto* text = new QLabel(kSearchingText, dialog);
    text->setAlignment(Qt::AlignCenter);
    text->setMinimumWidth(280);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(text);
    dialog_ = dialog;
    dialogText_ = text;
    dialog->show();

    // Only the worker touches the link until it has finished; Finish runs after the join.
    DistoLink* link = link_.get();
    const int first = first_;
    const int last = last_;
    worker_ = std::thread([this, link, remembered, first, last] {
        const auto progress = [this](const QString& line) {
            QMetaObject::invokeMethod(this, [this, line] {
                if (dialogText_) {
                    dialogText_->setText(line);
                }
            }, Qt::QueuedConnection);
        };
        int port = -1;
        if (remembered >= 1) {
            port = link->search(remembered, remembered, progress, &cancel_);
        }
        if (port < 0 && !cancel_.load()) {
            port = link->search(first, last, progress, &cancel_);
        }
        const bool connected = port >= 0 && link->connect();
        QMetaObject::invokeMethod(this, [this, port, connected] { Finish(port, connected); },
                                  Qt::QueuedConnection);
    });
}

void MeterConnection::Finish(int comPort, bool connected) {
    if (worker_.joinable()) {
        worker_.join();
    }
    delete dialog_;
    // A meter that went away again before this point has not stayed connected.
    connected = connected && link_ != nullptr && link_->isConnected();
    comPort_ = connected ? comPort : -1;
    portName_ = MeterPortName(comPort_);
    SetState(connected ? MeterState::Connected : MeterState::NotConnected);
    if (comPort_ < 0) {
        prompts_.ShowMessage(kNoDistoMessage, MessageIcon::Warning);
    }
    emit searchFinished(comPort_);
}

void MeterConnection::SetState(MeterState state) {
    if (state_ != state) {
        state_ = state;
        emit stateChanged(state);
    }
}

void MeterConnection::OnConnectionLost() {
    // During a search the end of the search decides; a link already replaced says nothing.
    if (Searching() || state_ != MeterState::Connected) {
        return;
    }
    SetState(MeterState::Lost);
    // Asked once the link's signal has returned, since reconnecting replaces the link.
    QMetaObject::invokeMethod(this, &MeterConnection::OfferReconnect, Qt::QueuedConnection);
}

void MeterConnection::OfferReconnect() {
    // Reconnected in the meantime: nothing to offer.
    if (state_ != MeterState::Lost) {
        return;
    }
    if (prompts_.AskCaptioned(kLostCaption, kLostQuestion.arg(portName_), MessageIcon::Warning)) {
        Reconnect();
    }
}

}  // namespace plantrek
