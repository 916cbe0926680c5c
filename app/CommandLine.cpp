#include "app/CommandLine.h"

#include <cstring>
#include <string>

#ifndef VANTOREL_VERSION
#error "the build defines VANTOREL_VERSION from the project's version"
#endif

namespace {

const char* const levelOption = "--level";
const char* const levelOptionJoined = "--level=";

bool isGameOption(const char* argument) {
    return std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "--version") == 0 ||
           std::strcmp(argument, levelOption) == 0 ||
           std::strncmp(argument, levelOptionJoined, std::strlen(levelOptionJoined)) == 0;
}

}  // namespace

InformationRequest findInformationRequest(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) return InformationRequest::Help;
        if (std::strcmp(argv[i], "--version") == 0) return InformationRequest::Version;
    }
    return InformationRequest::None;
}

std::string versionText() {
    return std::string("vantorel ") + VANTOREL_VERSION + "\n";
}

std::string helpText() {
    return "Usage: vantorel [--help | --version] [--level FILE] [TOOLKIT OPTION]...\n"
           "A small side-view platform game: guide Brisel through the levels to the portal.\n"
           "\n"
           "Options:\n"
           "  --help        show this help and exit\n"
           "  --version     show the version and exit\n"
           "  --level FILE  play that level file at once, without the title menu; saving the\n"
           "                file or a picture it uses reloads it; Escape quits\n"
           "Other options go to freeglut, for example -display NAME or -geometry WxH+X+Y.\n"
           "\n"
           "Files, all in the working folder (the vantorel launcher runs the game in\n"
           "$XDG_DATA_HOME/vantorel, by default ~/.local/share/vantorel):\n"
           "  settings.ini              window size, full screen and sound; written on the first run\n"
           "  release.log               what the game loaded and did, written afresh at every start\n"
           "  progress.ini              levels reached and finished, best times and deaths;\n"
           "                            written each time a level is finished\n"
           "  data/ sprites/ sounds/    levels, pictures and sounds, only read\n"
           "  gamecontrollerdb.txt      optional: more gamepads, in SDL's mapping format\n"
           "\n"
           "Keys:\n"
           "  Left, Right (or A, D)     walk\n"
           "  Space (or W)              jump\n"
           "  P                         pause; Up, Down and Enter choose in the pause menu\n"
           "  Escape                    in a level: back to the title menu; in the menu: quit\n"
           "  F11, Alt+Enter            full screen on and off\n"
           "  arrows, Enter, Space      choose in the title menu (the mouse works too)\n"
           "  L                         in the title menu, once a level is finished: the Levels screen\n"
           "  gamepad                   d-pad or left stick walk, south button jumps, Start pauses,\n"
           "                            Back is Escape\n"
           "More keys: lines such as key jump=x in settings.ini (key left, right, jump, pause, back).\n";
}

bool answerInformationRequest(int argc, const char* const* argv, std::ostream& out) {
    switch (findInformationRequest(argc, argv)) {
    case InformationRequest::Help:
        out << helpText() << std::flush;
        return true;
    case InformationRequest::Version:
        out << versionText() << std::flush;
        return true;
    case InformationRequest::None:
        break;
    }
    return false;
}

LevelRequest findLevelRequest(int argc, const char* const* argv) {
    LevelRequest request;
    for (int i = 1; i < argc; ++i) {
        std::string path;
        if (std::strcmp(argv[i], levelOption) == 0) {
            if (i + 1 >= argc) {
                request.problem = "--level needs a level file";
                return request;
            }
            path = argv[++i];
        } else if (std::strncmp(argv[i], levelOptionJoined, std::strlen(levelOptionJoined)) == 0) {
            path = argv[i] + std::strlen(levelOptionJoined);
        } else {
            continue;
        }
        if (request.asked) {
            request.problem = "--level is given more than once";
            return request;
        }
        if (path.empty()) {
            request.problem = "--level needs a level file";
            return request;
        }
        request.asked = true;
        request.path = path;
    }
    return request;
}

int removeGameOptions(int argc, char** argv) {
    int kept = argc > 0 ? 1 : 0;
    for (int i = 1; i < argc; ++i) {
        if (!isGameOption(argv[i])) {
            argv[kept++] = argv[i];
            continue;
        }
        if (std::strcmp(argv[i], levelOption) == 0 && i + 1 < argc) {
            ++i;
        }
    }
    if (kept < argc) {
        argv[kept] = nullptr;
    }
    return kept;
}
