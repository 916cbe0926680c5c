#pragma once
#include <string>
#include <vector>

#include "core/Bounds.h"
#include "game/Progress.h"

// The Levels screen over the title picture: the levels reached, in chain order, each with its
// name and best time, one row highlighted; Up and Down or the pointer move the highlight. Drawn
// with plain quads in the picture's logical pixels; a long list scrolls with the highlight.
class LevelSelect {
public:
    void open(std::vector<LevelRecord> reached);
    void step(bool down);
    // Highlights the row under the pointer and returns its index, or -1 off the rows.
    int point(Bounds area, int x, int y);
    // The file of the highlighted level; empty when the list is.
    std::string chosen() const;
    void draw(Bounds area) const;
    // The highlighted row and how many there are, which is all that changes the list's look.
    int highlighted() const { return lit; }
    size_t size() const { return rows.size(); }

private:
    int visibleRows(Bounds area) const;
    int firstShown(Bounds area) const;

    std::vector<LevelRecord> rows;
    int lit = 0;
};
