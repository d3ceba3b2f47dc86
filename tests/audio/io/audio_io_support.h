#pragma once

#include <QCoreApplication>
#include <QMutex>

#include <cmath>
#include <utility>
#include <vector>

#include "audio/audio_file.h"
#include "audio/io/audio_player.h"
#include "audio/io/gsm_codec.h"
#include "audio/io/sound_device.h"
#include "support/wait_until.h"

namespace plantrek::test {

// The name the window's audio tests know the shared wait by.
inline bool WaitFor(const std::function<bool()>& done, int ms = 5000) {
    return WaitUntil(done, ms);
}

inline QByteArray Encode(const std::vector<int16_t>& samples) {
    GsmEncoder encoder;
    QByteArray gsm;
    encoder.Encode(samples, gsm);
    encoder.Finish(gsm);
    return gsm;
}

inline std::vector<int16_t> Decode(const QByteArray& gsm) {
    GsmDecoder decoder;
    std::vector<int16_t> out(gsm.size() / kGsmBlockBytes * kGsmBlockSamples);
    for (size_t b = 0; b * kGsmBlockSamples < out.size(); ++b) {
        decoder.DecodeBlock(
            gsm.sliced(b * kGsmBlockBytes, kGsmBlockBytes),
            std::span<int16_t, kGsmBlockSamples>(&out[b * kGsmBlockSamples], kGsmBlockSamples));
    }
    return out;
}

inline std::vector<int16_t> Tone(double seconds, double hz, double amplitude) {
    std::vector<int16_t> tone(static_cast<size_t>(seconds * kGsmSampleRate));
    for (size_t i = 0; i < tone.size(); ++i) {
        tone[i] = static_cast<int16_t>(amplitude * std::sin(2 * M_PI * hz * double(i) / 8000));
    }
    return tone;
}

inline QByteArray Contents(const AudioFile& file) {
    QByteArray bytes(file.Size(), '\0');
    return file.ReadAt(0, bytes.data(), bytes.size()) == bytes.size() ? bytes : QByteArray();
}

struct Finished : PlaybackListener {
    void PlaybackFinished() override { ++count; }
    int count = 0;
};

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

// Output and input devices that do what the test tells them and remember what they were told.
struct ScriptedDevice : SoundDevice {
    struct Out : WaveOut {
        Out(ScriptedDevice& d, WaveOutListener& l) : device(d), listener(l) { d.out = this; }
        ~Out() override { device.out = nullptr; }
        void Write(int index, QByteArrayView gsm) override {
            QMutexLocker lock(&device.mutex);
            device.writes.emplace_back(index, gsm.size());
        }
        ScriptedDevice& device;
        WaveOutListener& listener;
    };
    struct In : WaveIn {
        In(ScriptedDevice& d, WaveInListener& l) : device(d), listener(l) { d.in = this; }
        ~In() override { device.in = nullptr; }
        void AddBuffer(int index, int capacity) override {
            QMutexLocker lock(&device.mutex);
            device.added.push_back(index);
            device.capacities.push_back(capacity);
        }
        void Start() override { device.started = true; }
        void Reset() override {  // hands back what is queued, empty
            while (device.Count(device.added) > 0) {
                device.Fill({});
            }
        }
        ScriptedDevice& device;
        WaveInListener& listener;
    };

    std::unique_ptr<WaveOut> OpenOutput(WaveOutListener& listener, QString* error) override {
        *error = failure;
        return failure.isEmpty() ? std::make_unique<Out>(*this, listener) : nullptr;
    }
    std::unique_ptr<WaveIn> OpenInput(WaveInListener& listener, QString* error) override {
        *error = failure;
        return failure.isEmpty() ? std::make_unique<In>(*this, listener) : nullptr;
    }

    template <typename T>
    size_t Count(const std::vector<T>& v) {
        QMutexLocker lock(&mutex);
        return v.size();
    }
    // Hands the oldest queued input buffer back with the given bytes.
    void Fill(const QByteArray& gsm) {
        QMutexLocker lock(&mutex);
        const int index = added.front();
        added.erase(added.begin());
        lock.unlock();
        in->listener.BufferFilled(index, gsm);
    }

    QString failure;
    QMutex mutex;
    std::vector<std::pair<int, qsizetype>> writes;  // buffer index, bytes
    std::vector<int> added;                         // input buffers queued, oldest first
    std::vector<int> capacities;                    // of every input buffer ever queued
    bool started = false;
    Out* out = nullptr;
    In* in = nullptr;
};

}  // namespace plantrek::test
