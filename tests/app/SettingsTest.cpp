#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <sstream>

#include "app/ScreenMode.h"
#include "app/Settings.h"
#include "game/PlayOptions.h"
#include "graphics/TextureManager.h"
#include "sound/MusicPlayer.h"
#include "sound/WubManager.h"
#include "support/TestFiles.h"

using testsupport::LogCapture;
using testsupport::readFile;
using testsupport::ScopedTempDir;
using testsupport::writeFile;

namespace {

bool apply(const std::string& text) {
    std::istringstream in(text);
    return applySettings(in);
}

TextureManager* textures() {
    return TextureManager::instance();
}

}  // namespace

TEST(SettingsTest, MissingFileIsWrittenWithTheDefaultsAndStartsWindowed) {
    ScopedTempDir dir;
    LogCapture log;
    EXPECT_FALSE(readSettings());
    EXPECT_EQ(readFile("settings.ini"), "[window]\nfullscreen=0\nwidth=640\nheight=480\napple sfx=on\n");
    EXPECT_EQ(textures()->screenWidth, 640);
    EXPECT_EQ(textures()->screenHeight, 480);
    // The sound manager starts while the file is written, so its line comes first.
    EXPECT_EQ(log.text().rfind("[WubManager] ", 0), 0u) << log.text();
    // Nothing but the settings file is left behind.
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(".")) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST(SettingsTest, FreshFileRecordsTheSoundSwitchAsItStands) {
    ScopedTempDir dir;
    LogCapture log;
    WubManager::instance()->defaultVolume = 0;
    readSettings();
    EXPECT_NE(readFile("settings.ini").find("apple sfx=off\n"), std::string::npos);
}

TEST(SettingsTest, SizesAreHonouredUnderAnySectionOrNone) {
    EXPECT_FALSE(apply("width=800\n[other]\nheight=600\n"));
    EXPECT_EQ(textures()->screenWidth, 800);
    EXPECT_EQ(textures()->screenHeight, 600);
    apply("width=1024\nwidth=320\n");
    EXPECT_EQ(textures()->screenWidth, 320) << "the last value wins";
}

TEST(SettingsTest, KeysAndValuesAreComparedExactly) {
    apply("width = 800\nWidth=900\n width=901\n");
    EXPECT_EQ(textures()->screenWidth, 640);
    apply("width=abc\n");
    EXPECT_EQ(textures()->screenWidth, 1) << "no digits read as 0, stored as 1";
    apply("width= 1024px\n");
    EXPECT_EQ(textures()->screenWidth, 1024);
    apply("height=-5\n");
    EXPECT_EQ(textures()->screenHeight, -5) << "a negative size is stored as it is";
    EXPECT_FALSE(apply("fullscreen\n")) << "without '=' the whole line is key and value";
}

TEST(SettingsTest, SizesBeyondTheIntRangeSaturate) {
    apply("width=99999999999\nheight=-99999999999\n");
    EXPECT_EQ(textures()->screenWidth, INT_MAX);
    EXPECT_EQ(textures()->screenHeight, INT_MIN);
    apply("width=2147483647\nheight=-2147483648\n");
    EXPECT_EQ(textures()->screenWidth, INT_MAX);
    EXPECT_EQ(textures()->screenHeight, INT_MIN);
}

TEST(SettingsTest, FullscreenTakesOnlyTheSevenTruthWordsAndStaysOn) {
    for (const char* word : {"1", "true", "on", "yes", "TRUE", "ON", "YES"}) {
        EXPECT_TRUE(apply(std::string("fullscreen=") + word + "\n")) << word;
    }
    for (const char* word : {"True", "Yes", "On", "2", "", " on", "on "}) {
        EXPECT_FALSE(apply(std::string("fullscreen=") + word + "\n")) << '"' << word << '"';
    }
    EXPECT_TRUE(apply("fullscreen=1\nfullscreen=0\n"));
}

TEST(SettingsTest, SoundSwitchTakesOnlyTheSevenFalsehoodWords) {
    WubManager* sound = WubManager::instance();
    for (const char* word : {"0", "false", "off", "OFF", "Off", "no", "NO"}) {
        sound->defaultVolume = 0.05f;
        apply(std::string("apple sfx=") + word + "\n");
        EXPECT_EQ(sound->defaultVolume, 0.0f) << word;
    }
    for (const char* word : {"FALSE", "False", "No", "nO", "off "}) {
        sound->defaultVolume = 0.05f;
        apply(std::string("apple sfx=") + word + "\n");
        EXPECT_EQ(sound->defaultVolume, 0.05f) << word;
    }
}

// The music line is optional: a fresh file never holds it (see above), and reading it does
// not start the sound manager, whose start-up line keeps its place in the log.
TEST(SettingsTest, MusicLineSwitchesTheMusicOffQuietly) {
    LogCapture log;
    apply("music=on\nmusic=Music\n");
    EXPECT_TRUE(MusicPlayer::instance()->enabled());
    apply("[sound]\nmusic=off\n");
    EXPECT_FALSE(MusicPlayer::instance()->enabled());
    EXPECT_EQ(log.text(), "");
}

TEST(SettingsTest, CommentsBlanksHeadersAndCarriageReturnsAreHandled) {
    EXPECT_TRUE(apply(";width=100\n#width=200\n \n\n[window]\r\nfullscreen=yes\r\nwidth=720\r\n"));
    EXPECT_EQ(textures()->screenWidth, 720);
    apply("height=700\r");
    EXPECT_EQ(textures()->screenHeight, 700);
}

TEST(SettingsTest, ExistingFileIsReadAndNeverRewritten) {
    ScopedTempDir dir;
    LogCapture log;
    const std::string text = "[window]\nfullscreen=0\nwidth=800\nheight=600\n";
    writeFile("settings.ini", text);
    EXPECT_FALSE(readSettings());
    EXPECT_EQ(textures()->screenWidth, 800);
    EXPECT_EQ(readFile("settings.ini"), text);
    EXPECT_EQ(log.text(), "") << "no sound manager use, no error";
}

TEST(SettingsTest, UnreadableSettingsPathIsLeftAloneWithTheErrorLine) {
    ScopedTempDir dir;
    LogCapture log;
    std::filesystem::create_directory("settings.ini");
    writeFile("settings.ini/keep", "mine");
    EXPECT_FALSE(readSettings());
    EXPECT_EQ(log.text(), "ERROR: could not initialize settings.ini");
    EXPECT_TRUE(std::filesystem::is_directory("settings.ini"));
    EXPECT_EQ(readFile("settings.ini/keep"), "mine");
    EXPECT_EQ(textures()->screenWidth, 640);
}

TEST(SettingsTest, DanglingLinkIsNotReplaced) {
    ScopedTempDir dir;
    LogCapture log;
    std::filesystem::create_symlink("elsewhere/settings.ini", "settings.ini");
    EXPECT_FALSE(readSettings());
    EXPECT_EQ(log.text(), "ERROR: could not initialize settings.ini");
    EXPECT_TRUE(std::filesystem::is_symlink("settings.ini"));
}

TEST(SettingsTest, UnwritableFolderGivesTheErrorLineAndNoPartialFile) {
    ScopedTempDir dir;
    // Running as root ignores permissions, so the folder is made unusable another way:
    // the working directory is removed from under us.
    std::filesystem::create_directory("gone");
    std::filesystem::current_path("gone");
    std::filesystem::remove(std::filesystem::current_path());
    LogCapture log;
    EXPECT_FALSE(readSettings());
    EXPECT_EQ(log.text(), "ERROR: could not initialize settings.ini");
    std::filesystem::current_path(dir.path());
}

TEST(SettingsTest, ScaleAutoAndFitAreReadOnlyInTheirExactForms) {
    for (const char* line : {"scale=Auto\n", "scale=2\n", "scale = auto\n", "scale\n", "scale=Fit\n", "scale=fit \n"}) {
        apply(line);
        EXPECT_FALSE(ScreenMode::instance()->autoScale) << line;
        EXPECT_FALSE(ScreenMode::instance()->fitScale) << line;
    }
    apply("[window]\nscale=auto\n");
    EXPECT_TRUE(ScreenMode::instance()->autoScale);
    EXPECT_FALSE(ScreenMode::instance()->fitScale);
    apply("scale=fit\n");
    EXPECT_TRUE(ScreenMode::instance()->fitScale);
}

// A side outside 1..8192 gives a useless or enormous window; 0 was stored as 1, so the
// 640 x 480 fallback never applied.
TEST(SettingsTest, WindowSidesOutsideOneTo8192FallBackTo640x480WithOneLine) {
    const std::string why = " window; each side must be 1 to 8192, so it opens at 640x480\n";
    const std::pair<const char*, std::string> cases[] = {
        {"width=0\nheight=600\n", "[MAIN] settings.ini asks for a 0x600" + why},
        {"width=800\nheight=abc\n", "[MAIN] settings.ini asks for a 800x0" + why},
        {"width=100000\nheight=600\n", "[MAIN] settings.ini asks for a 100000x600" + why},
        {"width=-5\nheight=8193\n", "[MAIN] settings.ini asks for a -5x8193" + why},
    };
    for (const auto& [text, line] : cases) {
        SCOPED_TRACE(text);
        ScopedTempDir dir;
        writeFile("settings.ini", text);
        LogCapture log;
        readSettings();
        EXPECT_EQ(log.text(), line);
        EXPECT_EQ(textures()->screenWidth, 640);
        EXPECT_EQ(textures()->screenHeight, 480);
    }
    ScopedTempDir dir;
    writeFile("settings.ini", "width=8192\nheight=1\n");
    LogCapture log;
    readSettings();
    EXPECT_EQ(log.text(), "");
    EXPECT_EQ(textures()->screenWidth, 8192);
    EXPECT_EQ(textures()->screenHeight, 1);
}

TEST(SettingsTest, TemporariesOfAStartCutOffAreRemovedAndOtherFilesKept) {
    ScopedTempDir dir;
    const std::string fresh = "[window]\nfullscreen=0\nwidth=640\nheight=480\napple sfx=on\n";
    writeFile("settings.ini.Ab12Cd", fresh.substr(0, 20));
    writeFile("settings.ini.ZZ99zz", "");
    writeFile("settings.ini.backup", "[window]\nwidth=800\n");
    writeFile("settings.ini.XYZ", "");
    writeFile("settings.ini.Qq0Qq0", fresh + "scale=auto\n");
    // Another start writing its temporary right now holds it locked.
    const int held = open("settings.ini.Lock3d", O_RDWR | O_CREAT, 0644);
    ASSERT_GE(held, 0);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    LogCapture log;
    readSettings();
    close(held);
    EXPECT_FALSE(testsupport::fileExists("settings.ini.Ab12Cd"));
    EXPECT_FALSE(testsupport::fileExists("settings.ini.ZZ99zz"));
    for (const char* kept : {"settings.ini.backup", "settings.ini.XYZ", "settings.ini.Qq0Qq0", "settings.ini.Lock3d"}) {
        EXPECT_TRUE(testsupport::fileExists(kept)) << kept;
    }
    EXPECT_NE(log.text().find("[MAIN] removed settings.ini.Ab12Cd, left by a start that was cut off\n"),
              std::string::npos)
        << log.text();
    EXPECT_EQ(readFile("settings.ini"), fresh);
}

TEST(SettingsTest, AssistAndTimerLinesSlowThePaceOnlyWithinTheirRange) {
    PlayOptions& options = PlayOptions::instance();
    const PlayOptions before = options;
    EXPECT_EQ(options.tickMilliseconds(), 16u) << "without the lines the tick is the designed one";
    {
        LogCapture log;
        apply("speed=50\njump grace=on\ntimer=on\n");
        EXPECT_EQ(options.tickMilliseconds(), 32u) << "100 ticks take 3.2 s";
        EXPECT_TRUE(options.jumpGrace);
        EXPECT_TRUE(options.showTimer);
        apply("speed=75\n");
        EXPECT_EQ(options.tickMilliseconds(), 21u);
        EXPECT_EQ(log.text(), "");
    }
    for (const char* bad : {"speed=49", "speed=101", "speed= 80", "speed=80%", "speed="}) {
        options.speedPercent = 60;
        LogCapture log;
        apply(std::string(bad) + "\n");
        EXPECT_EQ(options.speedPercent, 100) << bad;
        EXPECT_EQ(log.text(), "[MAIN] settings.ini: " + std::string(bad) +
                                  " is not a percentage from 50 to 100; playing at full speed\n");
    }
    options.jumpGrace = false;
    apply("jump grace=On\njump grace=off\n");
    EXPECT_FALSE(options.jumpGrace) << "only the truth words switch it on";
    options = before;
}
