#include "editor/AtomicSave.h"

bool saveAtomically(const std::string&, const std::string&, bool, std::string& why) {
    why = "not written yet";
    return false;
}
