#pragma once
#include <cstdlib>

// Tools that play without a window play without sound too: the level's trap loops would
// otherwise start on the real device. OpenAL Soft's null output takes them instead.
inline void quietSoundDevice() {
    setenv("ALSOFT_DRIVERS", "null", 1);
    setenv("ALSOFT_LOGLEVEL", "0", 0);
}
