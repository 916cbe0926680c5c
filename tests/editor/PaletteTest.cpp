#include "editor/Palette.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TestFiles.h"

TEST(PaletteTest, ListsThePicturesOfTheFolderSorted) {
    testsupport::ScopedTempDir dir;
    for (const char* name : {"tile.png", "bush.png", "notes.txt"}) {
        testsupport::writeFile("sprites/" + std::string(name), "x");
    }
    std::filesystem::create_directory("sprites/old.png");
    Palette palette;
    palette.scan("sprites");
    EXPECT_EQ(palette.pictures(), (std::vector<std::string>{"bush.png", "tile.png"}));
    palette.scan("no such folder");
    EXPECT_TRUE(palette.pictures().empty());
}

TEST(PaletteTest, ThumbnailsShrinkKeepingTheirShapeAndCellsAnswerThePointer) {
    const Bounds cell{8, 28, 64, 64};
    EXPECT_EQ(Palette::fitted(640, 32, cell), (Bounds{8, 28 + 30, 64, 3}));
    EXPECT_EQ(Palette::fitted(32, 48, cell), (Bounds{8 + 16, 28 + 8, 32, 48})) << "small pictures stay as they are";
    EXPECT_EQ(Palette::fitted(0, 10, cell).w, 0);

    testsupport::ScopedTempDir dir;
    for (int i = 0; i < 12; ++i) {
        testsupport::writeFile("sprites/p" + std::to_string(10 + i) + ".png", "x");
    }
    Palette palette;
    palette.scan("sprites");
    const int width = 300;  // four cells a row
    for (int i : {0, 3, 4, 11}) {
        const Bounds at = palette.cell(i, width);
        EXPECT_EQ(palette.pictureAt(at.x + at.w / 2, at.y + at.h / 2, width), i);
    }
    const Bounds first = palette.cell(0, width);
    EXPECT_EQ(palette.pictureAt(first.x + Palette::kThumb + 2, first.y + 5, width), -1) << "the gap between cells";
    const Bounds last = palette.cell(11, width);
    EXPECT_EQ(palette.pictureAt(last.x, last.y + Palette::kCell, width), -1) << "past the last picture";

    // Scrolled a row down, the first cell shows the fifth picture; never past the last row.
    palette.scrollRows(1, width);
    EXPECT_EQ(palette.pictureAt(first.x + 1, first.y + 1, width), 4);
    EXPECT_EQ(palette.cell(4, width), first);
    palette.scrollRows(100, width);
    EXPECT_EQ(palette.firstRow(), 2);
    palette.scrollRows(-100, width);
    EXPECT_EQ(palette.firstRow(), 0);
}
