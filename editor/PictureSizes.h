#pragma once
#include <map>
#include <optional>
#include <string>
#include <utility>

// The sizes of the game's pictures, read from the PNG headers once per picture and kept.
class PictureSizes {
public:
    struct Size {
        int width = 0;
        int height = 0;
    };

    explicit PictureSizes(std::string gameFolder = ".") : folder(std::move(gameFolder)) {}

    // value as an "img" line gives it; nothing when the picture is missing or no PNG.
    std::optional<Size> of(const std::string& value);

private:
    std::string folder;
    std::map<std::string, std::optional<Size>> known;
};
