#include "app/WindowGuard.h"

#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>

// Xlibint.h, for the event conversion hook, defines min and max: it comes after the standard
// headers.
#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlibint.h>
#include <X11/Xutil.h>
#undef min
#undef max

namespace {

const int lostDisplayStatus = 1;
const int hostNameLength = 256;

using WireToEvent = Bool (*)(::Display*, XEvent*, xEvent*);
using ErrorHandler = int (*)(::Display*, XErrorEvent*);

Window watched = 0;
bool destroyed = false;
WireToEvent standardConversion = nullptr;
WireToEvent standardClientMessage = nullptr;
Atom deleteWindow = None;
bool (*holdClose)() = nullptr;
bool closeHeld = false;
ErrorHandler previousErrorHandler = nullptr;

// freeglut reads the DestroyNotify and drops it; looking as each event comes off the wire sees
// it whoever takes it from the queue.
Bool noteDestruction(::Display* display, XEvent* event, xEvent* wire) {
    const Bool kept = standardConversion(display, event, wire);
    if (event->type == DestroyNotify && event->xdestroywindow.window == watched) {
        destroyed = true;
    }
    return kept;
}

// A close request dropped here never reaches freeglut, which would destroy the window at once.
Bool holdBackClose(::Display* display, XEvent* event, xEvent* wire) {
    const Bool kept = standardClientMessage(display, event, wire);
    const bool isClose = event->xclient.window == watched && event->xclient.format == 32 &&
                         static_cast<Atom>(event->xclient.data.l[0]) == deleteWindow && deleteWindow != None;
    if (kept && isClose && holdClose != nullptr && holdClose()) {
        closeHeld = true;
        return False;
    }
    return kept;
}

// Drawing into a window that is gone gives BadWindow or BadDrawable errors, which would
// otherwise end the process with status 1 halfway through a frame.
int onError(::Display* display, XErrorEvent* error) {
    const bool aboutOurWindow =
        error->resourceid == watched && (error->error_code == BadWindow || error->error_code == BadDrawable);
    if (aboutOurWindow) {
        destroyed = true;
    }
    if (destroyed) {
        return 0;
    }
    return previousErrorHandler != nullptr ? previousErrorHandler(display, error) : 0;
}

// Nothing can be drawn or released without the display. exit() still closes the sound device;
// freeglut's own clean-up then talks to the dead connection and lands here again, where the
// process ends at once.
int onLostDisplay(::Display*) {
    static bool ending = false;
    if (ending) {
        std::_Exit(lostDisplayStatus);
    }
    ending = true;
    std::cout << "[MAIN] The connection to the display is lost: the game ends.\n" << std::flush;
    std::exit(lostDisplayStatus);
}

void nameProcess(::Display* display, Window window) {
    const unsigned long pid = static_cast<unsigned long>(getpid());
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pid), 1);
    // The process id means something only on the machine it runs on.
    char host[hostNameLength] = {};
    if (gethostname(host, sizeof host - 1) == 0) {
        char* names[] = {host};
        XTextProperty property;
        if (XStringListToTextProperty(names, 1, &property) != 0) {
            XSetWMClientMachine(display, window, &property);
            XFree(property.value);
        }
    }
}

}  // namespace

void guardWindow() {
    ::Display* display = glXGetCurrentDisplay();
    const GLXDrawable window = glXGetCurrentDrawable();
    if (display == nullptr || window == 0) {
        return;
    }
    watched = window;
    destroyed = false;
    nameProcess(display, window);
    if (standardConversion == nullptr) {
        standardConversion = XESetWireToEvent(display, DestroyNotify, noteDestruction);
        previousErrorHandler = XSetErrorHandler(onError);
        XSetIOErrorHandler(onLostDisplay);
        // Interned now: the conversion hook runs with the display locked.
        deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
        standardClientMessage = XESetWireToEvent(display, ClientMessage, holdBackClose);
        // A write to the dead connection must reach the handler above, not end the process.
        signal(SIGPIPE, SIG_IGN);
    }
    XFlush(display);
}

bool windowDestroyed() {
    return destroyed;
}

void holdCloseRequestsWhile(bool (*hold)()) {
    holdClose = hold;
}

bool takeHeldCloseRequest() {
    const bool held = closeHeld;
    closeHeld = false;
    return held;
}
