#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Tells when an author has saved a level file, or a picture it names, in another program: the
// files' modification times and sizes are looked at every few ticks, never their contents
// until a save has settled. Reads the level's text to learn its pictures and to tell a save
// that leaves the level unplayable. Owns nothing but the paths.
class LevelWatch {
public:
    // A look every 8 ticks of 16 ms; a save is taken once two looks in a row agree on it.
    static constexpr int kTicksBetweenLooks = 8;

    // Starts watching the level at path and the pictures its text names, as they are now.
    void watch(const std::string& path);
    void stop();
    bool watching() const { return !levelPath.empty(); }
    const std::string& path() const { return levelPath; }

    // Called once a tick; true on the tick a settled save is to be reloaded. Always false
    // while nothing is watched.
    bool tick();
    // Looks at the files now; true when they differ from the ones taken and have not changed
    // since the look before (a save still being written waits for the next look).
    bool look();
    // The pictures whose files changed since they were taken.
    std::vector<std::string> changedPictures() const;
    // Why the level file as it reads now cannot replace the level in play ("cannot be read:
    // ...", a section left open, a property missing); empty when it can.
    std::string whyUnplayable() const;
    // The files as they are now become the ones taken, with the pictures the text now names.
    void take();

    // The picture files a level's text names, each once, in the order of first mention.
    static std::vector<std::string> picturesNamed(const std::string& text);

private:
    struct Stamp {
        bool exists = false;
        int64_t size = 0;
        int64_t modified = 0;
        bool operator==(const Stamp& other) const {
            return exists == other.exists && size == other.size && modified == other.modified;
        }
        bool operator!=(const Stamp& other) const { return !(*this == other); }
    };
    static Stamp stampOf(const std::string& path);
    std::vector<Stamp> stampsNow() const;

    std::string levelPath;
    // The level file first, then its pictures.
    std::vector<std::string> files;
    std::vector<Stamp> taken;
    std::vector<Stamp> lastSeen;
    int ticksSinceLook = 0;
};
