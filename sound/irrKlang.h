#pragma once
#include "sound/ISoundEngine.h"
#include "sound/ISoundSource.h"
#include "sound/vec3df.h"

namespace irrklang {

enum E_SOUND_OUTPUT_DRIVER { ESOD_AUTO_DETECT = 0, ESOD_NULL = 7 };
enum E_SOUND_ENGINE_OPTIONS { ESEO_DEFAULT_OPTIONS = 0x3D };

// Opens the default output device; null when none can be opened (a machine without sound).
ISoundEngine* createIrrKlangDevice(E_SOUND_OUTPUT_DRIVER driver = ESOD_AUTO_DETECT, int options = ESEO_DEFAULT_OPTIONS,
                                   const char* deviceID = nullptr, const char* sdkVersion = "1.4.0");

}  // namespace irrklang
