#include "editor/PictureSizes.h"

#include "core/RegularFile.h"
#include "graphics/PngDecoder.h"
#include "level/LevelFormat.h"

std::optional<PictureSizes::Size> PictureSizes::of(const std::string& value) {
    const std::string path = folder + "/" + picturePath(value);
    const auto found = known.find(path);
    if (found != known.end()) {
        return found->second;
    }
    std::optional<Size> size;
    RegularFile file(path);
    if (file.get() != nullptr) {
        PngDecoder decoder(file.get(), PngDecoder::kMaxSide, path);
        if (decoder.readHeader()) {
            size = Size{decoder.width(), decoder.height()};
        }
    }
    known.emplace(path, size);
    return size;
}
