#pragma once
#include "sound/ISoundSource.h"
#include "sound/vec3df.h"

namespace irrklang {

enum E_STREAM_MODE { ESM_AUTO_DETECT = 0, ESM_STREAMING = 1, ESM_NO_STREAMING = 2 };

// A handle of one playing sound. Plays that are not tracked return null, as the game asks.
class ISound;

// The mixer: loads sources and plays them, positioned around one listener or not at all.
class ISoundEngine {
public:
    virtual ~ISoundEngine() = default;

    // A source for the file, or null for a missing, unreadable, empty or non-audio file.
    virtual ISoundSource* addSoundSourceFromFile(const char* fileName, E_STREAM_MODE mode = ESM_AUTO_DETECT,
                                                 bool preload = false) = 0;
    // Both play forms do nothing for a null source.
    virtual ISound* play2D(ISoundSource* source, bool playLooped = false, bool startPaused = false, bool track = false,
                           bool enableSoundEffects = false) = 0;
    virtual ISound* play3D(ISoundSource* source, vec3df position, bool playLooped = false, bool startPaused = false,
                           bool track = false, bool enableSoundEffects = false) = 0;
    virtual void stopAllSounds() = 0;
    // Holds every playing sound where it is, or lets the held ones go on.
    virtual void setAllSoundsPaused(bool paused = true) { (void)paused; }
    // Positions use the game's axes: x right, y down; the listener looks along +z with up (0, 1, 0).
    virtual void setListenerPosition(const vec3df& position, const vec3df& lookDirection,
                                     const vec3df& velocityPerSecond = vec3df(0, 0, 0),
                                     const vec3df& upVector = vec3df(0, 1, 0)) = 0;
    virtual void grab() = 0;
    virtual bool drop() = 0;
};

}  // namespace irrklang
