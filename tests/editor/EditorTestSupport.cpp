#include "EditorTestSupport.h"

#include <filesystem>

#include "support/TestFiles.h"

namespace fs = std::filesystem;

namespace editortest {

std::string makeGameFolder(const std::string& name) {
    const std::string game = fs::absolute(name).string();
    fs::create_directories(game);
    testsupport::copyTree(testsupport::sourceDir() + "/data", game + "/data");
    fs::create_directory_symlink(testsupport::sourceDir() + "/sprites", game + "/sprites");
    fs::create_directory_symlink(testsupport::sourceDir() + "/sounds", game + "/sounds");
    return game;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        const size_t next = end == std::string::npos ? text.size() : end + 1;
        lines.push_back(text.substr(start, next - start));
        start = next;
    }
    return lines;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
    }
    return text;
}

int firstOf(const EditorModel& model, EditKind kind) {
    for (size_t i = 0; i < model.objects().size(); ++i) {
        if (model.objects()[i].kind == kind) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace editortest
