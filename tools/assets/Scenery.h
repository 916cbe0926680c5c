#pragma once
#include "Canvas.h"
#include "Palette.h"
#include "Rng.h"

#include <functional>
#include <vector>

// Painters shared by the backgrounds, the title pictures and the decorations: skies, ridges,
// clouds, trees, ruins and lights. Ridges built here tile left to right when their width is
// the picture's width, so scenery strips can be laid side by side.
namespace scenery {

// Fills rows y0..y0+h-1 with the stops spread evenly top to bottom, stippled at each seam.
void verticalGradient(Canvas& c, int y0, int h, const std::vector<Rgba>& stops, double soft = 0.5);

// A smooth periodic ridge (sum of sines with whole periods over the width).
std::vector<int> rollingRidge(int width, Rng& rng, double baseY, double amplitude, int minCycles);

// Paints every pixel from the ridge down to the bottom with colour(x, y, depth below the ridge).
void fillBelow(Canvas& c, const std::vector<int>& ridge, const std::function<Rgba(int, int, int)>& colour);
// Same, upwards from a hanging ridge (cave ceilings): depth counts pixels above the edge.
void fillAbove(Canvas& c, const std::vector<int>& edge, const std::function<Rgba(int, int, int)>& colour);

// A plain layer of hills: body colour, a lit rim on the crest, darker lower down.
void hillLayer(Canvas& c, const std::vector<int>& ridge, Rgba rim, Rgba body, Rgba low, int fadeDepth);

struct MountainColours {
    Rgba lit;
    Rgba shade;
    Rgba snowLit;
    Rgba snowShade;
    Rgba haze;  // the feet of the mountains fade into this
};
// A range of `count` peaks standing on baseY, lit from the left: each peak's left face lit,
// its right face in shade, snow on the top snowDepth pixels, everything fading into haze
// below hazeY. Peaks wrap at the picture's sides, so the range tiles.
void mountainRange(Canvas& c, Rng& rng, int baseY, int count, int minHeight, int maxHeight,
                   const MountainColours& colours, int snowDepth, int hazeY);

struct CloudColours {
    Rgba light;
    Rgba mid;
    Rgba shade;
};
// A cumulus of puffs over a flat base, (x, y) its base-left corner.
void cloud(Canvas& c, int x, int baseY, int w, int h, Rng& rng, const CloudColours& colours);
// A long thin streak of cloud, lit along its lower edge by a low sun.
void cloudStreak(Canvas& c, int x, int y, int w, Rgba body, Rgba lit, Rng& rng);

void stars(Canvas& c, Rng& rng, int x0, int y0, int w, int h, int count, Rgba dim, Rgba bright);

// Moon disc with craters and a stepped halo; radius in pixels.
void moon(Canvas& c, int cx, int cy, int r, Rgba lit, Rgba mid, Rgba dark, Rgba halo);
// Sun disc with stepped glow rings.
void sun(Canvas& c, int cx, int cy, int r, Rgba core, Rgba rim, Rgba glow);

// A leafy broad-leaved tree (trunk bottom-centre at (x, groundY)).
void broadTree(Canvas& c, int x, int groundY, int height, Rng& rng, const pal::Ramp& leaves, const pal::Ramp& bark);
// Far tree silhouettes along a ridge.
void treeLine(Canvas& c, const std::vector<int>& ridge, Rng& rng, Rgba colour, Rgba rim, int size, double density);
// A pine silhouette.
void pine(Canvas& c, int x, int groundY, int height, Rgba colour, Rgba rim);

// A ruined tower silhouette with a broken top and arched windows.
void ruinTower(Canvas& c, int x, int groundY, int w, int h, Rng& rng, Rgba body, Rgba lit, Rgba window);
// An arch between two piers.
void ruinArch(Canvas& c, int x, int groundY, int w, int h, Rgba body, Rgba lit);

// A translucent stepped glow: concentric ellipses, alpha falling outwards.
void glow(Canvas& c, double cx, double cy, double rx, double ry, Rgba colour, int steps, int alphaStep);

// Stippled translucency: paints the colour on pixels of the rectangle where the Bayer
// threshold is below `amount`.
void stipple(Canvas& c, int x, int y, int w, int h, Rgba colour, double amount);

pal::Ramp ramp(Rgba a, Rgba b, Rgba c, Rgba d, Rgba e, Rgba f);

}  // namespace scenery
