#pragma once
#include <AL/al.h>

#include <list>
#include <memory>
#include <string>

class OpenAlSoundEngine;
class OpenAlSoundSource;

// Plays one music track at a time: looped, not positioned, well below the sound effects, on a
// voice of its own beside the engine's pool, so stopping all sounds leaves it to its owner.
// The game's player works on the sound manager's engine, which it asks for only when a track
// is first played; it writes nothing to the log but the one error line of a track that
// cannot be played.
class MusicPlayer {
public:
    static constexpr float kVolume = 0.15f;

    // The game's player.
    static MusicPlayer* instance();

    // A player on the given engine's context (null: plays nothing, silently).
    explicit MusicPlayer(OpenAlSoundEngine* engine);
    ~MusicPlayer();
    MusicPlayer(const MusicPlayer&) = delete;
    MusicPlayer& operator=(const MusicPlayer&) = delete;

    // Starts the track (an Ogg Vorbis or WAV file) from its beginning, in place of whatever
    // played. Logs "[MUSIC] ERROR: cannot play FILE" and stays silent when the file cannot be
    // decoded. Does nothing while music is switched off or without a sound engine.
    void play(const std::string& file);
    void stop();
    void pause();
    // Carries on a paused track where it stopped; nothing else.
    void resume();

    // Off stops the music and keeps every later play silent.
    void setEnabled(bool on);
    bool enabled() const { return switchedOn; }
    // The file of the track playing or paused, empty when none.
    const std::string& current() const { return playing; }

private:
    MusicPlayer() = default;
    bool attach();
    // The track's samples, decoded now or kept from an earlier play; null when it cannot be used.
    OpenAlSoundSource* load(const std::string& file);

    struct Decoded {
        std::string file;
        std::unique_ptr<OpenAlSoundSource> source;
    };

    bool switchedOn = true;
    bool attached = false;
    bool lazy = false;  // the game's player finds its engine at the first play
    OpenAlSoundEngine* engine = nullptr;
    ALuint voice = 0;
    std::string playing;
    // The title's and the level's tracks stay decoded, newest first, so going back and forth
    // between the menu and a level does not stall the event loop on a decode.
    std::list<Decoded> kept;
};
