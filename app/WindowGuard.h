#pragma once

// Keeps the game from outliving its window. Once the window exists: it carries _NET_WM_PID and
// WM_CLIENT_MACHINE, so desktop tools find the process; a window destroyed from outside is
// noticed (its X errors are taken as that and go no further); and a broken display connection
// ends the process at once with status 1 after a last log line.
void guardWindow();

// The watched window was destroyed by someone else; once true it stays true.
bool windowDestroyed();

// While hold() says so, the window manager's request to close the window is held back and
// noted instead, so the active state can ask first; otherwise it closes the window as ever.
// hold is asked as the request comes off the wire: it must not call the toolkit or Xlib.
void holdCloseRequestsWhile(bool (*hold)());
// Whether a close request was held back since the last call.
bool takeHeldCloseRequest();
