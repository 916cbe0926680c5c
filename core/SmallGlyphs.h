#pragma once
#include <map>
#include <string>
#include <vector>

// The game's small 5 x 7 pixel font, one table for the art code that paints it into pictures
// and for the game that draws it in code: each glyph is seven rows of '#' (ink) and '.'.
namespace pixelglyphs {

constexpr int kSmallWidth = 5;
constexpr int kSmallHeight = 7;

// Capitals, digits and ! . - : ' as the pictures have always shown them.
const std::map<char, std::vector<std::string>>& small();

}  // namespace pixelglyphs
