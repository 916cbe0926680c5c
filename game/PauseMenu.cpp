#include "game/PauseMenu.h"

#include "core/GameUnits.h"
#include "game/PixelText.h"

namespace {

const int signHalfHeight = 21;  // half the "PAUSED" sign's letters, logical pixels
const int nameScale = 3;
const int nameGap = 36;  // from the sign's top up to the name's bottom
const int timeScale = 2;
const int timeGap = 16;  // from the sign's bottom down to the times
const int choiceScale = 3;
const int choicesTop = 76;  // from the view's centre down to the first choice
const int choiceStep = 30;
const int choiceMargin = 4;  // pointer slack around a choice's letters
const char* const marker = "> ";

const pixeltext::Colour ink{0.98f, 0.88f, 0.55f, 1.0f};
const pixeltext::Colour plain{0.85f, 0.85f, 0.92f, 1.0f};
const pixeltext::Colour litInk{1.0f, 0.75f, 0.2f, 1.0f};
const pixeltext::Colour shadow{0.08f, 0.06f, 0.16f, 1.0f};

const char* const labels[] = {"Resume", "Restart level", "Title menu"};
const PauseMenu::Choice choices[] = {PauseMenu::Choice::Resume, PauseMenu::Choice::Restart, PauseMenu::Choice::Title};
const int choiceCount = 3;

int indexOf(PauseMenu::Choice choice) {
    for (int i = 0; i < choiceCount; ++i) {
        if (choices[i] == choice) {
            return i;
        }
    }
    return -1;
}

void centred(const std::string& text, Bounds view, int64_t top, int scale, pixeltext::Colour colour) {
    const int64_t left = int64_t{view.x} + view.w / 2 - pixeltext::width(text, scale) / 2;
    pixeltext::draw(text, left, top, scale, colour, shadow);
}

}  // namespace

void PauseMenu::step(bool down) {
    const int at = indexOf(lit);
    if (at < 0) {
        lit = Choice::Resume;
        return;
    }
    const int next = down ? at + 1 : at - 1;
    if (next >= 0 && next < choiceCount) {
        lit = choices[next];
    }
}

Bounds PauseMenu::choiceBox(Bounds view, int index) {
    const int64_t w = pixeltext::width(std::string(marker) + labels[index], choiceScale);
    const int64_t left = int64_t{view.x} + view.w / 2 - w / 2;
    const int64_t top = int64_t{view.y} + view.h / 2 + choicesTop + int64_t{index} * choiceStep;
    return Bounds{static_cast<int32_t>(left - choiceMargin), static_cast<int32_t>(top - choiceMargin),
                  static_cast<int32_t>(w + 2 * choiceMargin),
                  static_cast<int32_t>(pixeltext::height(choiceScale) + 2 * choiceMargin)};
}

PauseMenu::Choice PauseMenu::point(Bounds view, int x, int y) {
    for (int i = 0; i < choiceCount; ++i) {
        const Bounds box = choiceBox(view, i);
        if (x >= box.x && y >= box.y && int64_t{x} < int64_t{box.x} + box.w && int64_t{y} < int64_t{box.y} + box.h) {
            lit = choices[i];
            return lit;
        }
    }
    return Choice::None;
}

void PauseMenu::draw(Bounds view, const Shown& shown) const {
    const int64_t middle = int64_t{view.y} + view.h / 2;
    if (!shown.levelName.empty()) {
        centred(shown.levelName, view, middle - signHalfHeight - nameGap - pixeltext::height(nameScale), nameScale,
                ink);
    }
    std::string times = "Time " + pixeltext::clock(shown.ticks, units::kTickMilliseconds);
    times += "   Best " + (shown.bestTicks < 0 ? std::string("-:--.--")
                                               : pixeltext::clock(shown.bestTicks, units::kTickMilliseconds));
    centred(times, view, middle + signHalfHeight + timeGap, timeScale, ink);
    for (int i = 0; i < choiceCount; ++i) {
        const bool on = choices[i] == lit;
        const std::string label = (on ? std::string(marker) : std::string("  ")) + labels[i];
        const Bounds box = choiceBox(view, i);
        pixeltext::draw(label, int64_t{box.x} + choiceMargin, int64_t{box.y} + choiceMargin, choiceScale,
                        on ? litInk : plain, shadow);
    }
}
