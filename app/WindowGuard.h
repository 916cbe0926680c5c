#pragma once

// Keeps the game from outliving its window. Once the window exists: it carries _NET_WM_PID and
// WM_CLIENT_MACHINE, so desktop tools find the process; a window destroyed from outside is
// noticed (its X errors are taken as that and go no further); and a broken display connection
// ends the process at once with status 1 after a last log line.
void guardWindow();

// The watched window was destroyed by someone else; once true it stays true.
bool windowDestroyed();
