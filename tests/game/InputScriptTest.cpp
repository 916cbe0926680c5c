#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/StateLoopIFC.h"
#include "game/InputScript.h"

namespace {

class KeyRecorder : public StateLoopIFC {
public:
    void update(int) override {}
    void key(int k, int, int) override { seen.push_back("key " + std::to_string(k)); }
    void specialDown(int k, int, int) override { seen.push_back("down " + std::to_string(k)); }
    void specialUp(int k, int, int) override { seen.push_back("up " + std::to_string(k)); }
    std::vector<std::string> seen;
};

bool parse(const std::string& text, InputScript& script, std::string& error) {
    std::istringstream in(text);
    return script.parse(in, error);
}

}  // namespace

TEST(InputScriptTest, EventsReachTheStateOnTheirTickAsTheWindowSystemSendsThem) {
    InputScript script;
    std::string error;
    ASSERT_TRUE(parse("; a comment\n1 down right\r\n\n3 press space ; jump\n3 up right\n4 down left\n9 press escape\n",
                      script, error))
        << error;
    KeyRecorder state;
    for (int tick = 1; tick <= 10; ++tick) {
        script.apply(tick, state);
        state.seen.push_back("tick " + std::to_string(tick));
    }
    EXPECT_EQ(state.seen, (std::vector<std::string>{"down 102", "tick 1", "tick 2", "key 32", "up 102", "tick 3",
                                                    "down 100", "tick 4", "tick 5", "tick 6", "tick 7", "tick 8",
                                                    "key 27", "tick 9", "tick 10"}));
    EXPECT_EQ(script.lastTick(), 9);
    EXPECT_EQ(script.text(), "1 down right\n3 press space\n3 up right\n4 down left\n9 press escape\n");
}

TEST(InputScriptTest, LinesThatAreNotEventsAreRefusedWithTheirLineNumber) {
    const std::vector<std::pair<std::string, std::string>> bad = {{"0 down right\n", "line 2"},
                                                                  {"-1 down right\n", "line 2"},
                                                                  {"x down right\n", "line 2"},
                                                                  {"1 hold right\n", "line 2"},
                                                                  {"1 down space\n", "line 2"},
                                                                  {"1 press right\n", "line 2"},
                                                                  {"1 down right left\n", "line 2"},
                                                                  {"1\n", "line 2"},
                                                                  {"2 down right\n1 up right\n", "line 3"}};
    for (const auto& [text, where] : bad) {
        InputScript script;
        std::string error;
        EXPECT_FALSE(parse("; first\n" + text, script, error)) << text;
        EXPECT_EQ(error.rfind(where + ":", 0), 0u) << text << " -> " << error;
    }
}
