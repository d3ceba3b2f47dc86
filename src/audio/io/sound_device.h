#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>

// The sound hardware as the player and the recorder see it: devices that take and give GSM
// 6.10 blocks in numbered buffers, as the system's wave devices did with their buffer headers.
// The real one sits on Qt Multimedia; tests put a scripted one in its place.
//
// Notifications may come from any thread, but never after the device object is destroyed.
namespace plantrek {

class WaveOutListener {
public:
    virtual ~WaveOutListener() = default;
    // Buffer index has been played and may be filled again.
    virtual void BufferDone(int index) = 0;
};

class WaveInListener {
public:
    virtual ~WaveInListener() = default;
    // Buffer index comes back holding the GSM blocks recorded into it (possibly none, when the
    // device was reset before it was filled).
    virtual void BufferFilled(int index, QByteArray gsm) = 0;
};

class WaveOut {
public:
    // Destroying the device closes it and drops what it had not played.
    virtual ~WaveOut() = default;
    // Queues the GSM blocks of buffer index for playing.
    virtual void Write(int index, QByteArrayView gsm) = 0;
};

class WaveIn {
public:
    virtual ~WaveIn() = default;
    // Queues an empty buffer of capacity bytes for recording into.
    virtual void AddBuffer(int index, int capacity) = 0;
    virtual void Start() = 0;
    // Stops recording and hands every queued buffer back with what it holds.
    virtual void Reset() = 0;
};

class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    // Null, with the system's reason in error, when there is no device or it cannot be opened.
    virtual std::unique_ptr<WaveOut> OpenOutput(WaveOutListener& listener, QString* error) = 0;
    virtual std::unique_ptr<WaveIn> OpenInput(WaveInListener& listener, QString* error) = 0;
};

// Five buffers of 50 blocks (two seconds) stand between the device and the note's file.
inline constexpr int kAudioBufferCount = 5;
inline constexpr int kAudioBufferBytes = 3250;

}  // namespace plantrek
