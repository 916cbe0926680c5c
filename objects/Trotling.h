#pragma once
#include <cstdint>
#include <string>

#include "objects/Object.h"
#include "objects/PlayerBody.h"

namespace irrklang {
class ISoundEngine;
class ISoundSource;
}  // namespace irrklang

// The drawable of a character that walks, falls and lands: it shows a PlayerBody (place, pose,
// facing) and holds the sounds its jumps and landings make. The engine and sources belong to
// the sound manager; any of them may be null, and then the character is silent.
class Trotling : public Object {
public:
    explicit Trotling(const std::string& spritePath);
    ~Trotling() override;

    // 6 x 3 sheet, a 34 x 46 box, the frame drawn at (-15, -9) from the box's corner.
    void setupSprite();
    // The sheet's part of that: cut into its frames, posed, offset.
    static void cutSheet(Image& sheet);
    // A character as it is made on a cut sheet: at (0, 0), at rest, facing right.
    static PlayerBody newcomerOn(const Image& cutSheet);

    // The character as a body, and the body put on show.
    PlayerBody body() const;
    void show(const PlayerBody& shown);

    // Plays the source once at that place; skipped without engine or source.
    void playAt(irrklang::ISoundSource* source, const irrklang::vec3df& where) const;

    irrklang::ISoundEngine* soundEngine = nullptr;
    irrklang::ISoundSource* jumpSound = nullptr;
    irrklang::ISoundSource* landSound = nullptr;
    int32_t walkAcceleration = 0;
    bool grounded = false;
};
