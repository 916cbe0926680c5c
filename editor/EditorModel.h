#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "editor/EditObject.h"
#include "editor/LevelText.h"
#include "editor/PictureSizes.h"
#include "editor/UndoHistory.h"

// The level being edited: its text, the objects it makes, the undo history and the level
// checker's findings. Pure: it reads pictures' sizes from disk but draws nothing.
// Indices into objects() stay valid until the next change.
class EditorModel {
public:
    // gameFolder holds data/, sprites/ and sounds/; path is relative to it or absolute. A
    // missing file starts from a small template (written only when saved). False with why
    // when the file exists but cannot be read; the model is then left as it was.
    bool open(const std::string& gameFolder, const std::string& path, std::string& why);
    const std::string& path() const { return levelPath; }
    // The text a save would write.
    std::string text() const { return current.text(); }
    // Back to front, in the level's draw order: back scenery, platforms, checkpoints, the
    // start (where the player is drawn), the goal, traps, front scenery.
    const std::vector<EditObject>& objects() const { return shown; }
    // The topmost drawn object under a level point; -1 for none.
    int objectAt(int x, int y) const;

    // Every edit is one undo step; the edits between beginGesture and endGesture (a drag)
    // make one step together, and the level is checked once the gesture ends.
    void beginGesture();
    void endGesture();
    void moveBy(int object, int dx, int dy);
    // Platforms take the whole box; other objects only the place.
    void setBox(int object, int x, int y, int w, int h);
    // The value "" removes the key. A key or value that cannot stand on a line is refused.
    void setKey(int object, const std::string& key, const std::string& value);
    // A new object of its own section at the level point; the index of it, or -1. The start
    // and the goal exist once: they are moved there instead.
    int add(EditKind kind, const std::string& picture, int x, int y);
    // The start and the goal cannot be removed.
    void remove(int object);
    // The index of the copy, placed 16 px right and down; -1 for the start and the goal.
    int duplicate(int object);
    bool undo();
    bool redo();
    // True when the text differs from the one last opened or saved.
    bool unsaved() const;
    // Atomic; the first save of a session keeps the old file as FILE~. False with why, and
    // the model stays unsaved, when the file cannot be written.
    bool save(std::string& why);

    // The level checker's findings on the current text, renewed after every change (a
    // gesture's changes when it ends), and the object the line of a finding belongs to (-1
    // when none).
    const std::vector<std::string>& errors() const { return foundErrors; }
    const std::vector<std::string>& warnings() const { return foundWarnings; }
    int objectOfFinding(const std::string& finding) const;

    // The text a missing level starts from.
    static std::string templateText();

private:
    void change(const LevelText& edited);
    void show(const LevelText& text);
    void check();
    bool validObject(int object) const;
    bool isLevelWide(int object) const;
    int propertiesSectionFor(const LevelText& text, const std::string& key) const;
    void setProperty(LevelText& edited, const std::string& key, const std::string& value) const;
    void setPlace(LevelText& edited, const EditObject& object, int64_t x, int64_t y) const;
    int objectOfSection(int section) const;
    int objectOfLine(int line) const;

    std::string folder;
    std::string levelPath;
    std::string fullPath;
    LevelText current;
    // The text on disk; none while a new level has never been saved.
    std::optional<std::string> savedText;
    bool backupKept = false;
    UndoHistory history;
    PictureSizes pictures;
    std::vector<EditObject> shown;
    std::vector<std::string> foundErrors;
    std::vector<std::string> foundWarnings;
};
