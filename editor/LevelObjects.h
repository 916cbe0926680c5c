#pragma once
#include <vector>

#include "editor/EditObject.h"
#include "editor/PictureSizes.h"
#include "level/LevelReader.h"

// The objects a level's text makes, as the game's loader builds them from the same lines, in
// the order the game draws them: back scenery, platforms, checkpoints, the start, the goal,
// traps, front scenery. A section the game drops (cut short by a header) makes none.
class LevelObjects {
public:
    explicit LevelObjects(PictureSizes& sizes) : pictures(sizes) {}

    std::vector<EditObject> build(const LevelReader& reading);

private:
    void readProperties(int index, const LevelReader::Section& section);
    EditObject readObject(int index, const LevelReader::Section& section);
    void takeSize(EditObject& object, int frames);
    EditObject start() const;
    EditObject goal();

    PictureSizes& pictures;
    struct Property {
        std::string value;
        int section = -1;
    };
    std::vector<std::pair<std::string, Property>> properties;
    int firstProperties = -1;
};
