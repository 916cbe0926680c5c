#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CommandLine.h"

namespace {

InformationRequest find(std::vector<const char*> args) {
    return findInformationRequest(static_cast<int>(args.size()), args.data());
}

}  // namespace

TEST(CommandLineTest, HelpAndVersionAreFoundAmongToolkitOptionsAndTheFirstWins) {
    EXPECT_EQ(find({"vantorel"}), InformationRequest::None);
    EXPECT_EQ(find({"vantorel", "-display", ":3", "-geometry", "800x600"}), InformationRequest::None);
    EXPECT_EQ(find({"vantorel", "-display", ":3", "--version"}), InformationRequest::Version);
    EXPECT_EQ(find({"vantorel", "--help", "--version"}), InformationRequest::Help);
    EXPECT_EQ(find({"vantorel", "--version", "--help"}), InformationRequest::Version);
    // Only whole arguments count, and never the program's own name.
    EXPECT_EQ(find({"--help", "--helpful", "-help", "--version=2"}), InformationRequest::None);
}

TEST(CommandLineTest, LevelOptionTakesTheNextArgumentOrItsJoinedValueAndLeavesTheToolkitItsOwn) {
    auto level = [](std::vector<const char*> args) {
        return findLevelRequest(static_cast<int>(args.size()), args.data());
    };
    EXPECT_FALSE(level({"vantorel", "-display", ":3"}).asked);
    const LevelRequest spaced = level({"vantorel", "-geometry", "800x600", "--level", "my levels/a.level"});
    EXPECT_TRUE(spaced.asked);
    EXPECT_EQ(spaced.path, "my levels/a.level");
    EXPECT_EQ(spaced.problem, "");
    EXPECT_EQ(level({"vantorel", "--level=/tmp/b.level"}).path, "/tmp/b.level");
    EXPECT_EQ(level({"vantorel", "--level"}).problem, "--level needs a level file");
    EXPECT_EQ(level({"vantorel", "--level="}).problem, "--level needs a level file");
    EXPECT_EQ(level({"vantorel", "--level", "a", "--level=b"}).problem, "--level is given more than once");
    EXPECT_FALSE(level({"vantorel", "--levels", "a"}).asked);

    std::vector<std::string> words{"vantorel", "--level", "a.level", "-display", ":3", "--level=b", "--help", "x"};
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    const int count = removeGameOptions(static_cast<int>(words.size()), argv.data());
    ASSERT_EQ(count, 4);
    EXPECT_STREQ(argv[0], "vantorel");
    EXPECT_STREQ(argv[1], "-display");
    EXPECT_STREQ(argv[2], ":3");
    EXPECT_STREQ(argv[3], "x");
    EXPECT_EQ(argv[4], nullptr);
}

TEST(CommandLineTest, EditOptionNamesItsFileApartFromTheLevelOptionAndIsTakenFromTheToolkit) {
    auto edit = [](std::vector<const char*> args) {
        return findEditRequest(static_cast<int>(args.size()), args.data());
    };
    EXPECT_EQ(edit({"vantorel", "--level", "a.level", "--edit", "b.level"}).path, "b.level");
    EXPECT_EQ(edit({"vantorel", "--edit=new one.level"}).path, "new one.level");
    EXPECT_FALSE(edit({"vantorel", "--level", "a.level"}).asked);
    EXPECT_EQ(edit({"vantorel", "--edit"}).problem, "--edit needs a level file");
    EXPECT_EQ(edit({"vantorel", "--edit", "a", "--edit", "b"}).problem, "--edit is given more than once");

    std::vector<std::string> words{"vantorel", "--edit", "a.level", "-display", ":3", "--edit=b"};
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    ASSERT_EQ(removeGameOptions(static_cast<int>(words.size()), argv.data()), 3);
    EXPECT_STREQ(argv[1], "-display");
    EXPECT_STREQ(argv[2], ":3");
}
