#include "audio/audio_activity.h"

#include <atomic>
#include <utility>

namespace plantrek {

namespace {

std::atomic<bool> playing{false};
std::atomic<bool> recording{false};

std::function<void()>& StopHook() {
    static std::function<void()> hook;
    return hook;
}

}  // namespace

bool AudioActivity::IsPlaying() {
    return playing.load();
}

bool AudioActivity::IsRecording() {
    return recording.load();
}

void AudioActivity::SetPlaying(bool value) {
    playing.store(value);
}

void AudioActivity::SetRecording(bool value) {
    recording.store(value);
}

void AudioActivity::SetStopPlaybackHook(std::function<void()> hook) {
    StopHook() = std::move(hook);
}

void AudioActivity::StopPlayback() {
    if (!playing.load()) {
        return;
    }
    if (StopHook()) {
        StopHook()();
    }
    playing.store(false);
}

}  // namespace plantrek
