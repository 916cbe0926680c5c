#pragma once

namespace irrklang {

// One decoded sound file with the defaults its plays start with. Sources belong to the engine
// that made them and live as long as it does.
class ISoundSource {
public:
    virtual ~ISoundSource() = default;
    // Volume of every later play, 0 (silent) to 1.
    virtual void setDefaultVolume(float volume) = 0;
    virtual float getDefaultVolume() const = 0;
    // Distance in units within which positioned plays are heard at full volume.
    virtual void setDefaultMinDistance(float distance) = 0;
    virtual float getDefaultMinDistance() const = 0;
    // Gives back a reference taken with grab(); the engine keeps its own.
    virtual void grab() = 0;
    virtual bool drop() = 0;
};

}  // namespace irrklang
