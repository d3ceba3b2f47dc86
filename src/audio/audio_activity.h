#pragma once

#include <functional>

// Whether a note is playing or being recorded anywhere in the program: only one recording or
// playback runs at a time. The player and the recorder set the flags (from any thread); the
// lists and the commands read them. The player installs the hook that stops a running playback,
// so the lists can stop it without knowing how audio is played.
namespace plantrek {

class AudioActivity {
public:
    AudioActivity() = delete;

    static bool IsPlaying();
    static bool IsRecording();
    static void SetPlaying(bool playing);
    static void SetRecording(bool recording);

    // Installed by the player; an empty hook removes it. Called on the user interface thread.
    static void SetStopPlaybackHook(std::function<void()> hook);
    // When something is playing: runs the hook, then clears the playing flag.
    static void StopPlayback();
};

}  // namespace plantrek
