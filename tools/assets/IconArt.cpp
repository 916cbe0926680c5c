// The desktop icons in every size a desktop asks for, made from the 64 x 64 pixel-art icon:
// whole-number enlargements above it, Brisel cropped to a square at 48, and below that each
// pixel takes the commonest colour of its block, so outlines and hues stay the art's own.
#include "AssetList.h"
#include "CharacterArt.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kArtSize = 64;      // pixels of the drawn icon
constexpr int kCroppedSize = 48;  // the square around Brisel that the small sizes shrink

Canvas enlarged(int factor) {
    return briselIcon().scaled(factor);
}

// The kCroppedSize square centred on the opaque pixels of the drawn icon.
Canvas cropped() {
    const Canvas icon = briselIcon();
    int left = kArtSize, top = kArtSize, right = -1, bottom = -1;
    for (int y = 0; y < kArtSize; ++y) {
        for (int x = 0; x < kArtSize; ++x) {
            if (icon.filled(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    const int x = std::clamp((left + right + 1 - kCroppedSize) / 2, 0, kArtSize - kCroppedSize);
    const int y = std::clamp((top + bottom + 1 - kCroppedSize) / 2, 0, kArtSize - kCroppedSize);
    return icon.region(x, y, kCroppedSize, kCroppedSize);
}

// Each block of factor x factor pixels becomes its commonest colour (transparency counts as
// one); a tie goes to the colour met first, reading rows from the top.
Canvas shrunk(const Canvas& art, int factor) {
    Canvas out(art.width() / factor, art.height() / factor);
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            std::vector<std::pair<Rgba, int>> counts;
            for (int dy = 0; dy < factor; ++dy) {
                for (int dx = 0; dx < factor; ++dx) {
                    const Rgba c = art.at(x * factor + dx, y * factor + dy);
                    const Rgba key = c.opaque() ? c : kClear;
                    auto found = std::find_if(counts.begin(), counts.end(),
                                              [&](const std::pair<Rgba, int>& p) { return p.first == key; });
                    if (found == counts.end()) {
                        counts.emplace_back(key, 1);
                    } else {
                        ++found->second;
                    }
                }
            }
            auto best = std::max_element(counts.begin(), counts.end(),
                                         [](const auto& a, const auto& b) { return a.second < b.second; });
            out.set(x, y, best->first);
        }
    }
    return out;
}

}  // namespace

void addIconPictures(std::vector<PictureJob>& jobs) {
    jobs.push_back({"icons/icon_16.png", [] { return shrunk(cropped(), 3); }});
    jobs.push_back({"icons/icon_32.png", [] { return shrunk(briselIcon(), 2); }});
    jobs.push_back({"icons/icon_48.png", cropped});
    jobs.push_back({"icons/icon_64.png", briselIcon});
    jobs.push_back({"icons/icon_128.png", [] { return enlarged(2); }});
    jobs.push_back({"icons/icon_256.png", [] { return enlarged(4); }});
}
