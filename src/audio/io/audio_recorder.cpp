#include "audio/io/audio_recorder.h"

#include <QDeadlineTimer>

#include "audio/audio_activity.h"

namespace plantrek {

AudioRecorder::AudioRecorder(SoundDevice& device) : device_(device) {
    thread_.setObjectName(QStringLiteral("recording"));
    thread_.start();
    worker_ = new QObject;
    worker_->moveToThread(&thread_);
}

AudioRecorder::~AudioRecorder() {
    Stop();
    worker_->deleteLater();
    thread_.quit();
    thread_.wait();
}

std::optional<QString> AudioRecorder::Start(std::shared_ptr<AudioFile> file) {
    Stop();
    {
        QMutexLocker lock(&mutex_);
        file_ = std::move(file);
        returnedCount_ = 0;
        failed_ = false;
    }
    QString error;
    input_ = device_.OpenInput(*this, &error);
    if (input_ == nullptr) {
        AudioActivity::SetRecording(false);
        QMutexLocker lock(&mutex_);
        file_.reset();
        return error;
    }
    // The last buffer goes first, so that the first one is filled last.
    for (int i = kAudioBufferCount - 1; i >= 0; --i) {
        input_->AddBuffer(i, kAudioBufferBytes);
    }
    AudioActivity::SetRecording(true);
    input_->Start();
    return std::nullopt;
}

bool AudioRecorder::IsRecording() const {
    return input_ != nullptr;
}

bool AudioRecorder::WriteFailed() const {
    QMutexLocker lock(&mutex_);
    return failed_;
}

void AudioRecorder::BufferFilled(int index, QByteArray gsm) {
    const quint64 generation = generation_.load();
    QMetaObject::invokeMethod(
        worker_, [this, index, gsm, generation] { Handle(index, gsm, generation); },
        Qt::QueuedConnection);
}

void AudioRecorder::Handle(int index, const QByteArray& gsm, quint64 generation) {
    QMutexLocker lock(&mutex_);
    if (generation != generation_.load()) {
        return;
    }
    if (!gsm.isEmpty() && !failed_ && file_ != nullptr && !file_->Append(gsm)) {
        failed_ = true;
        AudioActivity::SetRecording(false);
    }
    if (AudioActivity::IsRecording() && !failed_ && input_ != nullptr) {
        input_->AddBuffer(index, kAudioBufferBytes);
    } else {
        ++returnedCount_;
        returned_.wakeAll();
    }
}

void AudioRecorder::Stop() {
    if (input_ == nullptr) {
        return;
    }
    AudioActivity::SetRecording(false);
    input_->Reset();
    {
        QMutexLocker lock(&mutex_);
        const QDeadlineTimer deadline(5000);
        while (returnedCount_ < kAudioBufferCount && !deadline.hasExpired()) {
            returned_.wait(&mutex_, 100);
        }
    }
    std::unique_ptr<WaveIn> input;
    {
        // The worker must not hand a buffer to the device while it is being closed, and
        // notices still queued belong to a recording that is over.
        QMutexLocker lock(&mutex_);
        input = std::move(input_);
        file_.reset();
        ++generation_;
    }
    input.reset();
}

}  // namespace plantrek
