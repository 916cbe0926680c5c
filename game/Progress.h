#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// What one level file has seen of the player: reached (it has a record), finished, the best
// time from its start to its goal in ticks (none until finished), the deaths in it, its name and
// its place in the chain of levels (1 for the first).
struct LevelRecord {
    std::string file;
    std::string name;
    int order = 0;
    bool finished = false;
    int64_t bestTicks = -1;
    int64_t deaths = 0;
};

// The player's progress over the levels, as a value with its text form ("progress.ini"): one
// section per level reached, closed by an "end" line so that a cut-off file is known for what it
// is. Pure: the file is ProgressFile's business.
class Progress {
public:
    // The text read back; false (and nothing taken) when any line is not the progress's own.
    bool parse(const std::string& text);
    std::string text() const;

    // The record of a level, made (reached) on first use.
    LevelRecord& level(const std::string& file);
    const LevelRecord* find(const std::string& file) const;
    // True once any level has been finished: only then is there progress to continue.
    bool anyFinished() const;
    // The file of the level furthest along the chain, empty when there is none.
    std::string furthest() const;
    // The levels reached, first to last along the chain.
    std::vector<LevelRecord> inChainOrder() const;

    // One more death in the level.
    void died(const std::string& file);
    // A finished run from the level's start to its goal: keeps the better time.
    void finish(const std::string& file, int64_t ticks);

private:
    std::map<std::string, LevelRecord> levels;
};
