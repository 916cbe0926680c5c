#include "sound/irrKlang.h"

#include <AL/alc.h>

#include "sound/OpenAlSoundEngine.h"

namespace irrklang {

// Every driver choice opens the system's default output (or the named device); the options and
// the version text have no meaning for this engine.
ISoundEngine* createIrrKlangDevice(E_SOUND_OUTPUT_DRIVER, int, const char* deviceID, const char*) {
    ALCdevice* device = alcOpenDevice(deviceID);
    if (!device) return nullptr;
    return OpenAlSoundEngine::open(device);
}

}  // namespace irrklang
