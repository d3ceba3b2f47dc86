#pragma once

#include <QMutex>
#include <QString>
#include <QThread>
#include <QWaitCondition>

#include <atomic>
#include <memory>
#include <optional>

#include "audio/audio_file.h"
#include "audio/io/sound_device.h"

// Records a note: the input device fills five buffers of 3250 bytes in turn and a worker thread
// appends each to the note's file as it comes back, then hands it to the device again while the
// recording goes on. Only what is in the buffers is ever in memory.
namespace plantrek {

class AudioRecorder : public WaveInListener {
public:
    explicit AudioRecorder(SoundDevice& device);
    ~AudioRecorder() override;

    // Opens the input device and starts recording to the end of file. The system's reason when
    // the device cannot be opened; nothing has started then.
    std::optional<QString> Start(std::shared_ptr<AudioFile> file);
    // Stops the device, keeps what the buffers still held and closes the device. Bounded: a
    // device that never hands its buffers back is given up after a few seconds.
    void Stop();
    bool IsRecording() const;
    // The file refused a write: the recording ended there, keeping what was written before.
    bool WriteFailed() const;

    void BufferFilled(int index, QByteArray gsm) override;

private:
    void Handle(int index, const QByteArray& gsm, quint64 generation);

    SoundDevice& device_;
    QThread thread_;
    QObject* worker_ = nullptr;  // the context on the worker's thread
    std::unique_ptr<WaveIn> input_;
    mutable QMutex mutex_;
    QWaitCondition returned_;
    std::shared_ptr<AudioFile> file_;
    std::atomic<quint64> generation_{0};
    int returnedCount_ = 0;
    bool failed_ = false;
};

}  // namespace plantrek
