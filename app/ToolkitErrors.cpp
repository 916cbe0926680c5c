#include "app/ToolkitErrors.h"

#include <GL/freeglut.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace {

const char* const kNoDisplayMessage = "failed to open display";
constexpr int kFailureStatus = 1;

// freeglut carries on after its handler returns and then crashes, so the handler ends the
// process itself; every stream it wrote to is flushed by exit().
void onToolkitError(const char* format, va_list arguments) {
    char message[512];
    std::vsnprintf(message, sizeof message, format, arguments);
    const std::string line = toolkitErrorLine(message);
    std::cerr << line;
    std::cout << line;
    std::exit(kFailureStatus);
}

}  // namespace

void reportToolkitErrorsOurselves() {
    glutInitErrorFunc(onToolkitError);
}

std::string toolkitErrorLine(const std::string& toolkitMessage) {
    if (toolkitMessage.rfind(kNoDisplayMessage, 0) == 0) {
        return "vantorel: cannot open the display (is DISPLAY set?)\n";
    }
    return "vantorel: " + toolkitMessage + "\n";
}
