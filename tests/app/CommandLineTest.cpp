#include <gtest/gtest.h>

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
