#pragma once
#include "core/Bounds.h"

// The sign over a paused level: the view dimmed and "PAUSED" in blocky letters with a drop
// shadow, centred in the view (logical pixels). Drawn with plain quads; needs no picture.
void drawPauseOverlay(Bounds view);
