// What a distribution needs from the installed game: valid metadata, icons, a manual page,
// answers to --version and --help without a display, clean exits, and a Debian package.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "e2e/GameSession.h"
#include "support/TestFiles.h"

namespace fs = std::filesystem;

namespace {

const char* const kAppId = "io.github.vantorel.Vantorel";
const char* const kMenuHandOver = "--- MENU IS ASSUMING CONRTOL OF GLUT MAIN LOOP ---\n";

struct CommandResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs a shell command in folder with its output and errors kept apart.
CommandResult run(const std::string& command, const std::string& folder) {
    const std::string outFile = folder + "/.out";
    const std::string errFile = folder + "/.err";
    const std::string line = "cd '" + folder + "' && " + command + " >'" + outFile + "' 2>'" + errFile + "'";
    const int status = std::system(line.c_str());
    CommandResult result;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = testsupport::readFile(outFile);
    result.err = testsupport::readFile(errFile);
    fs::remove(outFile);
    fs::remove(errFile);
    return result;
}

fs::path installInto(const fs::path& prefix) {
    const std::string install = "cmake --install '" + testsupport::binaryDir() + "' --prefix '" + prefix.string() + "'";
    EXPECT_EQ(run(install, prefix.parent_path().string()).status, 0);
    return prefix;
}

// Width and height from a PNG's header; 0 x 0 when it is not one.
std::pair<uint32_t, uint32_t> pngSize(const fs::path& file) {
    const std::string bytes = testsupport::readFile(file.string());
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0 || bytes.compare(12, 4, "IHDR") != 0) return {0, 0};
    auto at = [&](size_t i) {
        uint32_t v = 0;
        for (size_t k = 0; k < 4; ++k) v = (v << 8) | static_cast<unsigned char>(bytes[i + k]);
        return v;
    };
    return {at(16), at(20)};
}

}  // namespace

TEST(ShippingE2ETest, InstalledTreeHasValidMetadataEveryIconSizeAndACleanManualPage) {
    testsupport::ScopedTempDir temp;
    const fs::path prefix = installInto(fs::path(temp.path()) / "prefix");
    const fs::path share = prefix / "share";

    const fs::path metainfo = share / "metainfo" / (std::string(kAppId) + ".metainfo.xml");
    const CommandResult appstream = run("appstreamcli validate --no-net '" + metainfo.string() + "'", temp.path());
    EXPECT_EQ(appstream.status, 0) << appstream.out << appstream.err;
    const fs::path desktop = share / "applications" / (std::string(kAppId) + ".desktop");
    const CommandResult desktopCheck = run("desktop-file-validate '" + desktop.string() + "'", temp.path());
    EXPECT_EQ(desktopCheck.status, 0) << desktopCheck.out << desktopCheck.err;
    EXPECT_NE(testsupport::readFile(desktop.string()).find("Icon=" + std::string(kAppId) + "\n"), std::string::npos);

    for (uint32_t size : {16u, 32u, 48u, 64u, 128u, 256u}) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        const fs::path icon = share / "icons/hicolor" / folder / "apps" / (std::string(kAppId) + ".png");
        EXPECT_EQ(pngSize(icon), std::make_pair(size, size)) << icon;
    }

    const CommandResult manual =
        run("man --warnings -l '" + (share / "man/man6/vantorel.6.gz").string() + "'", temp.path());
    EXPECT_EQ(manual.status, 0);
    EXPECT_EQ(manual.err, "") << "the manual page renders without warnings";
    for (const char* topic : {"--version", "XDG_DATA_HOME", "settings.ini", "release.log", "Escape"}) {
        EXPECT_NE(manual.out.find(topic), std::string::npos) << topic;
    }

    // The launcher hands its arguments on; both answers need no display and write nothing.
    const std::string launcher =
        "env -u DISPLAY HOME='" + temp.path() + "' '" + (prefix / "bin/vantorel").string() + "'";
    const CommandResult version = run(launcher + " --version", temp.path());
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "vantorel 1.0.0\n");
    EXPECT_NE(testsupport::readFile(metainfo.string()).find("<release version=\"1.0.0\""), std::string::npos)
        << "the metadata names the release being installed";
    const CommandResult help = run(launcher + " -display :99 --help", temp.path());
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: vantorel", 0), 0u) << help.out;
    EXPECT_EQ(help.err, "");
    EXPECT_FALSE(fs::exists(fs::path(temp.path()) / ".local/share/vantorel/release.log"));

    // A level named from the caller's folder is looked for there, not in the game's own folder.
    const CommandResult missing = run(launcher + " --level drafts/none.level", temp.path());
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "vantorel: cannot play " + temp.path() + "/drafts/none.level: No such file or directory\n");

    // The level tools find the installed data from a folder of the user's own.
    testsupport::writeFile(temp.path() + "/mine.level",
                           testsupport::readFile((share / "vantorel/data/level1.level").string()));
    const CommandResult check = run("'" + (prefix / "bin/vantorel-levelcheck").string() + "' mine.level", temp.path());
    EXPECT_EQ(check.status, 0) << check.out << check.err;
    EXPECT_EQ(check.out, "1 level checked, no problems\n");
    for (const char* tool : {"levelcheck", "levelfair", "levelsolve"}) {
        const fs::path page = share / "man/man1" / ("vantorel-" + std::string(tool) + ".1.gz");
        const CommandResult shown = run("man --warnings -l '" + page.string() + "'", temp.path());
        EXPECT_EQ(shown.status, 0) << page;
        EXPECT_EQ(shown.err, "") << page;
    }
}

TEST(ShippingE2ETest, WithoutADisplayTheGameSaysSoOnOneLineAndEndsWithStatusOne) {
    testsupport::ScopedTempDir temp;
    testsupport::writeFile(temp.path() + "/release.log", "an old run\n");
    const CommandResult game =
        run("env -u DISPLAY '" + testsupport::binaryDir() + "/vantorel' -geometry 640x480", temp.path());
    const std::string message = "vantorel: cannot open the display (is DISPLAY set?)\n";
    EXPECT_EQ(game.status, 1);
    EXPECT_EQ(game.err, message);
    EXPECT_EQ(testsupport::readFile(temp.path() + "/release.log"), message);
}

// OpenAL reports a device left open when its library is unloaded: none must be on any way out.
TEST(ShippingE2ETest, EveryWayOutClosesTheSoundDevice) {
    enum class WayOut { Escape, QuitButton, CloseButton };
    for (WayOut way : {WayOut::Escape, WayOut::QuitButton, WayOut::CloseButton}) {
        GameSession game;
        const std::string errors = game.dir() + "/errors.txt";
        const std::string wrapper = game.dir() + "/with-errors.sh";
        testsupport::writeFile(wrapper,
                               "#!/bin/sh\nexec '" + testsupport::binaryDir() + "/vantorel' 2>'" + errors + "'\n");
        fs::permissions(wrapper, fs::perms::owner_all);
        ASSERT_TRUE(game.startProgram(wrapper, game.dir(), {"ALSOFT_LOGLEVEL=3"}));
        ASSERT_TRUE(game.waitForLog(kMenuHandOver, 10));
        ASSERT_NE(game.log().find("[WubManager] Korvane is ready to rock!\n"), std::string::npos);
        switch (way) {
        case WayOut::Escape:
            game.key("Escape");
            break;
        case WayOut::QuitButton:
            game.click(234 + 80, 360 + 40);
            break;
        case WayOut::CloseButton:
            game.closeWindow();
            break;
        }
        EXPECT_EQ(game.waitForExit(10), 0);
        const std::string written = testsupport::readFile(errors);
        EXPECT_EQ(written.find("not closed"), std::string::npos) << written;
        EXPECT_NE(written.find("AL lib:"), std::string::npos) << "OpenAL's own messages reach the file";
    }
}

TEST(ShippingE2ETest, DebianPackageBuildsFromTheBuildTreeAndLintianFindsNoErrors) {
    testsupport::ScopedTempDir temp;
    const CommandResult cpack =
        run("cpack -G DEB --config '" + testsupport::binaryDir() + "/CPackConfig.cmake' -B out", temp.path());
    ASSERT_EQ(cpack.status, 0) << cpack.out << cpack.err;
    std::string deb;
    for (const auto& entry : fs::directory_iterator(fs::path(temp.path()) / "out")) {
        if (entry.path().extension() == ".deb") deb = entry.path().string();
    }
    ASSERT_FALSE(deb.empty()) << cpack.out;

    const CommandResult contents = run("dpkg-deb --contents '" + deb + "'", temp.path());
    ASSERT_EQ(contents.status, 0) << contents.err;
    for (const std::string& file : std::initializer_list<std::string>{
             "./usr/games/vantorel", "./usr/libexec/vantorel/vantorel", "./usr/share/vantorel/data/level1.level",
             "./usr/share/man/man6/vantorel.6.gz", "./usr/share/doc/vantorel/copyright",
             "./usr/games/vantorel-levelcheck", "./usr/games/vantorel-levelfair", "./usr/games/vantorel-levelsolve",
             "./usr/share/man/man1/vantorel-levelcheck.1.gz", "./usr/share/man/man1/vantorel-levelfair.1.gz",
             "./usr/share/man/man1/vantorel-levelsolve.1.gz",
             "./usr/share/metainfo/" + std::string(kAppId) + ".metainfo.xml",
             "./usr/share/icons/hicolor/256x256/apps/" + std::string(kAppId) + ".png"}) {
        EXPECT_NE(contents.out.find(file + "\n"), std::string::npos) << file;
    }
    const CommandResult depends = run("dpkg-deb --field '" + deb + "' Depends", temp.path());
    for (const char* library : {"libglut", "libopenal1", "libpng16-16", "libsndfile1"}) {
        EXPECT_NE(depends.out.find(library), std::string::npos) << library << " missing from " << depends.out;
    }

    const CommandResult lintian = run("lintian --fail-on error '" + deb + "'", temp.path());
    EXPECT_EQ(lintian.status, 0) << lintian.out << lintian.err;
    EXPECT_EQ(lintian.out.find("E: "), std::string::npos) << lintian.out;
}
