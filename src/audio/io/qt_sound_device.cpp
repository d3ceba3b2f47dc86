#include "audio/io/qt_sound_device.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QAudioSource>
#include <QIODevice>
#include <QMediaDevices>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "audio/io/deadline_call.h"
#include "audio/io/gsm_codec.h"

namespace plantrek {

namespace {

QAudioFormat PcmFormat() {
    QAudioFormat format;
    format.setSampleRate(kGsmSampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

QString ErrorText(QAudio::Error error) {
    switch (error) {
        case QAudio::NoError:
        case QAudio::UnderrunError:
            return {};
        case QAudio::OpenError:
            return QStringLiteral("The sound device could not be opened.");
        case QAudio::IOError:
            return QStringLiteral("The sound device reported an input or output error.");
        case QAudio::FatalError:
            break;
    }
    return QStringLiteral("The sound system failed.");
}

// Runs fn on the thread and waits for it.
template <typename Fn>
void RunOn(QObject* context, Fn fn) {
    QMetaObject::invokeMethod(context, fn, Qt::BlockingQueuedConnection);
}

// Stops a sink or source and deletes it, telling nobody: what it says while it stops is of no
// use to anyone any more.
template <typename Stream>
void Dismiss(Stream*& stream, QObject& context) {
    if (stream != nullptr) {
        QObject::disconnect(stream, nullptr, &context, nullptr);
        stream->stop();
        delete stream;
        stream = nullptr;
    }
}

// The decoded audio of the queued buffers, which the sink pulls from. A buffer is handed back
// once the sink has taken all of it; the last one only once the sink has run dry, so that the
// end of a note is heard before the playback ends.
class PcmQueue : public QIODevice {
public:
    explicit PcmQueue(WaveOutListener& listener) : listener_(listener) {
        open(QIODevice::ReadOnly);
    }

    bool isSequential() const override { return true; }

    qint64 bytesAvailable() const override {
        QMutexLocker lock(&mutex_);
        qint64 total = 0;
        for (const auto& piece : queue_) {
            total += piece.pcm.size() - piece.taken;
        }
        return total + QIODevice::bytesAvailable();
    }

    void Append(int index, QByteArray pcm) {
        QMutexLocker lock(&mutex_);
        queue_.push_back({index, std::move(pcm), 0});
    }

    // The sink has nothing left to play.
    void RanDry() { HandBack(false); }
    // Everything goes back, played or not.
    void DropAll() { HandBack(true); }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        std::vector<int> done;
        qint64 total = 0;
        {
            QMutexLocker lock(&mutex_);
            while (total < maxSize && !queue_.empty()) {
                Piece& piece = queue_.front();
                const qint64 n = qMin<qint64>(maxSize - total, piece.pcm.size() - piece.taken);
                memcpy(data + total, piece.pcm.constData() + piece.taken, n);
                piece.taken += n;
                total += n;
                if (piece.taken == piece.pcm.size()) {
                    if (drained_ >= 0) {
                        done.push_back(drained_);
                    }
                    drained_ = piece.index;
                    queue_.pop_front();
                }
            }
            if (!queue_.empty() && drained_ >= 0) {
                done.push_back(drained_);
                drained_ = -1;
            }
        }
        for (int index : done) {
            listener_.BufferDone(index);
        }
        return total;
    }

    qint64 writeData(const char*, qint64) override { return -1; }

private:
    struct Piece {
        int index;
        QByteArray pcm;
        qint64 taken;
    };

    void HandBack(bool all) {
        std::vector<int> done;
        {
            QMutexLocker lock(&mutex_);
            if (drained_ >= 0 && (all || queue_.empty())) {
                done.push_back(drained_);
                drained_ = -1;
            }
            if (all) {
                for (const auto& piece : queue_) {
                    done.push_back(piece.index);
                }
                queue_.clear();
            }
        }
        for (int index : done) {
            listener_.BufferDone(index);
        }
    }

    WaveOutListener& listener_;
    mutable QMutex mutex_;
    std::deque<Piece> queue_;
    int drained_ = -1;  // taken whole by the sink, not yet heard to the end
};

// A device's own thread, where Qt delivers its audio, and the opening of its stream there.
class DeviceThread {
public:
    // The sound system did not answer the opening.
    bool Stuck() const { return stuck_; }

protected:
    explicit DeviceThread(const QString& name) {
        thread_.setObjectName(name);
        thread_.start();
        context_.moveToThread(&thread_);
    }
    virtual ~DeviceThread() = default;

    // Runs on the thread; the stream, if any, is stopped and deleted.
    virtual void CloseStream() = 0;

    // Closes the stream and ends the thread; each device's destructor calls it.
    void Shutdown() {
        RunOn(&context_, [this] { CloseStream(); });
        thread_.quit();
        thread_.wait();
    }

    // Runs `open` on the thread, which sets the reason it failed, if it did. Empty when open.
    QString OpenWithin(int deadlineMs, std::function<void(QString&)> open) {
        auto error = std::make_shared<QString>();
        const auto work = [open = std::move(open), error] { open(*error); };
        if (!CallWithDeadline(&context_, work, [this] { CloseStream(); }, deadlineMs)) {
            stuck_ = true;
            return kErrorSoundNoAnswer;
        }
        return *error;
    }

    QObject context_;

private:
    QThread thread_;
    bool stuck_ = false;
};

class QtWaveOut : public WaveOut, public DeviceThread {
public:
    QtWaveOut(WaveOutListener& listener)
        : DeviceThread(QStringLiteral("sound output")), queue_(listener) {}

    ~QtWaveOut() override { Shutdown(); }

    QString Open(int deadlineMs) {
        return OpenWithin(deadlineMs, [this](QString& error) {
            const QAudioDevice device = QMediaDevices::defaultAudioOutput();
            if (device.isNull()) {
                error = QStringLiteral("There is no sound output device.");
                return;
            }
            sink_ = new QAudioSink(device, PcmFormat());
            QObject::connect(sink_, &QAudioSink::stateChanged, &context_, [this](QAudio::State) {
                if (sink_->error() != QAudio::NoError && sink_->error() != QAudio::UnderrunError) {
                    queue_.DropAll();
                } else if (sink_->state() == QAudio::IdleState) {
                    queue_.RanDry();
                }
            });
            sink_->start(&queue_);
            error = ErrorText(sink_->error());
        });
    }

    void Write(int index, QByteArrayView gsm) override {
        QByteArray pcm(gsm.size() / kGsmBlockBytes * kGsmBlockSamples * 2, Qt::Uninitialized);
        auto* samples = reinterpret_cast<int16_t*>(pcm.data());
        for (qsizetype at = 0; at + kGsmBlockBytes <= gsm.size(); at += kGsmBlockBytes) {
            decoder_.DecodeBlock(gsm.sliced(at, kGsmBlockBytes),
                                 std::span<int16_t, kGsmBlockSamples>(samples, kGsmBlockSamples));
            samples += kGsmBlockSamples;
        }
        queue_.Append(index, std::move(pcm));
        // A sink that ran dry waits to be told there is more.
        QMetaObject::invokeMethod(
            &context_, [this] { emit queue_.readyRead(); }, Qt::QueuedConnection);
    }

private:
    void CloseStream() override { Dismiss(sink_, context_); }

    PcmQueue queue_;
    QAudioSink* sink_ = nullptr;
    bool stuck_ = false;
    GsmDecoder decoder_;
};

class QtWaveIn : public WaveIn, public DeviceThread {
public:
    explicit QtWaveIn(WaveInListener& listener)
        : DeviceThread(QStringLiteral("sound input")), listener_(listener) {}

    ~QtWaveIn() override { Shutdown(); }

    QString Open(int deadlineMs) {
        return OpenWithin(deadlineMs, [this](QString& error) {
            const QAudioDevice device = QMediaDevices::defaultAudioInput();
            if (device.isNull()) {
                error = QStringLiteral("There is no sound input device.");
                return;
            }
            source_ = new QAudioSource(device, PcmFormat());
            QIODevice* io = source_->start();
            error = ErrorText(source_->error());
            if (io != nullptr && error.isEmpty()) {
                QObject::connect(io, &QIODevice::readyRead, &context_, [this, io] { Take(io); });
            }
        });
    }

    void AddBuffer(int index, int capacity) override {
        QMutexLocker lock(&mutex_);
        buffers_.push_back({index, capacity});
    }

    void Start() override {
        QMutexLocker lock(&mutex_);
        started_ = true;
    }

    void Reset() override {
        RunOn(&context_, [this] {
            CloseStream();
            QMutexLocker lock(&mutex_);
            encoder_.Finish(encoded_);
            while (!buffers_.empty()) {
                const Buffer buffer = buffers_.front();
                buffers_.pop_front();
                QByteArray gsm = encoded_.left(buffer.capacity);
                encoded_.remove(0, gsm.size());
                listener_.BufferFilled(buffer.index, std::move(gsm));
            }
            encoded_.clear();
        });
    }

private:
    struct Buffer {
        int index;
        int capacity;
    };

    void CloseStream() override { Dismiss(source_, context_); }

    void Take(QIODevice* io) {
        QByteArray pcm = leftover_ + io->readAll();
        leftover_ = pcm.size() % 2 != 0 ? pcm.right(1) : QByteArray();
        QMutexLocker lock(&mutex_);
        if (!started_) {
            return;
        }
        encoder_.Encode(std::span<const int16_t>(reinterpret_cast<const int16_t*>(pcm.constData()),
                                                 pcm.size() / 2),
                        encoded_);
        while (!buffers_.empty() && encoded_.size() >= buffers_.front().capacity) {
            const Buffer buffer = buffers_.front();
            buffers_.pop_front();
            listener_.BufferFilled(buffer.index, encoded_.left(buffer.capacity));
            encoded_.remove(0, buffer.capacity);
        }
        // With no buffer to take it, the sound is lost, as it was on a device that ran out of
        // buffers; only whole blocks go, so the stream stays in step.
        if (buffers_.empty() && encoded_.size() >= kAudioBufferBytes) {
            encoded_.remove(0, encoded_.size() / kGsmBlockBytes * kGsmBlockBytes);
        }
    }

    WaveInListener& listener_;
    QAudioSource* source_ = nullptr;
    QMutex mutex_;
    std::deque<Buffer> buffers_;
    bool started_ = false;
    QByteArray leftover_;
    QByteArray encoded_;
    GsmEncoder encoder_;
};

// A device whose thread waits in a stuck sound system can be neither stopped nor waited for:
// it is let go, to finish opening there and close again, and kept idle until the program ends.
template <typename Device>
void KeepUntilTheEnd(std::unique_ptr<Device> device) {
    static QMutex mutex;
    static auto* const kept = new std::vector<std::unique_ptr<Device>>;  // never destroyed
    QMutexLocker lock(&mutex);
    kept->push_back(std::move(device));
}

template <typename Device>
std::unique_ptr<Device> Opened(std::unique_ptr<Device> device, int deadlineMs, QString* error) {
    const QString reason = device->Open(deadlineMs);
    if (reason.isEmpty()) {
        return device;
    }
    if (error != nullptr) {
        *error = reason;
    }
    if (device->Stuck()) {
        KeepUntilTheEnd(std::move(device));
    }
    return nullptr;
}

}  // namespace

std::unique_ptr<WaveOut> QtSoundDevice::OpenOutput(WaveOutListener& listener, QString* error) {
    return Opened(std::make_unique<QtWaveOut>(listener), openDeadlineMs_, error);
}

std::unique_ptr<WaveIn> QtSoundDevice::OpenInput(WaveInListener& listener, QString* error) {
    return Opened(std::make_unique<QtWaveIn>(listener), openDeadlineMs_, error);
}

}  // namespace plantrek
