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
    // The default level: the shipped tracks' RMS then sits 10 to 14 dB below the jump's peak.
    static constexpr float kVolume = 0.53f;
    // A level's track rises from silence over this long.
    static constexpr unsigned int kFadeMilliseconds = 250;

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
    // As play, but from silence, rising to the full level as advanceFade counts the time.
    void fadeIn(const std::string& file);
    // Time gone by while the track plays (a tick of play); moves a fade-in on.
    void advanceFade(unsigned int milliseconds);
    // The level as a percentage of the default one ("music volume=" in settings.ini), 0 to 100.
    void setVolumePercent(int percent);
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
    struct Decoded {
        std::string file;
        std::unique_ptr<OpenAlSoundSource> source;
    };
    bool attach();
    void start(const std::string& file, unsigned int fadedSoFar);
    // The track's samples, decoded now or kept from an earlier play; null when it cannot be used.
    OpenAlSoundSource* load(const std::string& file);

    void applyGain();

    bool switchedOn = true;
    float volume = kVolume;
    // The fade-in's time so far; at kFadeMilliseconds or more the track plays at its full level.
    unsigned int faded = kFadeMilliseconds;
    bool attached = false;
    bool lazy = false;  // the game's player finds its engine at the first play
    OpenAlSoundEngine* engine = nullptr;
    ALuint voice = 0;
    std::string playing;
    // The title's and the level's tracks stay decoded, newest first, so going back and forth
    // between the menu and a level does not stall the event loop on a decode.
    std::list<Decoded> kept;
};
