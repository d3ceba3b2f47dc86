#pragma once

#include <QObject>
#include <QThread>

#include <memory>

#include "audio/annotation.h"
#include "audio/io/audio_prompts.h"
#include "audio/io/sound_device.h"

// Plays notes: streams a note's file to the output device through five buffers of 3250 bytes,
// refilled by a worker thread as the device hands them back. One playback at a time in the whole
// program (AudioActivity holds the flags); the player installs itself as the way to stop it.
namespace plantrek {

class PlaybackListener {
public:
    virtual ~PlaybackListener() = default;
    // On the interface thread, once the last buffer has played. The listener is expected to
    // stop the player (and refresh what shows the playing state).
    virtual void PlaybackFinished() = 0;
};

class PlaybackWorker;

class AudioPlayer : public QObject {
    Q_OBJECT
public:
    AudioPlayer(SoundDevice& device, AudioPrompts& prompts);
    ~AudioPlayer() override;

    // Stops what plays, then plays the note. False, after the "Play Error" message, when the
    // device cannot be opened.
    bool Play(const Annotation& annotation);
    // Stops the playback (a no-op when nothing plays).
    void Stop();
    bool IsPlaying() const;

    // Who hears of the end of a playback; without one the player stops itself. May be null.
    void SetListener(PlaybackListener* listener) { listener_ = listener; }
    PlaybackListener* Listener() const { return listener_; }

private:
    void OnFinished(quint64 generation);

    SoundDevice& device_;
    AudioPrompts& prompts_;
    PlaybackListener* listener_ = nullptr;
    QThread thread_;
    std::unique_ptr<PlaybackWorker> worker_;
    quint64 generation_ = 0;
};

}  // namespace plantrek
