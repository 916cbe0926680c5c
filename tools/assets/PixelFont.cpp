#include "PixelFont.h"

#include "Palette.h"
#include "core/SmallGlyphs.h"

PixelFont::PixelFont(int glyphWidth, int glyphHeight, std::map<char, std::vector<std::string>> glyphRows)
    : width(glyphWidth), height(glyphHeight), glyphs(std::move(glyphRows)) {}

const PixelFont& PixelFont::small() {
    static const PixelFont font(pixelglyphs::kSmallWidth, pixelglyphs::kSmallHeight, pixelglyphs::small());
    return font;
}

const PixelFont& PixelFont::title() {
    static const PixelFont font(8, 10,
                                {
                                    {'V',
                                     {"##....##", "##....##", "##....##", "##....##", "###..###", ".##..##.",
                                      ".##..##.", "..####..", "..####..", "...##..."}},
                                    {'A',
                                     {"..####..", ".######.", "###..###", "##....##", "##....##", "########",
                                      "########", "##....##", "##....##", "##....##"}},
                                    {'N',
                                     {"##....##", "###...##", "####..##", "##.##.##", "##.##.##", "##..####",
                                      "##...###", "##....##", "##....##", "##....##"}},
                                    {'T',
                                     {"########", "########", "...##...", "...##...", "...##...", "...##...",
                                      "...##...", "...##...", "...##...", "...##..."}},
                                    {'O',
                                     {"..####..", ".######.", "###..###", "##....##", "##....##", "##....##",
                                      "##....##", "###..###", ".######.", "..####.."}},
                                    {'R',
                                     {"######..", "#######.", "##...###", "##....##", "##...###", "#######.",
                                      "######..", "##..###.", "##...###", "##....##"}},
                                    {'E',
                                     {"########", "########", "##......", "##......", "######..", "######..",
                                      "##......", "##......", "########", "########"}},
                                    {'L',
                                     {"##......", "##......", "##......", "##......", "##......", "##......",
                                      "##......", "##......", "########", "########"}},
                                    {'Y',
                                     {"##....##", "##....##", "###..###", ".######.", "..####..", "...##...",
                                      "...##...", "...##...", "...##...", "...##..."}},
                                    {'U',
                                     {"##....##", "##....##", "##....##", "##....##", "##....##", "##....##",
                                      "##....##", "###..###", ".######.", "..####.."}},
                                    {'M',
                                     {"##....##", "###..###", "########", "##.##.##", "##.##.##", "##....##",
                                      "##....##", "##....##", "##....##", "##....##"}},
                                    {'D',
                                     {"######..", "#######.", "##...###", "##....##", "##....##", "##....##",
                                      "##....##", "##...###", "#######.", "######.."}},
                                    {'I',
                                     {"..####..", "..####..", "...##...", "...##...", "...##...", "...##...",
                                      "...##...", "...##...", "..####..", "..####.."}},
                                    {'!',
                                     {"...##...", "...##...", "...##...", "...##...", "...##...", "...##...",
                                      "........", "........", "...##...", "...##..."}},
                                });
    return font;
}

int PixelFont::textWidth(const std::string& text, int scale, int spacing) const {
    if (text.empty()) {
        return 0;
    }
    int n = static_cast<int>(text.size());
    return (n * width + (n - 1) * spacing) * scale;
}

Canvas PixelFont::render(const std::string& text, int scale, int spacing) const {
    Canvas out(textWidth(text, scale, spacing), height * scale);
    int penX = 0;
    for (char c : text) {
        auto it = glyphs.find(c);
        if (it != glyphs.end()) {
            for (int row = 0; row < height; ++row) {
                const std::string& line = it->second[static_cast<size_t>(row)];
                for (int col = 0; col < width && col < static_cast<int>(line.size()); ++col) {
                    if (line[static_cast<size_t>(col)] == '#') {
                        out.fillRect(penX + col * scale, row * scale, scale, scale, pal::white);
                    }
                }
            }
        }
        penX += (width + spacing) * scale;
    }
    return out;
}
