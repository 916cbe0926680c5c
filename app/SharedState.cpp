#include "app/SharedState.h"

std::string stateName(const SharedState& shared) {
    switch (shared.state) {
    case MENU:
        return "MENU";
    case NEWGAME:
        return "NEWGAME";
    case CONTINUE:
        return "CONTINUE";
    case QUIT:
        return "QUIT";
    case EDIT:
        return "EDIT";
    default:
        return "UNKNOWN STATE";
    }
}
