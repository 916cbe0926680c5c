#pragma once
#include <cstdint>
#include <string>

#include "objects/Object.h"
#include "objects/TrapMotion.h"

namespace irrklang {
class ISoundEngine;
class ISoundSource;
}  // namespace irrklang

// A hazard of the level. It may float on a cosine (x) and sine (y) path around its placed
// position, one degree a tick, and may carry a looping 3D sound. The engine and the source
// belong to the sound manager; either may be null, and then the trap is silent.
class Trap : public Object {
public:
    // No image, a 0 x 0 box, random whole-degree phases (phaseX drawn first).
    Trap();
    ~Trap() override;

    // Place the centre of the float; the trap starts at a random point of its path.
    void setX(int value) override;
    void setY(int value) override;
    // What a tick changes of the trap, and that put on show.
    TrapMotion motion() const;
    void show(const TrapMotion& shown);
    // One tick of the trap on its own: its animation and one degree of its float.
    void advance();

    // A new random phase for this axis, shared with the other axis when that one floats too.
    void setFloatX(int amplitude);
    void setFloatY(int amplitude);
    // Cuts the image into frames side by side; the box takes the frame size.
    void partition(int frames);
    // Takes the source for the file and starts it looping at the trap's present place.
    // A replaced source stays with the sound manager, which lends it out again.
    void setSound(const std::string& path);

    int32_t baseX = 0;
    int32_t baseY = 0;
    int32_t floatX = 0;
    float phaseX = 0.0f;
    int32_t floatY = 0;
    float phaseY = 0.0f;
    irrklang::ISoundEngine* soundEngine = nullptr;
    irrklang::ISoundSource* sound = nullptr;
};
