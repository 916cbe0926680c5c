#include "e2e/GameSession.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "support/TestFiles.h"

namespace fs = std::filesystem;
using testsupport::Rgba;

namespace {

using Clock = std::chrono::steady_clock;

void sleepSeconds(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

// Waits for a child for at most the given time; its wait status, or -1 when it is still running.
int waitChild(pid_t pid, double seconds) {
    const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
        int status = 0;
        pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            return status;
        }
        if (done < 0 || Clock::now() >= deadline) {
            return -1;
        }
        sleepSeconds(0.02);
    }
}

void stopChild(pid_t pid) {
    if (pid <= 0) {
        return;
    }
    kill(pid, SIGTERM);
    if (waitChild(pid, 3.0) == -1) {
        kill(pid, SIGKILL);
        waitChild(pid, 3.0);
    }
}

std::vector<unsigned char> solid(int width, int height, Rgba colour) {
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
    for (size_t i = 0; i < pixels.size(); i += 4) {
        pixels[i] = colour.r;
        pixels[i + 1] = colour.g;
        pixels[i + 2] = colour.b;
        pixels[i + 3] = colour.a;
    }
    return pixels;
}

void fillRect(std::vector<unsigned char>& pixels, int width, int x0, int y0, int w, int h, Rgba colour) {
    for (int y = y0; y < y0 + h; ++y) {
        for (int x = x0; x < x0 + w; ++x) {
            unsigned char* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
            p[0] = colour.r;
            p[1] = colour.g;
            p[2] = colour.b;
            p[3] = colour.a;
        }
    }
}

// A button sheet: two frames, the clickable face opaque, the margin around it transparent.
void writeButton(const std::string& path, int frameW, int frameH, int faceX, int faceY, int faceW, int faceH,
                 Rgba normal, Rgba lit) {
    std::vector<unsigned char> pixels(static_cast<size_t>(frameW) * frameH * 2 * 4, 0);
    fillRect(pixels, frameW, faceX, faceY, faceW, faceH, normal);
    fillRect(pixels, frameW, faceX, frameH + faceY, faceW, faceH, lit);
    testsupport::writeRgbaPng(path, frameW, frameH * 2, pixels);
}

}  // namespace

void writeTestGame(const std::string& dir) {
    using namespace testgame;
    const std::string s = dir + "/sprites/";
    testsupport::writeRgbaPng(s + "menu.png", 640, 480, solid(640, 480, menuColour));
    testsupport::writeRgbaPng(s + "win_screen.png", 640, 480, solid(640, 480, winColour));
    writeButton(s + "start.png", 374, 238, 74, 78, 226, 82, startColour, startLitColour);
    writeButton(s + "quit.png", 300, 220, 64, 64, 172, 92, quitColour, quitLitColour);
    writeButton(s + "continue.png", 220, 104, 28, 28, 164, 48, continueColour, continueLitColour);
    writeButton(s + "levels.png", 220, 104, 28, 28, 164, 48, levelsColour, levelsLitColour);
    // The player's sheet: every frame shows the body exactly over the 34 x 46 box.
    std::vector<unsigned char> sheet(384 * 168 * 4, 0);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 6; ++column) {
            fillRect(sheet, 384, column * 64 + 15, row * 56 + 9, 34, 46, playerColour);
        }
    }
    testsupport::writeRgbaPng(s + "brisel.png", 384, 168, sheet);
    testsupport::writeRgbaPng(s + "bg.png", 640, 480, solid(640, 480, levelColour));
    testsupport::writeRgbaPng(s + "tile.png", 640, 32, solid(640, 32, tileColour));
    testsupport::writeRgbaPng(s + "spike.png", 64, 16, solid(64, 16, trapColour));
    testsupport::writeRgbaPng(s + "goal.png", 32, 48, solid(32, 48, goalColour));
    for (const char* name : {"jump", "land", "teleport", "win", "hum"}) {
        testsupport::writeToneWav(dir + "/sounds/" + name + ".wav", 0.2, 440);
    }
    const fs::path levels = fs::path(testsupport::sourceDir()) / "tests/e2e/game/data";
    if (fs::exists(levels)) {
        testsupport::copyTree(levels.string(), dir + "/data");
    }
}

GameSession::GameSession(Content content) {
    std::string pattern = (fs::temp_directory_path() / "vantorel-e2e-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    gameDir = pattern;
    if (content == Content::TestGame) {
        writeTestGame(gameDir);
    } else {
        for (const char* folder : {"data", "sprites", "sounds"}) {
            testsupport::copyTree(testsupport::sourceDir() + "/" + folder, gameDir + "/" + folder);
        }
    }
    startDisplay();
}

GameSession::~GameSession() {
    stopChild(gamePid);
    stopChild(displayPid);
    std::error_code ec;
    fs::remove_all(gameDir, ec);
}

void GameSession::startDisplay() {
    int fds[2];
    if (pipe(fds) != 0) {
        throw std::runtime_error("pipe failed");
    }
    displayPid = fork();
    if (displayPid == 0) {
        close(fds[0]);
        int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, 1);
        dup2(devnull, 2);
        const std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    char c = 0;
    // Xvfb writes its display number followed by a line feed once it is ready.
    while (read(fds[0], &c, 1) == 1 && c != '\n') {
        number.push_back(c);
    }
    close(fds[0]);
    if (number.empty()) {
        throw std::runtime_error("Xvfb did not start");
    }
    displayName = ":" + number;
    // The server is ready once a client can connect. It is started without resetting when its
    // last client leaves, so this probe cannot make the game's own connection race a reset.
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < deadline) {
        if (Display* display = XOpenDisplay(displayName.c_str())) {
            XCloseDisplay(display);
            return;
        }
        sleepSeconds(0.05);
    }
    throw std::runtime_error("Xvfb on " + displayName + " does not answer");
}

bool GameSession::start(const std::vector<std::string>& extraEnvironment, const std::vector<std::string>& arguments) {
    return startProgram(testsupport::binaryDir() + "/vantorel", gameDir, extraEnvironment, arguments);
}

bool GameSession::startProgram(const std::string& program, const std::string& folder,
                               const std::vector<std::string>& extraEnvironment,
                               const std::vector<std::string>& arguments) {
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    gamePid = fork();
    if (gamePid == 0) {
        if (chdir(folder.c_str()) != 0) {
            _exit(126);
        }
        setenv("DISPLAY", displayName.c_str(), 1);
        setenv("ALSOFT_DRIVERS", "null", 1);
        setenv("ALSOFT_LOGLEVEL", "0", 1);
        for (const std::string& assignment : extraEnvironment) {
            const size_t equals = assignment.find('=');
            setenv(assignment.substr(0, equals).c_str(), assignment.substr(equals + 1).c_str(), 1);
        }
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    return findWindow(20.0);
}

bool GameSession::findWindow(double seconds) {
    const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    while (Clock::now() < deadline) {
        const std::string found = xdotool("search --name '^Vantorel$'");
        if (!found.empty()) {
            window = std::stoul(found);
            // Pointer focus: the keys go to the window under the pointer.
            moveMouse(5, 5);
            return true;
        }
        if (!running()) {
            return false;
        }
        sleepSeconds(0.1);
    }
    return false;
}

void GameSession::killGame() {
    if (gamePid > 0) {
        kill(gamePid, SIGKILL);
        waitForExit(5.0);
    }
}

int GameSession::waitForExit(double seconds) {
    if (gamePid <= 0) {
        return exitStatus;
    }
    const int status = waitChild(gamePid, seconds);
    if (status == -1) {
        return -1;
    }
    gamePid = -1;
    exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return exitStatus;
}

bool GameSession::running() {
    return waitForExit(0) == -1;
}

std::string GameSession::xdotool(const std::string& arguments) {
    const std::string command = "DISPLAY=" + displayName + " timeout 10 xdotool " + arguments + " 2>/dev/null";
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe) != nullptr) {
            output += buffer;
        }
        pclose(pipe);
    }
    const size_t end = output.find('\n');
    return end == std::string::npos ? output : output.substr(0, end);
}

void GameSession::key(const std::string& name) {
    xdotool("key " + name);
}

void GameSession::keyDown(const std::string& name) {
    xdotool("keydown " + name);
}

void GameSession::keyUp(const std::string& name) {
    xdotool("keyup " + name);
}

void GameSession::moveMouse(int x, int y) {
    xdotool("mousemove --window " + std::to_string(window) + " " + std::to_string(x) + " " + std::to_string(y));
}

void GameSession::click(int x, int y, int button) {
    moveMouse(x, y);
    xdotool("click " + std::to_string(button));
}

void GameSession::drag(int fromX, int fromY, int toX, int toY, int button) {
    const int steps = 4;
    moveMouse(fromX, fromY);
    xdotool("mousedown " + std::to_string(button));
    for (int i = 1; i <= steps; ++i) {
        moveMouse(fromX + (toX - fromX) * i / steps, fromY + (toY - fromY) * i / steps);
    }
    xdotool("mouseup " + std::to_string(button));
}

void GameSession::closeWindow() {
    Display* display = XOpenDisplay(displayName.c_str());
    if (display == nullptr) {
        return;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
    XCloseDisplay(display);
}

void GameSession::destroyWindow() {
    xdotool("windowclose " + std::to_string(window));
}

void GameSession::stopDisplay() {
    stopChild(displayPid);
    displayPid = -1;
}

bool GameSession::screenshot() {
    Display* display = XOpenDisplay(displayName.c_str());
    if (display == nullptr || window == 0) {
        return false;
    }
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, window, &attributes);
    XImage* image = XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (image == nullptr) {
        XCloseDisplay(display);
        return false;
    }
    shotWidth = attributes.width;
    shotHeight = attributes.height;
    shot.assign(static_cast<size_t>(shotWidth) * shotHeight * 4, 255);
    for (int y = 0; y < shotHeight; ++y) {
        for (int x = 0; x < shotWidth; ++x) {
            const unsigned long value = XGetPixel(image, x, y);
            unsigned char* p = &shot[(static_cast<size_t>(y) * shotWidth + x) * 4];
            p[0] = (value >> 16) & 0xFF;
            p[1] = (value >> 8) & 0xFF;
            p[2] = value & 0xFF;
        }
    }
    XDestroyImage(image);
    XCloseDisplay(display);
    return true;
}

bool GameSession::waitForScreen(const std::function<bool()>& check, double seconds) {
    const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
        if (screenshot() && check()) {
            return true;
        }
        if (Clock::now() >= deadline) {
            return false;
        }
        sleepSeconds(0.03);
    }
}

Rgba GameSession::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= shotWidth || y >= shotHeight) {
        return Rgba{0, 0, 0, 0};
    }
    const unsigned char* p = &shot[(static_cast<size_t>(y) * shotWidth + x) * 4];
    return Rgba{p[0], p[1], p[2], p[3]};
}

bool GameSession::savePng(const std::string& path) const {
    if (shot.empty()) {
        return false;
    }
    testsupport::writeRgbaPng(path, shotWidth, shotHeight, shot);
    return true;
}

std::string GameSession::log() const {
    return testsupport::readFile(gameDir + "/release.log");
}

bool GameSession::waitForLog(const std::string& text, double seconds) {
    return waitForLogCount(text, 1, seconds);
}

bool GameSession::waitForLogCount(const std::string& text, int count, double seconds) {
    const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
        const std::string current = log();
        int found = 0;
        for (size_t at = current.find(text); at != std::string::npos; at = current.find(text, at + 1)) {
            ++found;
        }
        if (found >= count) {
            return true;
        }
        if (Clock::now() >= deadline) {
            return false;
        }
        sleepSeconds(0.05);
    }
}

std::string GameSession::readGameFile(const std::string& name) const {
    return testsupport::readFile(gameDir + "/" + name);
}
