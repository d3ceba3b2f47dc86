#include "view/frame_audio.h"

#include "audio/io/audio_prompts.h"
#include "view/dialogs/recording_dialog.h"
#include "view/window_prompts.h"

namespace plantrek {

class FrameAudio::Prompts : public AudioPrompts {
public:
    explicit Prompts(WindowPrompts& prompts) : prompts_(prompts) {}
    void ShowStop(const QString& caption, const QString& text) override {
        prompts_.ShowCaptioned(caption, text, MessageIcon::Error);
    }
    bool AskYesNo(const QString& caption, const QString& text) override {
        return prompts_.AskCaptioned(caption, text, MessageIcon::Warning);
    }

private:
    WindowPrompts& prompts_;
};

class FrameAudio::StopAndRefresh : public PlaybackListener {
public:
    StopAndRefresh(AudioPlayer& player, std::function<void()> refresh)
        : player_(player), refresh_(std::move(refresh)) {}
    void PlaybackFinished() override {
        player_.Stop();
        refresh_();
    }

private:
    AudioPlayer& player_;
    std::function<void()> refresh_;
};

FrameAudio::FrameAudio(SoundDevice* device, const FreeSpaceSource* space, WindowPrompts& prompts,
                       QWidget* window, std::function<void()> refresh)
    : prompts_(std::make_unique<Prompts>(prompts)),
      recordingDialog_(std::make_unique<QtRecordingDialogRunner>(window)) {
    SoundDevice& sound = device != nullptr ? *device : systemDevice_;
    player_ = std::make_unique<AudioPlayer>(sound, *prompts_);
    recorder_ = std::make_unique<AudioRecorder>(sound);
    services_ = std::make_unique<AudioServices>(AudioServices{
        *player_, *recorder_, space != nullptr ? *space : systemSpace_, *prompts_,
        *recordingDialog_});
    fallback_ = std::make_unique<StopAndRefresh>(*player_, std::move(refresh));
}

void FrameAudio::KeepListening() {
    if (player_->IsPlaying() && player_->Listener() == nullptr) {
        player_->SetListener(fallback_.get());
    }
}

FrameAudio::~FrameAudio() {
    player_->SetListener(nullptr);
    player_->Stop();
    recorder_->Stop();
}

}  // namespace plantrek
