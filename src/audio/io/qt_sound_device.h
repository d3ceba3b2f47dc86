#pragma once

#include "audio/io/sound_device.h"

// The system's default input and output through Qt Multimedia: 16-bit PCM at 8000 Hz mono
// (the sound server converts to whatever the hardware wants), coded to and from GSM 6.10 here.
// Each open device runs on a thread of its own, where Qt delivers its audio.
namespace plantrek {

// How long opening a device may take before the sound system is taken to be stuck.
inline constexpr int kSoundOpenDeadlineMs = 5000;
inline const QString kErrorSoundNoAnswer = QStringLiteral("The sound system did not answer.");

class QtSoundDevice : public SoundDevice {
public:
    explicit QtSoundDevice(int openDeadlineMs = kSoundOpenDeadlineMs)
        : openDeadlineMs_(openDeadlineMs) {}

    std::unique_ptr<WaveOut> OpenOutput(WaveOutListener& listener, QString* error) override;
    std::unique_ptr<WaveIn> OpenInput(WaveInListener& listener, QString* error) override;

private:
    int openDeadlineMs_;
};

}  // namespace plantrek
