#include "playback/sound_decoder.h"

namespace zav {

std::unique_ptr<SoundDecoder> makeSystemSoundDecoder() { return nullptr; }

}  // namespace zav
