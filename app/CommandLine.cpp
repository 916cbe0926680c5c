#include "app/CommandLine.h"

#include <cstring>
#include <string>

#ifndef VANTOREL_VERSION
#error "the build defines VANTOREL_VERSION from the project's version"
#endif

namespace {

const char* const levelOption = "--level";
const char* const editOption = "--edit";

// "--option=FILE" as one argument.
bool isJoined(const char* argument, const std::string& option) {
    return std::strncmp(argument, (option + "=").c_str(), option.size() + 1) == 0;
}

bool isFileOption(const char* argument) {
    for (const char* option : {levelOption, editOption}) {
        if (std::strcmp(argument, option) == 0 || isJoined(argument, option)) return true;
    }
    return false;
}

bool isGameOption(const char* argument) {
    return std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "--version") == 0 || isFileOption(argument);
}

// The file named after the option, as "--option FILE" or "--option=FILE".
LevelRequest findFileOption(int argc, const char* const* argv, const std::string& option) {
    LevelRequest request;
    for (int i = 1; i < argc; ++i) {
        std::string path;
        if (argv[i] == option) {
            if (i + 1 >= argc) {
                request.problem = option + " needs a level file";
                return request;
            }
            path = argv[++i];
        } else if (isJoined(argv[i], option)) {
            path = argv[i] + option.size() + 1;
        } else {
            continue;
        }
        if (request.asked) {
            request.problem = option + " is given more than once";
            return request;
        }
        if (path.empty()) {
            request.problem = option + " needs a level file";
            return request;
        }
        request.asked = true;
        request.path = path;
    }
    return request;
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
    return "Usage: vantorel [--help | --version] [--level FILE | --edit FILE] [TOOLKIT OPTION]...\n"
           "A small side-view platform game: guide Brisel through the levels to the portal.\n"
           "\n"
           "Options:\n"
           "  --help        show this help and exit\n"
           "  --version     show the version and exit\n"
           "  --level FILE  play that level file at once, without the title menu; saving the\n"
           "                file or a picture it uses reloads it; Escape quits\n"
           "  --edit FILE   open that level file in the level editor (a new file starts as a\n"
           "                small level); F5 tries it, Ctrl+S saves, F2 plays it\n"
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
           "  F2                        in a level: edit it in the level editor, and back\n"
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
    return findFileOption(argc, argv, levelOption);
}

LevelRequest findEditRequest(int argc, const char* const* argv) {
    return findFileOption(argc, argv, editOption);
}

int removeGameOptions(int argc, char** argv) {
    int kept = argc > 0 ? 1 : 0;
    for (int i = 1; i < argc; ++i) {
        if (!isGameOption(argv[i])) {
            argv[kept++] = argv[i];
            continue;
        }
        if ((std::strcmp(argv[i], levelOption) == 0 || std::strcmp(argv[i], editOption) == 0) && i + 1 < argc) {
            ++i;
        }
    }
    if (kept < argc) {
        argv[kept] = nullptr;
    }
    return kept;
}
