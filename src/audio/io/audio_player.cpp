#include "audio/io/audio_player.h"

#include <QMutex>
#include <QMutexLocker>

#include <array>

#include "audio/audio_activity.h"

namespace plantrek {

// Lives on the player's thread; the device's notices reach it as queued calls.
class PlaybackWorker : public QObject, public WaveOutListener {
public:
    PlaybackWorker(std::shared_ptr<AudioFile> file, std::function<void()> finished)
        : file_(std::move(file)),
          left_(file_->Size()),
          block_(new char[kAudioBufferCount * kAudioBufferBytes]),
          finished_(std::move(finished)) {}

    // Taking the device away waits for a refill in progress, so it can be destroyed after.
    void SetDevice(WaveOut* device) {
        QMutexLocker lock(&mutex_);
        device_ = device;
    }

    // Fills every buffer once; false when there was nothing to queue at all.
    bool Prime() {
        for (int i = 0; i < kAudioBufferCount; ++i) {
            Fill(i);
        }
        QMutexLocker lock(&mutex_);
        return queued_ > 0;
    }

    void BufferDone(int index) override {
        QMetaObject::invokeMethod(
            this, [this, index] { Refill(index); }, Qt::QueuedConnection);
    }

private:
    void Refill(int index) {
        {
            QMutexLocker lock(&mutex_);
            if (index < 0 || index >= kAudioBufferCount || !inDevice_[index]) {
                return;
            }
            inDevice_[index] = false;
            --queued_;
        }
        Fill(index);
        QMutexLocker lock(&mutex_);
        if (left_ == 0 && queued_ == 0 && !done_) {
            done_ = true;
            finished_();
        }
    }

    // Reads the next piece into the buffer and queues it. A short read makes it the final
    // piece; a read error ends the audio there rather than playing stale bytes.
    void Fill(int index) {
        QMutexLocker lock(&mutex_);
        if (left_ <= 0 || device_ == nullptr) {
            return;
        }
        char* buffer = block_.get() + static_cast<qsizetype>(index) * kAudioBufferBytes;
        const qint64 wanted = qMin<qint64>(kAudioBufferBytes, left_);
        const qint64 got = qMax<qint64>(0, file_->ReadAt(offset_, buffer, wanted));
        offset_ += got;
        left_ = got < wanted ? 0 : left_ - got;
        if (got == 0) {
            return;
        }
        inDevice_[index] = true;
        ++queued_;
        device_->Write(index, QByteArrayView(buffer, got));
    }

    QMutex mutex_;  // serialises the refills
    std::shared_ptr<AudioFile> file_;
    qint64 offset_ = 0;
    qint64 left_;
    std::unique_ptr<char[]> block_;
    std::array<bool, kAudioBufferCount> inDevice_{};
    int queued_ = 0;
    bool done_ = false;
    WaveOut* device_ = nullptr;
    std::function<void()> finished_;

public:
    // Declared last: destroyed first, so no notice arrives for a worker that is going.
    std::unique_ptr<WaveOut> device;
};

QString PlayErrorText(const QString& reason) {
    return QStringLiteral(
               "An error occurred when trying to play:\n%1\nMake sure sound playback is enabled "
               "on your computer.")
        .arg(reason);
}

QString RecordErrorText(const QString& reason) {
    return QStringLiteral(
               "An error occurred when trying to record:\n%1\nMake sure sound recording is "
               "enabled on your computer.")
        .arg(reason);
}

QString PlayErrorCaption() {
    return QStringLiteral("Play Error");
}

QString RecordErrorCaption() {
    return QStringLiteral("Record Error");
}

AudioPlayer::AudioPlayer(SoundDevice& device, AudioPrompts& prompts)
    : device_(device), prompts_(prompts) {
    thread_.setObjectName(QStringLiteral("playback"));
    thread_.start();
    AudioActivity::SetStopPlaybackHook([this] { Stop(); });
}

AudioPlayer::~AudioPlayer() {
    Stop();
    AudioActivity::SetStopPlaybackHook({});
    thread_.quit();
    thread_.wait();
}

bool AudioPlayer::IsPlaying() const {
    return worker_ != nullptr;
}

bool AudioPlayer::Play(const Annotation& annotation) {
    Stop();
    const quint64 generation = ++generation_;
    auto worker = std::make_unique<PlaybackWorker>(annotation.File(), [this, generation] {
        QMetaObject::invokeMethod(
            this, [this, generation] { OnFinished(generation); }, Qt::QueuedConnection);
    });
    worker->moveToThread(&thread_);
    QString error;
    worker->device = device_.OpenOutput(*worker, &error);
    if (worker->device == nullptr) {
        AudioActivity::SetPlaying(false);
        prompts_.ShowStop(PlayErrorCaption(), PlayErrorText(error));
        return false;
    }
    AudioActivity::SetPlaying(true);
    worker->SetDevice(worker->device.get());
    worker_ = std::move(worker);
    if (!worker_->Prime()) {
        // Nothing to play: the playback is over as soon as it began.
        OnFinished(generation);
    }
    return true;
}

void AudioPlayer::OnFinished(quint64 generation) {
    if (generation != generation_ || worker_ == nullptr) {
        return;
    }
    if (listener_ != nullptr) {
        listener_->PlaybackFinished();
    } else {
        Stop();
    }
}

void AudioPlayer::Stop() {
    AudioActivity::SetPlaying(false);
    if (worker_ == nullptr) {
        return;
    }
    ++generation_;
    worker_->SetDevice(nullptr);
    // Once the device is gone no notice can reach the worker; refills already queued still run
    // on its thread and find no device, and the worker goes after them.
    worker_->device.reset();
    worker_.release()->deleteLater();
}

}  // namespace plantrek
