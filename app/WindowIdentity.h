#pragma once

// Names the current window for the desktop: WM_CLASS "vantorel" (which the desktop entry's
// StartupWMClass matches) and, when the picture can be read, the icon as _NET_WM_ICON.
// A missing or unreadable icon leaves the window without one, silently.
void setWindowIdentity(const char* iconFile);
