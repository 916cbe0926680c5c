#include "graphics/TextureManager.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <memory>
#include <new>
#include <string>

#include "core/RegularFile.h"
#include "graphics/PngDecoder.h"

namespace {

// The log keeps its designed lines; why a picture was refused goes to standard error.
void reportRefusal(const std::string& path, const std::string& reason) {
    std::cerr << "picture: cannot use \"" << path << "\": " << reason << "\n";
}

// The largest side this GL accepts, never above what the decoder allows.
int maxTextureSide() {
    GLint side = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &side);
    return side > 0 ? std::min(side, PngDecoder::kMaxSide) : PngDecoder::kMaxSide;
}

// Blending is switched on here and nowhere else. Wrap modes stay GL_REPEAT and the
// magnification filter stays GL_LINEAR: Image's drawing relies on both.
unsigned int uploadRgba(int width, int height, const unsigned char* pixels) {
    glEnable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    return id;
}

}  // namespace

TextureManager* TextureManager::instance() {
    static TextureManager* manager = new TextureManager();
    return manager;
}

void TextureManager::setScreenWidth(int value) {
    screenWidth = value == 0 ? 1 : value;
}

void TextureManager::setScreenHeight(int value) {
    screenHeight = value == 0 ? 1 : value;
}

void TextureManager::releaseAll() {
    for (const auto& entry : textures) {
        glDeleteTextures(1, &entry.second.id);
    }
    textures.clear();
}

unsigned int TextureManager::getTexture(const std::string& name) {
    std::cout << "Requesting texture " << name << " ... ";
    auto found = textures.find(name);
    if (found != textures.end()) {
        std::cout << "Texture already loaded.\n";
        return found->second.id;
    }
    if (sizesOnly && sized.count(name) != 0) {
        std::cout << "Texture already loaded.\n";
        return kSizedOnly;
    }
    int width = 0;
    int height = 0;
    unsigned int id = loadPng(name, width, height);
    if (id == kSizedOnly) {
        sized[name] = Bounds{0, 0, width, height};
        return id;
    }
    if (id != 0) {
        textures[name] = TextureEntry{id, Bounds{0, 0, width, height}};
        return id;
    }
    // Failures are not remembered: the next request tries the file again.
    std::cout << "Texture load error!\n" << std::endl;
    return 0;
}

Bounds TextureManager::getBounds(const std::string& name) {
    std::cout << "Requesting bounds for \"" << name << "\" ... ";
    auto found = textures.find(name);
    if (found != textures.end()) {
        std::cout << "found texture.\n";
        return found->second.bounds;
    }
    auto size = sized.find(name);
    if (sizesOnly && size != sized.end()) {
        std::cout << "found texture.\n";
        return size->second;
    }
    std::cout << "unknown texture.\n";
    return Bounds{};
}

std::unique_ptr<unsigned char[]> TextureManager::decodePng(const std::string& path, int& width, int& height,
                                                           bool& opened) const {
    RegularFile file(path);
    opened = file.opened();
    if (!opened) {
        return nullptr;
    }
    if (file.get() == nullptr) {
        reportRefusal(path, file.error());
        return nullptr;
    }
    // Declared before the decoder so that the end of this function tears down in order:
    // decoder structures, then pixels, then the file.
    std::unique_ptr<unsigned char[]> pixels;
    PngDecoder decoder(file.get(), sizesOnly ? PngDecoder::kMaxSide : maxTextureSide(), path);
    if (!decoder.readHeader()) {
        if (decoder.tooLarge()) {
            reportRefusal(path, "more than " + std::to_string(PngDecoder::kMaxPixelBytes >> 20) + " MiB of pixels (" +
                                    std::to_string(decoder.width()) + " x " + std::to_string(decoder.height()) + ")");
        }
        return nullptr;
    }
    width = decoder.width();
    height = decoder.height();
    pixels.reset(new (std::nothrow) unsigned char[decoder.imageBytes()]);
    if (!pixels || !decoder.readImage(pixels.get())) {
        return nullptr;
    }
    return pixels;
}

unsigned int TextureManager::loadPng(std::string path, int& width, int& height) {
    bool opened = false;
    const std::unique_ptr<unsigned char[]> pixels = decodePng(path, width, height, opened);
    if (opened) {
        std::cout << " opened... ";
    }
    if (!pixels) {
        return 0;
    }
    const unsigned int id = sizesOnly ? kSizedOnly : uploadRgba(width, height, pixels.get());
    // No current GL context gives no texture name.
    if (id == 0) {
        return 0;
    }
    std::cout << "successfully loaded.\n";
    return id;
}

bool TextureManager::refresh(const std::string& name) {
    auto found = textures.find(name);
    if (found == textures.end()) {
        return false;
    }
    int width = 0;
    int height = 0;
    bool opened = false;
    const std::unique_ptr<unsigned char[]> pixels = decodePng(name, width, height, opened);
    if (!pixels) {
        return false;
    }
    glBindTexture(GL_TEXTURE_2D, found->second.id);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.get());
    found->second.bounds = Bounds{0, 0, width, height};
    return true;
}
