#pragma once
#include "Canvas.h"

// Props the title pictures borrow from the level scenery.
Canvas lanternDecoration();
Canvas grassDecoration();
Canvas treeDecoration();
