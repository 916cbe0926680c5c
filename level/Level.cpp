#include "level/Level.h"

#include "graphics/Image.h"
#include "objects/Platform.h"
#include "objects/Trap.h"

Level::~Level() {
    delete background;
    for (Decoration* decoration : backDecorations) {
        delete decoration;
    }
    for (Platform* platform : platforms) {
        delete platform;
    }
    for (Trap* trap : traps) {
        delete trap;
    }
    for (Decoration* decoration : frontDecorations) {
        delete decoration;
    }
}

bool Level::loadFromFile(std::string) {
    return false;  // the file reader comes with the level format
}

void Level::drawBack(Bounds view, int originX, int originY) {
    if (background != nullptr) {
        background->draw(originX, originY);
    }
    for (Decoration* decoration : backDecorations) {
        decoration->draw(originX, originY, view.x, view.y, view.w, view.h);
    }
    for (Platform* platform : platforms) {
        platform->draw(originX - view.x, originY - view.y);
    }
}

void Level::drawFront(Bounds view, int originX, int originY) {
    goal.draw(originX, originY, view.x, view.y, view.w, view.h);
    for (Trap* trap : traps) {
        trap->draw(originX - view.x, originY - view.y);
    }
    for (Decoration* decoration : frontDecorations) {
        decoration->draw(originX, originY, view.x, view.y, view.w, view.h);
    }
}
