#pragma once
#include <map>
#include <memory>
#include <string>

#include "core/Bounds.h"

struct TextureEntry {
    unsigned int id = 0;  // never 0 in a stored entry
    Bounds bounds;        // {0, 0, picture width, picture height}
};

// The one table of GL textures by file name, and the window's client size.
// Textures belong to this manager: images hold ids but never delete them.
class TextureManager {
public:
    // The process-wide manager; the first call creates it with 640 x 480. Never destroyed.
    static TextureManager* instance();

    // The texture for that exact name, loading the PNG on the first request; 0 when the
    // file cannot be opened or decoded (failures are not remembered). Needs a current GL context.
    unsigned int getTexture(const std::string& name);
    // The size of a loaded texture, or {0, 0, 0, 0} for a name that is not loaded. Loads nothing.
    Bounds getBounds(const std::string& name);
    // Reads a loaded picture's file again into the same texture, so every image that shows it
    // shows the new picture; its size becomes the new one. False, keeping the old picture, when
    // the name is not loaded or the file cannot be decoded now. Needs a current GL context.
    bool refresh(const std::string& name);
    // Deletes every texture and empties the table.
    void releaseAll();

    // While on, a picture not already loaded is decoded for its size only: no GL call is made,
    // getTexture gives kSizedOnly for it and getBounds its size. For play without a window.
    void readSizesOnly(bool on) { sizesOnly = on; }
    static constexpr unsigned int kSizedOnly = ~0u;

    // 0 is stored as 1; any other value as it is.
    void setScreenWidth(int value);
    void setScreenHeight(int value);

    std::map<std::string, TextureEntry> textures;
    int screenWidth = 640;
    int screenHeight = 480;

private:
    TextureManager() = default;
    unsigned int loadPng(std::string path, int& width, int& height);
    // The picture's RGBA rows from the top, or null; opened tells whether the file opened at all.
    std::unique_ptr<unsigned char[]> decodePng(const std::string& path, int& width, int& height, bool& opened) const;

    bool sizesOnly = false;
    std::map<std::string, Bounds> sized;
};
