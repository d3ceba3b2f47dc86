#pragma once

#include <QObject>
#include <QPointer>

#include <atomic>
#include <memory>
#include <thread>

class QDialog;
class QLabel;
class QWidget;

// The frame's meter: searches the COM ports on a worker thread while a small "Searching"
// dialog shows the port being tried (Escape stops the search after that port), then keeps the
// link whose readings go to the measurement router. The window stays usable throughout.
namespace plantrek {

class DistoLink;
class MeasurementRouter;
class WindowPrompts;

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

signals:
    void searchFinished(int comPort);

private:
    void Finish(int comPort, bool connected);
    void StopWorker();

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
};

}  // namespace plantrek
