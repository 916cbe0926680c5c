#pragma once
#include "Color.h"

#include <vector>

struct PointF {
    double x;
    double y;
};

// An RGBA picture being painted, top row first. Every operation clips at the edges, so
// painters may draw shapes that run off the picture. Nothing is ever blended into partial
// alpha except by over() with an explicitly translucent colour: edges stay crisp.
class Canvas {
public:
    Canvas(int width, int height, Rgba fill = kClear);

    int width() const { return w; }
    int height() const { return h; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }

    // Transparent outside the picture.
    Rgba at(int x, int y) const;
    bool filled(int x, int y) const { return at(x, y).a != 0; }
    void set(int x, int y, Rgba c);
    // Source-over compositing of one colour, for stepped glows and shadows.
    void over(int x, int y, Rgba c);

    void fill(Rgba c);
    void fillRect(int x, int y, int rw, int rh, Rgba c);
    // Pixels (x, y) with ((x - cx) / rx)^2 + ((y - cy) / ry)^2 <= 1.
    void fillEllipse(double cx, double cy, double rx, double ry, Rgba c);
    // Pixels whose centre lies inside the polygon (even-odd rule).
    void fillPolygon(const std::vector<PointF>& points, Rgba c);
    // Bresenham line with a square pen of the given size.
    void line(int x0, int y0, int x1, int y1, Rgba c, int pen = 1);

    // Copies the opaque pixels of src with its top-left corner at (dx, dy).
    void blit(const Canvas& src, int dx, int dy, bool mirror = false);
    // Paints c on every transparent pixel that touches an opaque one (4 neighbours, or 8).
    void outline(Rgba c, bool diagonals = false);
    Canvas region(int x, int y, int rw, int rh) const;
    Canvas scaled(int factor) const;

    const std::vector<Rgba>& pixels() const { return data; }

private:
    int w;
    int h;
    std::vector<Rgba> data;
};
