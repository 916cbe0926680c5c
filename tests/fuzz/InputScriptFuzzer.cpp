// Feeds arbitrary bytes to the key-script parser; whatever parses must print as text that
// parses to the very same events.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "FuzzSupport.h"
#include "game/InputScript.h"

namespace {

bool sameEvents(const InputScript& a, const InputScript& b) {
    if (a.events().size() != b.events().size()) {
        return false;
    }
    for (size_t i = 0; i < a.events().size(); ++i) {
        const InputScript::Event& x = a.events()[i];
        const InputScript::Event& y = b.events()[i];
        if (x.tick != y.tick || x.action != y.action || x.key != y.key) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    InputScript script;
    std::string error;
    if (!script.parse(in, error)) {
        fuzzsupport::require(!error.empty(), "a refused script says why");
        return 0;
    }
    std::istringstream again(script.text());
    InputScript reparsed;
    fuzzsupport::require(reparsed.parse(again, error), "a script's own text parses");
    fuzzsupport::require(sameEvents(script, reparsed), "a script's own text gives the same events");
    return 0;
}
