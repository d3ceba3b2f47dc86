#pragma once

#include <QSemaphore>

#include <atomic>

// One short attempt to identify a Disto meter on one COM port: open the port, ask the meter who
// it is, and read its type number from the reply. Used by the device search; the port is closed
// again whatever the outcome.
namespace plantrek {

class SerialPort;

class DistoProbe {
public:
    // The meter is given this long after the port opens before it is asked, and this long to
    // answer each request.
    static constexpr int kSettleMs = 1000;
    static constexpr int kReplyWaitMs = 1000;
    // Room for the reply plus whatever arrives with it; more is not kept.
    static constexpr int kReplyBufferSize = 36;

    explicit DistoProbe(int comPort);
    DistoProbe(const DistoProbe&) = delete;
    DistoProbe& operator=(const DistoProbe&) = delete;

    // Blocks the calling thread: about a second for a meter that answers, two for a port where
    // nothing does, and another round for each reply that had begun but did not finish.
    bool run();

    int comPort() const { return comPort_; }
    bool found() const { return found_.load(std::memory_order_acquire); }
    int typeNumber() const { return typeNumber_; }
    int modelClass() const { return modelClass_; }
    // A reply had begun when the last wait ended.
    bool partial() const { return partial_.load(); }

    // Collects reply bytes as the port delivers them (on the port's worker thread) and
    // recognises the identification. Replies are kept across reads, so a reply split over
    // several reads is still recognised.
    void takeReply(const char* bytes, int count);

private:
    static void OnPortNotice(SerialPort* port, int notice);

    int comPort_;
    int typeNumber_ = 0;
    std::atomic<bool> found_{false};
    QSemaphore semaphore_;
    QSemaphore writeDone_;
    std::atomic<bool> partial_{false};
    char reply_[kReplyBufferSize] = {};
    int replyCount_ = 0;   // every byte received, kept or not
    int storedCount_ = 0;  // bytes kept in reply_
    int modelClass_ = 2;
};

}  // namespace plantrek
