#include "game/ProgressFile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "core/WholeFile.h"

namespace fs = std::filesystem;

namespace {

const char* const logTag = "[PROGRESS] ";
const char* const asideSuffix = ".damaged";
// Numbered names tried for a damaged file before giving up on keeping it aside.
const int asideNames = 100;
// Larger than any honest progress file: twelve levels take a few hundred bytes.
const std::uintmax_t largestFile = 1 << 20;

bool readWhole(const std::string& path, std::string& text) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec) || fs::file_size(path, ec) > largestFile || ec) {
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        return false;
    }
    std::ostringstream whole;
    whole << in.rdbuf();
    text = whole.str();
    return !in.bad();
}

}  // namespace

ProgressFile::ProgressFile(std::string path) : fileName(std::move(path)) {}

void ProgressFile::load() {
    std::error_code ec;
    if (fs::symlink_status(fileName, ec).type() == fs::file_type::not_found) {
        return;
    }
    std::string text;
    if (!readWhole(fileName, text)) {
        keepAside("could not be read");
        return;
    }
    if (!held.parse(text)) {
        keepAside("is damaged");
    }
}

void ProgressFile::keepAside(const std::string& why) {
    held = Progress();
    std::error_code ec;
    for (int n = 0; n < asideNames; ++n) {
        const std::string aside = fileName + asideSuffix + (n == 0 ? std::string() : "." + std::to_string(n));
        if (fs::symlink_status(aside, ec).type() != fs::file_type::not_found) {
            continue;
        }
        if (std::rename(fileName.c_str(), aside.c_str()) == 0) {
            std::cout << logTag << fileName << " " << why << "; kept as " << aside << ", playing without progress\n";
            return;
        }
        break;
    }
    writable = false;
    std::cout << logTag << fileName << " " << why << " and could not be moved aside; progress will not be saved\n";
}

bool ProgressFile::save() {
    if (!writable) {
        return false;
    }
    std::string why;
    if (!writeWholeFile(
            fileName, [this] { return held.text(); }, &why)) {
        std::cout << logTag << "could not save " << fileName << ": " << why << "\n";
        return false;
    }
    return true;
}
