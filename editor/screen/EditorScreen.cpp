#include "editor/screen/EditorScreen.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <sstream>

#include "app/ScreenMode.h"
#include "core/SaturatingMath.h"
#include "core/TextInput.h"
#include "editor/BoxHandles.h"
#include "editor/FloatHandles.h"
#include "editor/screen/EditorDrawing.h"
#include "game/Game.h"
#include "game/PixelText.h"
#include "graphics/Decoration.h"
#include "graphics/Image.h"
#include "graphics/TextureManager.h"
#include "level/Level.h"
#include "level/LevelFormat.h"
#include "objects/Trap.h"
#include "sound/WubManager.h"
#include "sound/irrKlang.h"

namespace {

const char* const gameFolder = ".";
const char* const spritesFolder = "sprites";
const char* const editorTag = "[EDITOR] ";

// The player's box, as the start shows it; the play from the pointer stands it on the pointer.
const int playerWidth = 34;
const int playerHeight = 46;

const int wheelUp = 3;
const int wheelDown = 4;
const int wheelLeft = 5;
const int wheelRight = 6;

const int statusScale = 2;
const int statusPadding = 4;
const int markSize = 8;
const int selectionThickness = 2;
// Window pixels either side of a float handle's middle, drawn inside its reach.
const int handleHalf = floathandles::kGrab - 1;
// Far enough that everything in the level counts as in view: the editor shows scenery where
// the file puts it, without parallax.
const int32_t wholeLevel = 1 << 30;

using editordrawing::Colour;
const Colour selectionColour{1.0f, 1.0f, 1.0f, 1.0f};
const Colour startColour{0.2f, 1.0f, 0.3f, 1.0f};
const Colour startFill{0.2f, 1.0f, 0.3f, 0.25f};
const Colour boxColour{0.6f, 0.8f, 1.0f, 0.5f};
const Colour floatColour{1.0f, 0.4f, 0.4f, 0.6f};
const Colour floatHandleColour{1.0f, 0.4f, 0.4f, 1.0f};
const Colour levelEdgeColour{0.5f, 0.5f, 0.5f, 0.8f};
const Colour errorColour{1.0f, 0.1f, 0.1f, 1.0f};
const Colour warningColour{1.0f, 0.85f, 0.1f, 1.0f};
const Colour statusBack{0.0f, 0.0f, 0.0f, 0.8f};
const Colour ink{1.0f, 1.0f, 1.0f, 1.0f};
const Colour noShadow{0.0f, 0.0f, 0.0f, 0.0f};
const Colour paletteBack{0.05f, 0.05f, 0.1f, 0.92f};
const Colour cellBack{0.25f, 0.25f, 0.3f, 1.0f};

const char* const flipWords[] = {"flip", "mirror", "flipped", nullptr};
const char* const onlyItself[] = {nullptr};
const char* const floatKeys[] = {"xfloating", "yfloating"};

std::string valueOf(const EditObject& object, const std::string& key) {
    std::string value;
    for (const auto& entry : object.keys) {
        if (entry.first == key) {
            value = entry.second;
        }
    }
    return value;
}

bool has(const EditObject& object, const std::string& key) {
    for (const auto& entry : object.keys) {
        if (entry.first == key) {
            return true;
        }
    }
    return false;
}

const char* kindName(EditKind kind) {
    switch (kind) {
    case EditKind::Start:
        return "start";
    case EditKind::Goal:
        return "goal";
    case EditKind::Platform:
        return "platform";
    case EditKind::Trap:
        return "trap";
    case EditKind::Decoration:
        return "decoration";
    case EditKind::Checkpoint:
        return "checkpoint";
    }
    return "object";
}

// A trap's float as the game reads it; 0 when the section has none.
int floatOf(const EditObject& object, const char* key) {
    return has(object, key) ? parseInt(valueOf(object, key)) : 0;
}

const char* floatKey(floathandles::Handle handle) {
    return floatKeys[handle == floathandles::Handle::Horizontal ? 0 : 1];
}

Bounds boxOf(const EditObject& object) {
    return Bounds{object.x, object.y, object.w, object.h};
}

// Rebuilding the drawn level after every edit would write the whole level's loading lines each
// time; the log keeps what the author did instead.
class QuietLog {
public:
    QuietLog() : saved(std::cout.rdbuf(sink.rdbuf())) {}
    ~QuietLog() { std::cout.rdbuf(saved); }
    QuietLog(const QuietLog&) = delete;
    QuietLog& operator=(const QuietLog&) = delete;

private:
    std::ostringstream sink;
    std::streambuf* saved;
};

}  // namespace

EditorScreen::EditorScreen(SharedState* sharedState, Game* playing)
    : game(playing), screen(TextureManager::instance()) {
    shared = sharedState;
}

EditorScreen::~EditorScreen() {
    delete level;
}

bool EditorScreen::open(const std::string& path) {
    // A level left with unsaved changes (F2 elsewhere, then F2 on it again) is taken up as it was.
    auto known = levels.find(path);
    if (known != levels.end() && known->second->unsaved()) {
        edited = known->second.get();
        std::cout << editorTag << "editing " << path << " again, with its unsaved changes\n";
    } else {
        std::string why;
        std::error_code ec;
        const bool isNew = !std::filesystem::exists(path, ec);
        auto model = std::make_unique<EditorModel>();
        if (!model->open(gameFolder, path, why)) {
            std::cout << editorTag << "cannot edit " << path << ": " << why << "\n";
            return false;
        }
        std::cout << editorTag << "editing " << path << (isNew ? " (a new level)" : "") << "\n";
        edited = model.get();
        levels[path] = std::move(model);
    }
    view = EditorView();
    select(-1);
    drag = Drag();
    message.clear();
    quitAsked = false;
    paletteShown = false;
    palette.scan(spritesFolder);
    levelStale = true;
    shared->state = EDIT;
    return true;
}

void EditorScreen::editLevel(const std::string& path, Bounds shownView) {
    if (edited != nullptr && edited->path() == path) {
        shared->state = EDIT;
    } else if (!open(path)) {
        return;
    }
    view = EditorView(shownView.x, shownView.y);
}

bool EditorScreen::anyUnsaved() const {
    for (const auto& entry : levels) {
        if (entry.second->unsaved()) return true;
    }
    return false;
}

void EditorScreen::assumeControl(StateLoopIFC** active) {
    std::cout << "--- EDITOR IS ASSUMING CONRTOL OF GLUT MAIN LOOP ---\n";
    *active = this;
    // The editor lays itself out in the whole window, at no scale.
    ScreenMode::instance()->refresh();
    // Keys held when play ended are not held here.
    altHeld = false;
    drag = Drag();
    if (edited != nullptr && (levelStale || level == nullptr)) {
        rebuildLevel();
    }
    reshape(screen->screenWidth, screen->screenHeight);
}

void EditorScreen::reshape(int, int) {
    if (level != nullptr) {
        view.keepLevelInSight(level->width, level->height, screen->screenWidth, screen->screenHeight);
    }
}

void EditorScreen::update(int) {
    glutPostRedisplay();
}

editorkeys::Press EditorScreen::pressOf(bool special, int code) const {
    const int modifiers = glutGetModifiers();
    editorkeys::Press press;
    press.special = special;
    press.code = code;
    press.shift = (modifiers & GLUT_ACTIVE_SHIFT) != 0;
    press.ctrl = (modifiers & GLUT_ACTIVE_CTRL) != 0;
    press.alt = (modifiers & GLUT_ACTIVE_ALT) != 0;
    return press;
}

void EditorScreen::key(int key, int, int) {
    act(editorkeys::actionFor(pressOf(false, key & 0xFF)));
}

// The pointer's motion carries no modifiers: Alt's own events tell whether a drag snaps.
void EditorScreen::specialDown(int key, int, int) {
    if (key == GLUT_KEY_ALT_L || key == GLUT_KEY_ALT_R) {
        altHeld = true;
        return;
    }
    act(editorkeys::actionFor(pressOf(true, key)));
}

void EditorScreen::specialUp(int key, int, int) {
    if (key == GLUT_KEY_ALT_L || key == GLUT_KEY_ALT_R) {
        altHeld = false;
    }
}

void EditorScreen::act(const editorkeys::Action& action) {
    using editorkeys::Command;
    if (action.command == Command::None || edited == nullptr) {
        return;
    }
    // A key ends a drag: what it does is a step of its own.
    endDrag();
    if (action.command != Command::Back) {
        quitAsked = false;
    }
    message.clear();
    switch (action.command) {
    case Command::Undo:
        if (edited->undo()) changed();
        break;
    case Command::Redo:
        if (edited->redo()) changed();
        break;
    case Command::Save:
        save();
        break;
    case Command::PlayFromStart:
        play(false);
        break;
    case Command::PlayFromPointer:
        play(true);
        break;
    case Command::Leave:
        leave();
        break;
    case Command::Palette:
        paletteShown = !paletteShown;
        if (paletteShown) {
            palette.scan(spritesFolder);
        }
        break;
    case Command::Choose:
        palette.chooseKind(action.amount);
        break;
    case Command::Back:
        if (paletteShown) {
            paletteShown = false;
        } else if (palette.chosen >= 0) {
            palette.chosen = -1;
        } else {
            askToQuit();
        }
        break;
    default:
        actOnSelection(action);
        break;
    }
}

void EditorScreen::actOnSelection(const editorkeys::Action& action) {
    using editorkeys::Command;
    const EditObject* object = selection();
    if (object == nullptr) {
        return;
    }
    switch (action.command) {
    case Command::Nudge:
        edited->moveBy(selected, action.dx, action.dy);
        changed();
        break;
    case Command::Depth:
        if (object->kind == EditKind::Decoration) {
            step("z", action.amount, 0, INT32_MIN);
        }
        break;
    case Command::Flip:
        if (object->kind == EditKind::Decoration || object->kind == EditKind::Platform) {
            toggle("flip", flipWords);
        }
        break;
    case Command::Floating:
        if (object->kind == EditKind::Decoration) toggle("floating", onlyItself);
        break;
    case Command::Still:
        if (object->kind == EditKind::Decoration) toggle("still", onlyItself);
        break;
    case Command::Partition:
        if (object->kind == EditKind::Trap || object->kind == EditKind::Checkpoint) {
            step("partition", action.amount, 1, 1);
        }
        break;
    case Command::FloatWidth:
        if (object->kind == EditKind::Trap) stepFloat("xfloating", action.amount);
        break;
    case Command::FloatHeight:
        if (object->kind == EditKind::Trap) stepFloat("yfloating", action.amount);
        break;
    case Command::Remove:
        edited->remove(selected);
        select(-1);
        changed();
        break;
    case Command::Duplicate: {
        const int copy = edited->duplicate(selected);
        if (copy >= 0) {
            select(copy);
        }
        changed();
        break;
    }
    default:
        break;
    }
}

// A switch key on or off: off removes it and every key that means the same.
void EditorScreen::toggle(const char* key, const char* const* alsoMeaning) {
    const EditObject& object = *selection();
    bool on = has(object, key);
    for (const char* const* other = alsoMeaning; *other != nullptr; ++other) {
        on = on || has(object, *other);
    }
    if (!on) {
        edited->setKey(selected, key, "yes");
    } else {
        edited->setKey(selected, key, "");
        for (const char* const* other = alsoMeaning; *other != nullptr; ++other) {
            reselect();
            if (selected >= 0 && has(edited->objects()[selected], *other)) {
                edited->setKey(selected, *other, "");
            }
        }
    }
    changed();
}

// A number key stepped by `by` from what it is (`absent` when the section lacks it), never below
// smallest.
void EditorScreen::step(const char* key, int by, int absent, int smallest) {
    const EditObject& object = *selection();
    const int64_t now = has(object, key) ? parseInt(valueOf(object, key)) : absent;
    const int64_t next = std::clamp<int64_t>(now + by, smallest, INT32_MAX);
    edited->setKey(selected, key, std::to_string(next));
    changed();
}

// The X and Y keys: the float wider or narrower on the side it swings to; none removes the line.
void EditorScreen::stepFloat(const char* key, int by) {
    setFloat(key, floathandles::stepped(floatOf(*selection(), key), by), false);
    changed();
}

// Keys and handles write a float alike; a drag keeps a 0 on its line until it ends, so a float
// dragged through the centre and out again stays where the file had it.
void EditorScreen::setFloat(const char* key, int value, bool keepZero) {
    edited->setKey(selected, key, value == 0 && !keepZero ? std::string() : std::to_string(value));
}

// After every change: the level is drawn anew and the selection found again.
void EditorScreen::changed() {
    levelStale = true;
    reselect();
}

void EditorScreen::select(int object) {
    const std::vector<EditObject>& objects = edited->objects();
    if (object < 0 || object >= static_cast<int>(objects.size())) {
        selected = -1;
        selectedSection = -1;
        return;
    }
    selected = object;
    selectedKind = objects[object].kind;
    selectedSection = objects[object].section;
}

// Indices change with the objects; the section and kind name the same object again.
void EditorScreen::reselect() {
    const std::vector<EditObject>& objects = edited->objects();
    if (selected >= 0 && selected < static_cast<int>(objects.size()) && objects[selected].kind == selectedKind &&
        objects[selected].section == selectedSection) {
        return;
    }
    selected = -1;
    if (selectedSection < 0) {
        return;
    }
    for (size_t i = 0; i < objects.size(); ++i) {
        if (objects[i].kind == selectedKind && objects[i].section == selectedSection) {
            selected = static_cast<int>(i);
            return;
        }
    }
    selectedSection = -1;
}

const EditObject* EditorScreen::selection() const {
    const std::vector<EditObject>& objects = edited->objects();
    return selected >= 0 && selected < static_cast<int>(objects.size()) ? &objects[selected] : nullptr;
}

void EditorScreen::save() {
    std::string why;
    if (edited->save(why)) {
        std::cout << editorTag << "saved " << edited->path() << "\n";
        message = "saved " + edited->path();
    } else {
        std::cout << editorTag << "could not save " << edited->path() << ": " << why << "\n";
        message = "could not save: " + why;
    }
}

void EditorScreen::play(bool fromPointer) {
    Game::EditorPlay how;
    how.trial = true;
    how.fromPlace = fromPointer;
    how.x = view.toLevelX(pointerX) - playerWidth / 2;
    how.y = view.toLevelY(pointerY) - playerHeight;
    if (!game->playEdited(edited->path(), edited->text(), how)) {
        shared->state = EDIT;
        message = "the level cannot be played";
    }
}

void EditorScreen::leave() {
    if (!game->playEdited(edited->path(), edited->text(), Game::EditorPlay())) {
        shared->state = EDIT;
        message = "the level cannot be played";
    }
}

void EditorScreen::askToQuit() {
    if (anyUnsaved() && !quitAsked) {
        quitAsked = true;
        std::cout << editorTag << "unsaved changes: Escape again quits\n";
        message = "unsaved changes: escape again quits, ctrl+s saves";
        return;
    }
    std::cout << editorTag << "quit" << (anyUnsaved() ? " without saving" : "") << "\n";
    shared->state = QUIT;
}

bool EditorScreen::asksBeforeClosing() const {
    return anyUnsaved() && !quitAsked;
}

void EditorScreen::closeRequested() {
    quitAsked = true;
    std::cout << editorTag << "unsaved changes: closing again quits\n";
    message = "unsaved changes: close again to quit, ctrl+s saves";
}

void EditorScreen::mouseMove(int x, int y) {
    pointerX = x;
    pointerY = y;
}

void EditorScreen::mouseButton(int button, int buttonState, int x, int y) {
    pointerX = x;
    pointerY = y;
    if (edited == nullptr) {
        return;
    }
    const bool down = buttonState == GLUT_DOWN;
    if (down && (button == wheelUp || button == wheelDown || button == wheelLeft || button == wheelRight)) {
        const bool sideways =
            button == wheelLeft || button == wheelRight || (glutGetModifiers() & GLUT_ACTIVE_SHIFT) != 0;
        const int notches = button == wheelUp || button == wheelLeft ? -1 : 1;
        if (paletteShown) {
            palette.scrollRows(notches, screen->screenWidth);
        } else {
            view.scroll(notches, sideways);
            reshape(0, 0);
        }
        return;
    }
    if (!down) {
        endDrag();
        return;
    }
    // At a press the toolkit knows the modifiers for sure; the Alt key's own events keep it up to date during a drag.
    altHeld = (glutGetModifiers() & GLUT_ACTIVE_ALT) != 0;
    if (button == GLUT_RIGHT_BUTTON || button == GLUT_MIDDLE_BUTTON) {
        endDrag();
        drag.kind = DragKind::Pan;
        drag.lastX = x;
        drag.lastY = y;
    } else if (button == GLUT_LEFT_BUTTON) {
        pressLeft(x, y);
    }
}

void EditorScreen::pressLeft(int x, int y) {
    quitAsked = false;
    message.clear();
    if (paletteShown) {
        const int picked = palette.pictureAt(x, y, screen->screenWidth);
        if (picked >= 0) {
            palette.chosen = picked;
            paletteShown = false;
        }
        return;
    }
    const int levelX = view.toLevelX(x);
    const int levelY = view.toLevelY(y);
    if (palette.chosen >= 0) {
        place(levelX, levelY);
        return;
    }
    if (pressHandle(x, y)) {
        return;
    }
    const EditObject* current = selection();
    unsigned edges = current != nullptr && current->kind == EditKind::Platform
                         ? boxhandles::edgesAt(boxOf(*current), levelX, levelY)
                         : boxhandles::kNone;
    if (edges == boxhandles::kNone) {
        select(edited->objectAt(levelX, levelY));
        current = selection();
        if (current != nullptr && current->kind == EditKind::Platform) {
            edges = boxhandles::edgesAt(boxOf(*current), levelX, levelY);
        }
    }
    if (current == nullptr) {
        return;
    }
    drag = Drag();
    drag.kind = edges != boxhandles::kNone ? DragKind::Resize : DragKind::Move;
    drag.startX = x;
    drag.startY = y;
    drag.original = boxOf(*current);
    drag.edges = edges;
    edited->beginGesture();
}

// A float handle of the selected trap wins over whatever lies under it.
bool EditorScreen::pressHandle(int x, int y) {
    const EditObject* trap = selection();
    if (trap == nullptr || trap->kind != EditKind::Trap) {
        return false;
    }
    const int floatX = floatOf(*trap, floatKeys[0]);
    const int floatY = floatOf(*trap, floatKeys[1]);
    const floathandles::Handle handle =
        floathandles::handleAt(boxOf(*trap), floatX, floatY, view.toLevelX(x), view.toLevelY(y));
    if (handle == floathandles::Handle::None) {
        return false;
    }
    drag = Drag();
    drag.kind = DragKind::Float;
    drag.startX = x;
    drag.startY = y;
    drag.original = boxOf(*trap);
    drag.handle = handle;
    drag.floatX = floatX;
    drag.floatY = floatY;
    edited->beginGesture();
    return true;
}

void EditorScreen::dragFloat(int x, int y) {
    const EditObject* trap = selection();
    if (trap == nullptr) {
        return;
    }
    const char* key = floatKey(drag.handle);
    const int value = floathandles::dragged(drag.original, drag.floatX, drag.floatY, drag.handle, x - drag.startX,
                                            y - drag.startY, altHeld);
    if (value != floatOf(*trap, key)) {
        setFloat(key, value, true);
        drag.floatChanged = true;
        changed();
    }
}

void EditorScreen::place(int levelX, int levelY) {
    const bool free = altHeld;
    const int added =
        edited->add(palette.kind(), palette.chosenPicture(), snapped(levelX, free), snapped(levelY, free));
    palette.chosen = -1;
    if (added >= 0) {
        select(added);
    } else {
        message = "that picture cannot be placed";
    }
    changed();
}

void EditorScreen::clickDrag(int x, int y) {
    pointerX = x;
    pointerY = y;
    const EditObject* object = selection();
    switch (drag.kind) {
    case DragKind::Pan:
        view.pan(x - drag.lastX, y - drag.lastY);
        drag.lastX = x;
        drag.lastY = y;
        reshape(0, 0);
        break;
    case DragKind::Move:
        if (object != nullptr) {
            const int targetX = snapped(saturateToInt32(int64_t{drag.original.x} + x - drag.startX), altHeld);
            const int targetY = snapped(saturateToInt32(int64_t{drag.original.y} + y - drag.startY), altHeld);
            if (targetX != object->x || targetY != object->y) {
                edited->moveBy(selected, saturateToInt32(int64_t{targetX} - object->x),
                               saturateToInt32(int64_t{targetY} - object->y));
                changed();
            }
        }
        break;
    case DragKind::Resize:
        if (object != nullptr) {
            const Bounds box =
                boxhandles::resized(drag.original, drag.edges, x - drag.startX, y - drag.startY, altHeld);
            if (box != boxOf(*object)) {
                edited->setBox(selected, box.x, box.y, box.w, box.h);
                changed();
            }
        }
        break;
    case DragKind::Float:
        dragFloat(x, y);
        break;
    case DragKind::None:
        break;
    }
}

void EditorScreen::endDrag() {
    if (drag.kind == DragKind::Float && drag.floatChanged) {
        const char* key = floatKey(drag.handle);
        const EditObject* trap = selection();
        if (trap != nullptr && has(*trap, key) && floatOf(*trap, key) == 0) {
            setFloat(key, 0, false);
            changed();
        }
    }
    if (drag.kind == DragKind::Move || drag.kind == DragKind::Resize || drag.kind == DragKind::Float) {
        edited->endGesture();
    }
    drag = Drag();
}

void EditorScreen::rebuildLevel() {
    delete level;
    level = nullptr;
    level = new Level();
    {
        QuietLog quiet;
        level->loadFromText(edited->text());
    }
    // Scenery stands where the file puts it: no bobbing offset.
    for (Decoration* decoration : level->backDecorations) {
        decoration->phase = 0.0f;
    }
    for (Decoration* decoration : level->frontDecorations) {
        decoration->phase = 0.0f;
    }
    level->goal.phase = 0.0f;
    // Traps stand at the centre of their float, and keep quiet: their loops start as they load.
    for (Trap* trap : level->traps) {
        trap->x = trap->baseX;
        trap->y = trap->baseY;
    }
    if (WubManager::instance()->engine != nullptr) {
        WubManager::instance()->engine->stopAllSounds();
    }
    levelStale = false;
}

void EditorScreen::display() {
    if (edited == nullptr) {
        return;
    }
    if (levelStale || level == nullptr) {
        rebuildLevel();
    }
    const Bounds all{0, 0, wholeLevel, wholeLevel};
    const int originX = view.toWindowX(0);
    const int originY = view.toWindowY(0);
    // The background stays put behind the view, as in play; the rest scrolls, without parallax.
    Image* background = level->background;
    if (background != nullptr) {
        background->draw(0, 0);
    }
    level->background = nullptr;
    level->drawBack(all, originX, originY);
    level->background = background;
    for (const EditObject& object : edited->objects()) {
        if (object.kind == EditKind::Start) {
            const Bounds box{view.toWindowX(object.x), view.toWindowY(object.y), object.w, object.h};
            editordrawing::fill(box, startFill);
            editordrawing::outline(box, 1, startColour);
        }
    }
    level->drawFront(all, originX, originY);
    drawMarks();
    if (paletteShown) {
        drawPalette();
    }
    drawStatus();
}

void EditorScreen::drawMarks() const {
    editordrawing::outline(Bounds{view.toWindowX(0), view.toWindowY(0), level->width, level->height}, 1,
                           levelEdgeColour);
    const std::vector<EditObject>& objects = edited->objects();
    for (const EditObject& object : objects) {
        if (object.kind == EditKind::Platform) {
            editordrawing::outline(Bounds{view.toWindowX(object.x), view.toWindowY(object.y), object.w, object.h}, 1,
                                   boxColour);
        }
    }
    // How far each trap's float takes it.
    for (const Trap* trap : level->traps) {
        if (trap->floatX != 0 || trap->floatY != 0) {
            const int64_t reachX = std::llabs(int64_t{trap->floatX});
            const int64_t reachY = std::llabs(int64_t{trap->floatY});
            editordrawing::outline(
                Bounds{saturateToInt32(view.toWindowX(trap->baseX) - reachX),
                       saturateToInt32(view.toWindowY(trap->baseY) - reachY), saturateToInt32(trap->width + 2 * reachX),
                       saturateToInt32(trap->height + 2 * reachY)},
                1, floatColour);
        }
    }
    const auto mark = [&](const std::string& finding, Colour colour) {
        const int object = edited->objectOfFinding(finding);
        if (object >= 0 && object < static_cast<int>(objects.size())) {
            editordrawing::fill(
                Bounds{view.toWindowX(objects[object].x), view.toWindowY(objects[object].y), markSize, markSize},
                colour);
        }
    };
    for (const std::string& warning : edited->warnings()) {
        mark(warning, warningColour);
    }
    for (const std::string& error : edited->errors()) {
        mark(error, errorColour);
    }
    if (const EditObject* object = selection()) {
        const Bounds box{saturateToInt32(int64_t{view.toWindowX(object->x)} - selectionThickness),
                         saturateToInt32(int64_t{view.toWindowY(object->y)} - selectionThickness),
                         saturateToInt32(int64_t{object->w} + 2 * selectionThickness),
                         saturateToInt32(int64_t{object->h} + 2 * selectionThickness)};
        editordrawing::outline(box, selectionThickness, selectionColour);
    }
    drawFloatHandles();
}

// The selected trap's two radii, each ending in a handle; a float not set yet shows an empty
// handle and no radius.
void EditorScreen::drawFloatHandles() const {
    const EditObject* trap = selection();
    if (trap == nullptr || trap->kind != EditKind::Trap) {
        return;
    }
    const Bounds picture = boxOf(*trap);
    const int floatX = floatOf(*trap, floatKeys[0]);
    const int floatY = floatOf(*trap, floatKeys[1]);
    const floathandles::Point middle = floathandles::centre(picture);
    const int64_t middleX = view.toWindowX(middle.x);
    const int64_t middleY = view.toWindowY(middle.y);
    for (const floathandles::Handle handle : {floathandles::Handle::Horizontal, floathandles::Handle::Vertical}) {
        const floathandles::Point at = floathandles::place(picture, floatX, floatY, handle);
        const int64_t atX = view.toWindowX(at.x);
        const int64_t atY = view.toWindowY(at.y);
        const Bounds knob{saturateToInt32(atX - handleHalf), saturateToInt32(atY - handleHalf), 2 * handleHalf + 1,
                          2 * handleHalf + 1};
        if ((handle == floathandles::Handle::Horizontal ? floatX : floatY) == 0) {
            editordrawing::outline(knob, 1, selectionColour);
            editordrawing::outline(Bounds{saturateToInt32(int64_t{knob.x} + 1), saturateToInt32(int64_t{knob.y} + 1),
                                          knob.w - 2, knob.h - 2},
                                   1, floatHandleColour);
            continue;
        }
        const Bounds radius{saturateToInt32(std::min(middleX, atX)), saturateToInt32(std::min(middleY, atY)),
                            saturateToInt32(std::llabs(atX - middleX) + 1),
                            saturateToInt32(std::llabs(atY - middleY) + 1)};
        editordrawing::fill(radius, floatColour);
        editordrawing::fill(knob, floatHandleColour);
        editordrawing::outline(knob, 1, selectionColour);
    }
}

std::string EditorScreen::statusText() const {
    if (!message.empty()) {
        return message;
    }
    if (paletteShown) {
        // The thumbnails carry no names: the one under the pointer is named here.
        const int hovered = palette.pictureAt(pointerX, pointerY, screen->screenWidth);
        const std::string what = hovered >= 0 ? palette.pictures()[hovered] : "a picture";
        return "click " + what + " to place it as a " + Palette::kindName(palette.kind());
    }
    if (palette.chosen >= 0) {
        return "click in the level to place " + palette.chosenPicture() + " as a " + Palette::kindName(palette.kind());
    }
    if (const EditObject* object = selection()) {
        std::string text = kindName(object->kind);
        for (const auto& entry : object->keys) {
            text += "  " + entry.first + ": " + entry.second;
        }
        return text;
    }
    if (!edited->errors().empty()) {
        return edited->errors().front();
    }
    if (!edited->warnings().empty()) {
        return edited->warnings().front();
    }
    return (edited->unsaved() ? "* " : "") + edited->path() + "  tab: pictures  ctrl+s: save  f5: play";
}

namespace {

// Large letters when the line fits the window so, else small ones, cut at the window's edge.
int lineScale(const std::string& text, int width) {
    return pixeltext::width(text, statusScale) + 2 * statusPadding <= width ? statusScale : 1;
}

void drawLine(std::string text, int top, int scale, int width) {
    while (!text.empty() && pixeltext::width(text, scale) + 2 * statusPadding > width) {
        text.pop_back();
    }
    pixeltext::draw(text, statusPadding, top, scale, ink, noShadow);
}

}  // namespace

void EditorScreen::drawStatus() const {
    const std::string text = statusText();
    const int width = screen->screenWidth;
    const int scale = lineScale(text, width);
    const int lineHeight = static_cast<int>(pixeltext::height(scale)) + 2 * statusPadding;
    const int top = screen->screenHeight - lineHeight;
    editordrawing::fill(Bounds{0, top, width, lineHeight}, statusBack);
    drawLine(text, top + statusPadding, scale, width);
}

void EditorScreen::drawPalette() const {
    const int width = screen->screenWidth;
    editordrawing::fill(Bounds{0, 0, width, screen->screenHeight}, paletteBack);
    const std::string header = "places a " + std::string(Palette::kindName(palette.kind())) +
                               "   1 platform  2 decoration  3 trap  tab: close";
    drawLine(header, statusPadding, lineScale(header, width), width);
    const std::vector<std::string>& pictures = palette.pictures();
    for (size_t i = 0; i < pictures.size(); ++i) {
        const Bounds cell = palette.cell(static_cast<int>(i), width);
        if (cell.y < Palette::kHeader) {
            continue;
        }
        if (cell.y > screen->screenHeight) {
            break;
        }
        editordrawing::fill(cell, cellBack);
        const std::string path = picturePath(pictures[i]);
        const unsigned int texture = screen->getTexture(path);
        const Bounds size = screen->getBounds(path);
        editordrawing::picture(texture, Palette::fitted(size.w, size.h, cell));
    }
}
