// A picture as its source describes it: a size, a background and shapes painted in order.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace picturegen {

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Colour&) const = default;
};

struct Point {
    double x = 0;
    double y = 0;
};

// A closed outline filled by the even-odd rule; rectangles and thick lines become polygons.
struct Polygon {
    std::vector<Point> corners;
    Colour colour;
};

struct Circle {
    Point centre;
    double radius = 0;
    Colour colour;
};

struct Text {
    Point origin;  // left end of the baseline
    double size = 0;
    bool bold = false;
    Colour colour;
    std::string utf8;
};

using Shape = std::variant<Polygon, Circle, Text>;

struct Picture {
    int width = 0;
    int height = 0;
    Colour background{255, 255, 255};
    std::vector<Shape> shapes;
    // Every colour the source names, in order of first use: the palette keeps them exact.
    std::vector<Colour> namedColours;
};

}  // namespace picturegen
