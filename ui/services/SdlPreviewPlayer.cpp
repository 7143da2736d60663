#include "ui/services/SdlPreviewPlayer.h"

namespace kilosynth {

SdlPreviewPlayer::~SdlPreviewPlayer() {
    shutdownPreview();
}

bool SdlPreviewPlayer::init() {
    return initPreview();
}

std::string SdlPreviewPlayer::initError() const {
    return previewError();
}

void SdlPreviewPlayer::play(const Patch& patch) {
    playSample(patch);
}

void SdlPreviewPlayer::stop() {
    stopPreview();
}

PreviewProgress SdlPreviewPlayer::progress() const {
    return previewProgress();
}

} // namespace kilosynth
