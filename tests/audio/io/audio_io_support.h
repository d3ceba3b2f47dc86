#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMutex>
#include <QString>

#include <cmath>
#include <functional>
#include <utility>
#include <vector>

#include "audio/io/audio_prompts.h"
#include "audio/io/sound_device.h"

namespace plantrek::test {

// Runs the event loop until done() holds or five seconds have passed; false on time-out.
inline bool WaitFor(const std::function<bool()>& done) {
    const QDeadlineTimer deadline(5000);
    while (!done()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

struct RecordingPrompts : AudioPrompts {
    void ShowStop(const QString& caption, const QString& text) override {
        shown.emplace_back(caption, text);
    }
    bool AskYesNo(const QString& caption, const QString& text) override {
        shown.emplace_back(caption, text);
        return answer;
    }
    std::vector<std::pair<QString, QString>> shown;
    bool answer = true;
};

// Output and input devices that do what the test tells them, and remember what they were told.
struct ScriptedDevice : SoundDevice {
    struct Out : WaveOut {
        Out(ScriptedDevice& d, WaveOutListener& l) : device(d), listener(l) {}
        ~Out() override { device.out = nullptr; }
        void Write(int index, QByteArrayView gsm) override {
            QMutexLocker lock(&device.mutex);
            device.writes.emplace_back(index, gsm.size());
        }
        ScriptedDevice& device;
        WaveOutListener& listener;
    };
    struct In : WaveIn {
        In(ScriptedDevice& d, WaveInListener& l) : device(d), listener(l) {}
        ~In() override { device.in = nullptr; }
        void AddBuffer(int index, int capacity) override {
            QMutexLocker lock(&device.mutex);
            device.added.push_back(index);
            EXPECT_EQ(capacity, kAudioBufferBytes);
        }
        void Start() override { device.started = true; }
        // Hands back what is queued, as empty buffers.
        void Reset() override {
            std::vector<int> queued;
            {
                QMutexLocker lock(&device.mutex);
                queued.swap(device.added);
            }
            for (int index : queued) {
                listener.BufferFilled(index, {});
            }
        }
        ScriptedDevice& device;
        WaveInListener& listener;
    };

    std::unique_ptr<WaveOut> OpenOutput(WaveOutListener& listener, QString* error) override {
        if (!failure.isEmpty()) {
            *error = failure;
            return nullptr;
        }
        auto device = std::make_unique<Out>(*this, listener);
        out = device.get();
        return device;
    }
    std::unique_ptr<WaveIn> OpenInput(WaveInListener& listener, QString* error) override {
        if (!failure.isEmpty()) {
            *error = failure;
            return nullptr;
        }
        auto device = std::make_unique<In>(*this, listener);
        in = device.get();
        return device;
    }

    size_t WriteCount() {
        QMutexLocker lock(&mutex);
        return writes.size();
    }
    size_t AddedCount() {
        QMutexLocker lock(&mutex);
        return added.size();
    }
    // Takes the oldest queued input buffer and hands it back with the given bytes.
    void Fill(const QByteArray& gsm) {
        int index;
        {
            QMutexLocker lock(&mutex);
            index = added.front();
            added.erase(added.begin());
        }
        in->listener.BufferFilled(index, gsm);
    }

    QString failure;
    QMutex mutex;
    std::vector<std::pair<int, qsizetype>> writes;  // buffer index, bytes
    std::vector<int> added;                         // input buffers queued, oldest first
    bool started = false;
    Out* out = nullptr;
    In* in = nullptr;
};

inline double Rms(const std::vector<int16_t>& s, size_t from = 0, size_t to = SIZE_MAX) {
    double sum = 0;
    to = std::min(to, s.size());
    for (size_t i = from; i < to; ++i) {
        sum += double(s[i]) * s[i];
    }
    return to > from ? std::sqrt(sum / double(to - from)) : 0.0;
}

}  // namespace plantrek::test
