#pragma once

// The whole-number scale of the picture: the largest s at which a view of viewWidth x
// viewHeight logical pixels, drawn s x s real pixels each, still fits the window; never below 1.
// A view with no size gives 1.
int wholeScale(int windowWidth, int windowHeight, int viewWidth, int viewHeight);
