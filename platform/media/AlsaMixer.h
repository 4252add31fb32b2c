// The sound card's mixer over ALSA's simple mixer: the master and PCM playback elements and
// every capture element.
#pragma once

#include "MixerBackend.h"

#include <memory>

namespace mivo {

// The card's mixer, or null when there is no card or it has no usable elements.
std::shared_ptr<MixerBackend> OpenAlsaMixer();

}  // namespace mivo
