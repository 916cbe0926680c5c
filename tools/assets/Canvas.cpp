#include "Canvas.h"

#include <algorithm>

Canvas::Canvas(int width, int height, Rgba fill)
    : w(width > 0 ? width : 0), h(height > 0 ? height : 0), data(static_cast<size_t>(w) * h, fill) {}

Rgba Canvas::at(int x, int y) const {
    return inside(x, y) ? data[static_cast<size_t>(y) * w + x] : kClear;
}

void Canvas::set(int x, int y, Rgba c) {
    if (inside(x, y)) {
        data[static_cast<size_t>(y) * w + x] = c;
    }
}

void Canvas::over(int x, int y, Rgba c) {
    if (!inside(x, y) || c.a == 0) {
        return;
    }
    Rgba& d = data[static_cast<size_t>(y) * w + x];
    if (c.a == 255 || d.a == 0) {
        d = c;
        return;
    }
    int outA = c.a + d.a * (255 - c.a) / 255;
    auto channel = [&](int s, int t) { return static_cast<uint8_t>((s * c.a + t * d.a * (255 - c.a) / 255) / outA); };
    d = Rgba{channel(c.r, d.r), channel(c.g, d.g), channel(c.b, d.b), static_cast<uint8_t>(outA)};
}

void Canvas::fill(Rgba c) {
    std::fill(data.begin(), data.end(), c);
}

void Canvas::fillRect(int x, int y, int rw, int rh, Rgba c) {
    for (int yy = std::max(0, y); yy < std::min(h, y + rh); ++yy) {
        for (int xx = std::max(0, x); xx < std::min(w, x + rw); ++xx) {
            data[static_cast<size_t>(yy) * w + xx] = c;
        }
    }
}

void Canvas::fillEllipse(double cx, double cy, double rx, double ry, Rgba c) {
    if (rx <= 0 || ry <= 0) {
        return;
    }
    int y0 = static_cast<int>(cy - ry) - 1;
    int y1 = static_cast<int>(cy + ry) + 1;
    int x0 = static_cast<int>(cx - rx) - 1;
    int x1 = static_cast<int>(cx + rx) + 1;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            double dx = (x - cx) / rx;
            double dy = (y - cy) / ry;
            if (dx * dx + dy * dy <= 1.0) {
                set(x, y, c);
            }
        }
    }
}

void Canvas::fillPolygon(const std::vector<PointF>& points, Rgba c) {
    if (points.size() < 3) {
        return;
    }
    double minY = points[0].y;
    double maxY = points[0].y;
    for (const PointF& p : points) {
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    for (int y = std::max(0, static_cast<int>(minY) - 1); y <= std::min(h - 1, static_cast<int>(maxY) + 1); ++y) {
        double sy = y + 0.5;
        std::vector<double> crossings;
        for (size_t i = 0; i < points.size(); ++i) {
            const PointF& a = points[i];
            const PointF& b = points[(i + 1) % points.size()];
            if ((a.y <= sy && b.y > sy) || (b.y <= sy && a.y > sy)) {
                crossings.push_back(a.x + (sy - a.y) * (b.x - a.x) / (b.y - a.y));
            }
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
            for (int x = std::max(0, static_cast<int>(crossings[i] - 1)); x < w; ++x) {
                double sx = x + 0.5;
                if (sx >= crossings[i + 1]) {
                    break;
                }
                if (sx >= crossings[i]) {
                    data[static_cast<size_t>(y) * w + x] = c;
                }
            }
        }
    }
}

void Canvas::line(int x0, int y0, int x1, int y1, Rgba c, int pen) {
    int dx = x1 > x0 ? x1 - x0 : x0 - x1;
    int dy = y1 > y0 ? y0 - y1 : y1 - y0;
    int sx = x0 < x1 ? 1 : -1;
    int sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    int half = (pen - 1) / 2;
    while (true) {
        fillRect(x0 - half, y0 - half, pen, pen, c);
        if (x0 == x1 && y0 == y1) {
            break;
        }
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Canvas::blit(const Canvas& src, int dx, int dy, bool mirror) {
    for (int y = 0; y < src.h; ++y) {
        for (int x = 0; x < src.w; ++x) {
            Rgba c = src.at(mirror ? src.w - 1 - x : x, y);
            if (c.a != 0) {
                over(dx + x, dy + y, c);
            }
        }
    }
}

void Canvas::outline(Rgba c, bool diagonals) {
    std::vector<Rgba> result = data;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (filled(x, y)) {
                continue;
            }
            bool touches = filled(x - 1, y) || filled(x + 1, y) || filled(x, y - 1) || filled(x, y + 1);
            if (!touches && diagonals) {
                touches = filled(x - 1, y - 1) || filled(x + 1, y - 1) || filled(x - 1, y + 1) || filled(x + 1, y + 1);
            }
            if (touches) {
                result[static_cast<size_t>(y) * w + x] = c;
            }
        }
    }
    data.swap(result);
}

Canvas Canvas::region(int x, int y, int rw, int rh) const {
    Canvas out(rw, rh);
    for (int yy = 0; yy < rh; ++yy) {
        for (int xx = 0; xx < rw; ++xx) {
            out.set(xx, yy, at(x + xx, y + yy));
        }
    }
    return out;
}

Canvas Canvas::scaled(int factor) const {
    Canvas out(w * factor, h * factor);
    for (int y = 0; y < out.h; ++y) {
        for (int x = 0; x < out.w; ++x) {
            out.set(x, y, at(x / factor, y / factor));
        }
    }
    return out;
}
