#pragma once

#include <functional>
#include <memory>

#include "audio/io/annotation_session.h"
#include "audio/io/qt_sound_device.h"
#include "audio/io/recording_time.h"

class QWidget;

// The sound the frame owns: one recording or playback at a time in the whole program.
namespace plantrek {

class WindowPrompts;

// The player, the recorder and what they need, for the whole window. A device or free-space
// source passed in (tests pass scripted ones) is used instead of the system's.
class FrameAudio {
public:
    FrameAudio(SoundDevice* device, const FreeSpaceSource* space, WindowPrompts& prompts,
               QWidget* window, std::function<void()> refresh);
    ~FrameAudio();

    AudioServices& Services() { return *services_; }
    // A playback whose listener went away (its dialog closed, its window too) is still heard
    // of when it ends, so the note buttons come back.
    void KeepListening();

private:
    class Prompts;
    class StopAndRefresh;

    QtSoundDevice systemDevice_;
    TempFolderFreeSpace systemSpace_;
    std::unique_ptr<AudioPrompts> prompts_;
    std::unique_ptr<RecordingDialogRunner> recordingDialog_;
    std::unique_ptr<AudioPlayer> player_;
    std::unique_ptr<AudioRecorder> recorder_;
    std::unique_ptr<AudioServices> services_;
    std::unique_ptr<PlaybackListener> fallback_;
};

}  // namespace plantrek
