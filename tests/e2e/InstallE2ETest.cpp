#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "e2e/GameSession.h"
#include "support/TestFiles.h"

namespace fs = std::filesystem;

namespace {

// Every file under the folder with its last change time, to prove nothing there was written.
std::map<std::string, fs::file_time_type> snapshot(const fs::path& folder) {
    std::map<std::string, fs::file_time_type> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        files[entry.path().string()] = fs::symlink_status(entry.path()).type() == fs::file_type::symlink
                                           ? fs::file_time_type{}
                                           : entry.last_write_time();
    }
    return files;
}

}  // namespace

TEST(InstallE2ETest, InstalledGameStartsThroughItsLauncherInAFolderOfTheUsersOwn) {
    GameSession game;
    const fs::path prefix = fs::path(game.dir()) / "prefix";
    const fs::path home = fs::path(game.dir()) / "home";
    fs::create_directories(home);
    const std::string install =
        "cmake --install '" + testsupport::binaryDir() + "' --prefix '" + prefix.string() + "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(install.c_str()), 0);

    for (const char* file : {"bin/vantorel", "libexec/vantorel/vantorel", "share/vantorel/data",
                             "share/vantorel/sprites", "share/vantorel/sounds"}) {
        EXPECT_TRUE(fs::exists(prefix / file)) << file;
    }
    const std::string desktop =
        testsupport::readFile((prefix / "share/applications/io.github.vantorel.Vantorel.desktop").string());
    EXPECT_NE(desktop.find("StartupWMClass=vantorel\n"), std::string::npos) << "the window's WM_CLASS";

    // The installed data is the test game's, so the run is the same small game as elsewhere.
    for (const char* folder : {"data", "sprites", "sounds"}) {
        fs::remove_all(prefix / "share/vantorel" / folder);
        testsupport::copyTree(game.dir() + "/" + folder, (prefix / "share/vantorel" / folder).string());
    }
    const auto before = snapshot(prefix);

    ASSERT_TRUE(
        game.startProgram((prefix / "bin/vantorel").string(), "/", {"HOME=" + home.string(), "XDG_DATA_HOME="}));
    const fs::path userFolder = home / ".local/share/vantorel";
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(10), 0);

    EXPECT_TRUE(fs::is_regular_file(userFolder / "settings.ini"));
    const std::string log = testsupport::readFile((userFolder / "release.log").string());
    EXPECT_NE(log.find("Requesting texture sprites/menu.png ...  opened... successfully loaded.\n"), std::string::npos)
        << log;
    EXPECT_TRUE(fs::is_symlink(userFolder / "sprites"));
    EXPECT_EQ(snapshot(prefix), before) << "nothing under the prefix is written";
}
