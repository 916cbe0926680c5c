#pragma once
#include <map>
#include <memory>
#include <string>

#include "app/StateLoopIFC.h"
#include "editor/EditorKeys.h"
#include "editor/EditorModel.h"
#include "editor/EditorView.h"
#include "editor/FloatHandles.h"
#include "editor/Palette.h"
#include "game/EditRequests.h"

class Game;
class Level;
class TextureManager;

// The level editor's state: the level drawn as the game draws it, with the start, the
// selection and the checker's marks over it and a status line below; the mouse and keys edit
// the model, which keeps the text. Owns the model and the level it draws; plays go to the game.
class EditorScreen : public StateLoopIFC, public EditRequests {
public:
    EditorScreen(SharedState* shared, Game* game);
    ~EditorScreen() override;
    EditorScreen(const EditorScreen&) = delete;
    EditorScreen& operator=(const EditorScreen&) = delete;

    // Opens the level file (a missing one starts from the template) and sets EDIT; false, with
    // the reason in the log, when it exists but cannot be read. A level opened before and left
    // with unsaved changes is taken up again as it was.
    bool open(const std::string& path);
    // Keeps the level being edited, unsaved changes and all, when it is the same file.
    void editLevel(const std::string& path, Bounds view) override;

    void display() override;
    void update(int value) override;
    void mouseButton(int button, int buttonState, int x, int y) override;
    void clickDrag(int x, int y) override;
    void mouseMove(int x, int y) override;
    void reshape(int width, int height) override;
    void key(int key, int x, int y) override;
    void specialUp(int key, int x, int y) override;
    void specialDown(int key, int x, int y) override;
    void assumeControl(StateLoopIFC** active) override;
    bool takesPlainKeys() const override { return true; }
    // Unsaved changes hold the first close of the window back and ask; the next one closes it.
    bool asksBeforeClosing() const override;
    void closeRequested() override;

private:
    enum class DragKind { None, Move, Resize, Float, Pan };
    struct Drag {
        DragKind kind = DragKind::None;
        int startX = 0;  // window pixels where the drag began
        int startY = 0;
        int lastX = 0;
        int lastY = 0;
        Bounds original;  // the object's box when it began
        unsigned edges = 0;
        floathandles::Handle handle = floathandles::Handle::None;
        int floatX = 0;  // the trap's floats when it began
        int floatY = 0;
        bool floatChanged = false;
    };

    void act(const editorkeys::Action& action);
    void actOnSelection(const editorkeys::Action& action);
    void toggle(const char* key, const char* const* alsoMeaning);
    void step(const char* key, int by, int absent, int smallest);
    void stepFloat(const char* key, int by);
    void setFloat(const char* key, int value, bool keepZero);
    bool pressHandle(int levelX, int levelY);
    void dragFloat(int x, int y);
    void changed();
    void select(int object);
    void reselect();
    const EditObject* selection() const;
    void save();
    void play(bool fromPointer);
    void leave();
    void askToQuit();
    bool anyUnsaved() const;
    void pressLeft(int x, int y);
    void place(int x, int y);
    void endDrag();
    void rebuildLevel();
    void drawMarks() const;
    void drawFloatHandles() const;
    void drawStatus() const;
    void drawPalette() const;
    std::string statusText() const;
    editorkeys::Press pressOf(bool special, int code) const;

    Game* game;
    TextureManager* screen;
    // Every level opened, by path; edited is the one on show.
    std::map<std::string, std::unique_ptr<EditorModel>> levels;
    EditorModel* edited = nullptr;
    Level* level = nullptr;
    bool levelStale = true;
    EditorView view;
    Palette palette;
    bool paletteShown = false;
    int selected = -1;
    EditKind selectedKind = EditKind::Start;
    int selectedSection = -1;
    Drag drag;
    std::string message;
    bool quitAsked = false;
    bool altHeld = false;
    int pointerX = 0;
    int pointerY = 0;
};
