#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/EventDispatch.h"
#include "app/SharedState.h"
#include "app/StateLoopIFC.h"
#include "graphics/TextureManager.h"
#include "support/GlContext.h"
#include "support/TestFiles.h"

using testsupport::LogCapture;

namespace {

// A state that records what reaches it and throws on demand.
class RecordingState : public StateLoopIFC {
public:
    explicit RecordingState(SharedState* s) { shared = s; }
    void display() override { record("display"); }
    void update(int value) override {
        ++updates;
        record("update " + std::to_string(value));
        if (onUpdate) {
            onUpdate();
        }
    }
    void mouseButton(int b, int s, int x, int y) override {
        record("mouseButton " + std::to_string(b) + " " + std::to_string(s) + " " + std::to_string(x) + " " +
               std::to_string(y));
    }
    void clickDrag(int x, int y) override { record("clickDrag " + std::to_string(x) + " " + std::to_string(y)); }
    void mouseMove(int x, int y) override { record("mouseMove " + std::to_string(x) + " " + std::to_string(y)); }
    void reshape(int w, int h) override { record("reshape " + std::to_string(w) + " " + std::to_string(h)); }
    void key(int k, int, int) override { record("key " + std::to_string(k)); }
    void specialUp(int k, int, int) override { record("specialUp " + std::to_string(k)); }
    void specialDown(int k, int, int) override { record("specialDown " + std::to_string(k)); }

    void record(const std::string& event) {
        events.push_back(event);
        if (throwing) {
            throw std::runtime_error("boom");
        }
    }

    std::vector<std::string> events;
    bool throwing = false;
    int updates = 0;
    std::function<void()> onUpdate;
};

// A state that keeps every default but update.
class PlainState : public StateLoopIFC {
public:
    explicit PlainState(SharedState* s) { shared = s; }
    void update(int) override {}
};

class EventDispatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::ensureGlContext();
        sharedState = &shared;
        activeState = &state;
    }
    void TearDown() override {
        activeState = nullptr;
        sharedState = nullptr;
    }
    SharedState shared;
    RecordingState state{&shared};
};

}  // namespace

TEST_F(EventDispatchTest, EveryCallbackForwardsToTheActiveState) {
    reshapeCallback(320, 200);
    displayCallback();
    keyCallback(200, 1, 2);
    specialDownCallback(GLUT_KEY_LEFT, 0, 0);
    specialUpCallback(GLUT_KEY_LEFT, 0, 0);
    mouseButtonCallback(GLUT_RIGHT_BUTTON, GLUT_DOWN, 5, 6);
    clickDragCallback(7, 8);
    mouseMoveCallback(9, 10);
    EXPECT_EQ(state.events,
              (std::vector<std::string>{"reshape 320 200", "display", "key 200", "specialDown 100", "specialUp 100",
                                        "mouseButton 2 0 5 6", "clickDrag 7 8", "mouseMove 9 10"}));
}

TEST_F(EventDispatchTest, ExceptionsAreLoggedWithTheLabelAndTheStateName) {
    state.throwing = true;
    shared.state = CONTINUE;
    LogCapture log;
    reshapeCallback(10, 10);
    displayCallback();
    keyCallback('q', 0, 0);
    specialDownCallback(1, 0, 0);
    specialUpCallback(1, 0, 0);
    mouseButtonCallback(0, 0, 0, 0);
    clickDragCallback(0, 0);
    mouseMoveCallback(0, 0);
    updateCallback(0);
    EXPECT_EQ(log.text(),
              "CAUGHT AN ERROR IN RESHAPE : CONTINUE\n"
              "CAUGHT AN ERROR IN DISPLAY: CONTINUE\n"
              "CAUGHT AN ERROR IN KEY : CONTINUE\n"
              "CAUGHT AN ERROR IN SPECIALDOWN : CONTINUE\n"
              "CAUGHT AN ERROR IN SPECIALUP : CONTINUE\n"
              "CAUGHT AN ERROR IN MOUSEBUTTON : CONTINUE\n"
              "CAUGHT AN ERROR IN CLICKDRAG : CONTINUE\n"
              "CAUGHT AN ERROR IN MOUSEMOVE : CONTINUE\n"
              "CAUGHT AN ERROR IN UPDATE : CONTINUE\n");
    log.clear();
    shared.state = WIN;
    keyCallback('q', 0, 0);
    EXPECT_EQ(log.text(), "CAUGHT AN ERROR IN KEY : UNKNOWN STATE\n");
}

TEST_F(EventDispatchTest, BoundKeysArriveAsTheGameKeysAndAnArrowHeldTwiceIsLetGoOnce) {
    keyCallback('a', 0, 0);
    keyUpCallback('A', 0, 0);
    keyCallback('w', 0, 0);
    keyUpCallback('w', 0, 0);
    keyUpCallback('q', 0, 0);
    keyCallback('P', 0, 0);
    // Left from the arrow key, from A and from a pad: released when the last lets go.
    specialDownCallback(GLUT_KEY_LEFT, 0, 0);
    keyCallback('a', 0, 0);
    deliverPadEvents({{7, {KeyEvent::Kind::SpecialDown, GLUT_KEY_LEFT}}});
    specialUpCallback(GLUT_KEY_LEFT, 0, 0);
    keyUpCallback('a', 0, 0);
    deliverPadEvents({{7, {KeyEvent::Kind::SpecialUp, GLUT_KEY_LEFT}}});
    specialUpCallback(GLUT_KEY_RIGHT, 0, 0);
    EXPECT_EQ(state.events,
              (std::vector<std::string>{"specialDown 100", "specialUp 100", "key 32", "key 80", "specialDown 100",
                                        "specialDown 100", "specialDown 100", "specialUp 100", "specialUp 102"}));
}

TEST_F(EventDispatchTest, ReshapeToNothingUsesOnePixel) {
    reshapeCallback(0, -3);
    EXPECT_EQ(TextureManager::instance()->screenWidth, 1);
    EXPECT_EQ(TextureManager::instance()->screenHeight, 1);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 1);
    EXPECT_EQ(viewport[3], 1);
    EXPECT_EQ(state.events, (std::vector<std::string>{"reshape 1 1"}));
}

TEST_F(EventDispatchTest, TicksRunUntilTheStateChangesAndOutliveAThrowingUpdate) {
    registerCallbacks();
    state.onUpdate = [this] {
        if (state.updates == 3) {
            shared.state = QUIT;
        }
    };
    runUntilStateChanges();
    EXPECT_EQ(state.updates, 3);

    // The fourth tick throws once; the clock goes on and the sixth tick ends the run.
    state.onUpdate = [this] {
        if (state.updates == 4) {
            throw std::runtime_error("tick");
        }
        if (state.updates == 6) {
            shared.state = QUIT;
        }
    };
    shared.state = MENU;
    LogCapture log;
    runUntilStateChanges();
    EXPECT_EQ(state.updates, 6);
    EXPECT_EQ(log.text(), "CAUGHT AN ERROR IN UPDATE : MENU\n");
}

TEST_F(EventDispatchTest, RunUntilStateChangesRunsAtLeastOnePass) {
    registerCallbacks();
    state.onUpdate = [this] { shared.state = NEWGAME; };
    runUntilStateChanges();
    EXPECT_EQ(state.updates, 1);
}

TEST(StateLoopIFCTest, DefaultArrowHandlersSetAndClearTheSharedFlags) {
    SharedState shared;
    PlainState state(&shared);
    state.specialDown(GLUT_KEY_LEFT, 0, 0);
    state.specialDown(GLUT_KEY_UP, 0, 0);
    EXPECT_TRUE(shared.left);
    EXPECT_TRUE(shared.up);
    EXPECT_FALSE(shared.right);
    EXPECT_FALSE(shared.down);
    state.specialDown(GLUT_KEY_RIGHT, 0, 0);
    state.specialDown(GLUT_KEY_DOWN, 0, 0);
    state.specialUp(GLUT_KEY_LEFT, 0, 0);
    state.specialDown(GLUT_KEY_F1, 0, 0);
    EXPECT_FALSE(shared.left);
    EXPECT_TRUE(shared.up);
    EXPECT_TRUE(shared.right);
    EXPECT_TRUE(shared.down);
}

TEST(StateLoopIFCTest, DefaultAssumeControlNamesAnUnknownActor) {
    SharedState shared;
    PlainState state(&shared);
    StateLoopIFC* active = nullptr;
    LogCapture log;
    state.assumeControl(&active);
    EXPECT_EQ(active, &state);
    EXPECT_EQ(log.text(), "--- UNKOWN ACTOR IS ASSUMING CONRTOL OF GLUT MAIN LOOP ---\n");
}

TEST(StateLoopIFCTest, EscapeEndsTheProcessOtherKeysDoNot) {
    SharedState shared;
    PlainState state(&shared);
    state.key('q', 0, 0);
    state.key(0, 0, 0);
    EXPECT_EXIT(state.key(27, 0, 0), ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(state.key(27 + 256, 0, 0), ::testing::ExitedWithCode(0), "") << "only the low byte counts";
}

TEST(SharedStateTest, StartsInTheMenuWithNoArrowHeldAndNamesItsStates) {
    SharedState shared;
    EXPECT_EQ(shared.state, MENU);
    EXPECT_FALSE(shared.up || shared.down || shared.left || shared.right);
    const std::vector<std::pair<int, std::string>> names = {{0, "MENU"},          {1, "NEWGAME"}, {2, "CONTINUE"},
                                                            {3, "UNKNOWN STATE"}, {4, "QUIT"},    {5, "UNKNOWN STATE"},
                                                            {-1, "UNKNOWN STATE"}};
    for (const auto& [value, name] : names) {
        shared.state = value;
        EXPECT_EQ(stateName(shared), name);
    }
}
