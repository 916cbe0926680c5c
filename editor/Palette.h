#pragma once
#include <string>
#include <vector>

#include "core/Bounds.h"
#include "editor/EditorModel.h"

// The pictures the editor can place: every PNG in the game's sprites/ folder, by name, laid out
// as a grid of thumbnails below a line of help, and the kind of object a placed picture makes.
// Pure: window pixels in, picture names out; drawing is the screen's.
class Palette {
public:
    static constexpr int kCell = 72;    // window pixels from one thumbnail to the next
    static constexpr int kThumb = 64;   // the largest side of a thumbnail
    static constexpr int kHeader = 28;  // the help line above the grid

    // Reads the names of the PNG files in the folder, sorted; none when it cannot be read.
    void scan(const std::string& spritesFolder);
    const std::vector<std::string>& pictures() const { return names; }

    // Where the thumbnail of picture i sits in a window that wide (the grid's rows run down
    // from the first row shown; rows above it lie above the grid's top).
    Bounds cell(int index, int windowWidth) const;
    // The wheel: rows up (negative) or down, never past the first row or the last.
    void scrollRows(int rows, int windowWidth);
    int firstRow() const { return topRow; }
    // The picture whose cell holds the window point; -1 for none.
    int pictureAt(int x, int y, int windowWidth) const;
    // A picture of that size shrunk (never grown) into the cell, centred, keeping its shape.
    static Bounds fitted(int width, int height, Bounds cell);

    // The kind a new object gets: 1 platform, 2 decoration, 3 trap; other numbers are ignored.
    void chooseKind(int number);
    EditKind kind() const { return chosenKind; }
    static const char* kindName(EditKind kind);

    // The picture chosen to place; -1 for none.
    int chosen = -1;
    const std::string& chosenPicture() const;

private:
    int columns(int windowWidth) const;

    std::vector<std::string> names;
    int topRow = 0;
    EditKind chosenKind = EditKind::Decoration;
};
