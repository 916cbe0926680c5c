#pragma once
#include "Canvas.h"

// Brisel's whole sheet (6 x 3 frames of 64 x 56), and one frame of it, column and row from 1.
Canvas briselSheet();
Canvas briselPose(int column, int row);
// The 64 x 64 desktop icon: Brisel standing on a transparent square.
Canvas briselIcon();
