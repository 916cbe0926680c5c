#pragma once

// The whole program: log, window, settings, menu and game, the state loop and the shutdown.
// Returns the process's exit status.
int runProgram(int argc, char** argv);
