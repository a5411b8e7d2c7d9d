#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace picturegen {
namespace {

// Samples per pixel side: 16 samples give smooth edges on flags and their diagonals.
constexpr int kSamples = 4;

bool InsidePolygon(const std::vector<Point>& corners, double x, double y) {
    bool inside = false;
    for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
        const Point& a = corners[i];
        const Point& b = corners[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) {
            inside = !inside;
        }
    }
    return inside;
}

std::uint8_t Mix(std::uint8_t over, std::uint8_t under, double coverage) {
    return static_cast<std::uint8_t>(std::lround(over * coverage + under * (1 - coverage)));
}

}  // namespace

Canvas::Canvas(int width, int height, Colour background)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), background) {}

Colour Canvas::At(int x, int y) const {
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
}

void Canvas::Blend(int x, int y, Colour colour, double coverage) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || coverage <= 0) {
        return;
    }
    coverage = std::min(coverage, 1.0);
    Colour& pixel = pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                            static_cast<std::size_t>(x)];
    pixel = {Mix(colour.red, pixel.red, coverage), Mix(colour.green, pixel.green, coverage),
             Mix(colour.blue, pixel.blue, coverage)};
}

template <typename Inside>
void Canvas::FillCovered(double left, double top, double right, double bottom, Colour colour,
                         Inside inside) {
    const int firstX = std::max(0, static_cast<int>(std::floor(left)));
    const int firstY = std::max(0, static_cast<int>(std::floor(top)));
    const int lastX = std::min(width_ - 1, static_cast<int>(std::ceil(right)));
    const int lastY = std::min(height_ - 1, static_cast<int>(std::ceil(bottom)));
    for (int y = firstY; y <= lastY; ++y) {
        for (int x = firstX; x <= lastX; ++x) {
            int covered = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    covered += inside(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples);
                }
            }
            Blend(x, y, colour, static_cast<double>(covered) / (kSamples * kSamples));
        }
    }
}

void Canvas::Fill(const Polygon& polygon) {
    double left = polygon.corners[0].x, right = left;
    double top = polygon.corners[0].y, bottom = top;
    for (const Point& corner : polygon.corners) {
        left = std::min(left, corner.x);
        right = std::max(right, corner.x);
        top = std::min(top, corner.y);
        bottom = std::max(bottom, corner.y);
    }
    FillCovered(left, top, right, bottom, polygon.colour,
                [&](double x, double y) { return InsidePolygon(polygon.corners, x, y); });
}

void Canvas::Fill(const Circle& circle) {
    const Point c = circle.centre;
    const double r = circle.radius;
    FillCovered(c.x - r, c.y - r, c.x + r, c.y + r, circle.colour, [&](double x, double y) {
        return (x - c.x) * (x - c.x) + (y - c.y) * (y - c.y) <= r * r;
    });
}

}  // namespace picturegen
