#pragma once

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QString>

#include <atomic>
#include <memory>
#include <thread>

class QLabel;
class QWidget;

// The frame's meter: searches the COM ports on a worker thread while a small "Searching"
// dialog shows the port being tried (Escape stops the search after that port), then keeps the
// link whose readings go to the measurement router. The window stays usable throughout.
//
// A meter that goes away (switched off, out of Bluetooth range, unplugged) is reported once per
// loss, with the offer to reconnect; the readings already taken stay in the documents.
namespace plantrek {

class DistoLink;
class MeasurementRouter;
class WindowPrompts;

enum class MeterState {
    NotConnected,  // never searched, or the last search found nothing
    Searching,
    Connected,
    Lost,  // was connected until the port went away
};

// What the status bar says, e.g. "Meter: connected on /dev/rfcomm0".
QString MeterStatusText(MeterState state, const QString& portName);
// How the user knows a COM number: its device path where the numbers stand for paths.
QString MeterPortName(int comPort);

class MeterConnection : public QObject {
    Q_OBJECT
public:
    MeterConnection(MeasurementRouter& router, WindowPrompts& prompts, QWidget* dialogParent,
                    QObject* parent = nullptr);
    ~MeterConnection() override;

    // The ports searched when no port is remembered; COM1 to COM20 unless changed.
    void SetSearchRange(int first, int last);
    // Replaces the link: tries the remembered port alone first, then the whole range. Says so
    // when no meter answers. Ignored while a search runs.
    void Reconnect();
    bool Searching() const { return worker_.joinable(); }
    // The port of the meter, or -1.
    int ComPort() const { return comPort_; }
    DistoLink* Link() const { return link_.get(); }
    // The search dialog while it shows.
    QDialog* SearchDialog() const { return dialog_; }

    MeterState State() const { return state_; }
    // The port of the meter connected or lost; empty otherwise.
    QString PortName() const { return portName_; }

signals:
    void searchFinished(int comPort);
    void stateChanged(plantrek::MeterState state);

private:
    void Finish(int comPort, bool connected);
    void StopWorker();
    void SetState(MeterState state);
    void OnConnectionLost();
    void OfferReconnect();

    MeasurementRouter& router_;
    WindowPrompts& prompts_;
    QWidget* dialogParent_;
    std::unique_ptr<DistoLink> link_;
    std::thread worker_;
    std::atomic<bool> cancel_{false};
    QPointer<QDialog> dialog_;
    QPointer<QLabel> dialogText_;
    int first_ = 1;
    int last_ = 20;
    int comPort_ = -1;
    MeterState state_ = MeterState::NotConnected;
    QString portName_;
};

}  // namespace plantrek
