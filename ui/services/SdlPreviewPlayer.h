#pragma once

#include "ui/services/PreviewPlayer.h"

namespace kilosynth {

// The preview through the sound card (audio/Preview.h). Closes the device
// when destroyed.
class SdlPreviewPlayer final : public PreviewPlayer {
public:
    SdlPreviewPlayer() = default;
    ~SdlPreviewPlayer() override;
    SdlPreviewPlayer(const SdlPreviewPlayer&) = delete;
    SdlPreviewPlayer& operator=(const SdlPreviewPlayer&) = delete;

    bool init() override;
    std::string initError() const override;
    void play(const Patch& patch) override;
    void stop() override;
    PreviewProgress progress() const override;
};

} // namespace kilosynth
