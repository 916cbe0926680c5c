#pragma once
#include "Canvas.h"

// The goal portal, 40 x 56, also shown on the title pictures.
Canvas goalPortal();
