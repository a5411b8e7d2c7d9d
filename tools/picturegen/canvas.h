// An RGB canvas that shapes and texts are painted on, edge pixels blended by their coverage.
#pragma once

#include <vector>

#include "picture.h"

namespace picturegen {

class Canvas {
public:
    Canvas(int width, int height, Colour background);

    int Width() const { return width_; }
    int Height() const { return height_; }
    Colour At(int x, int y) const;

    void Fill(const Polygon& polygon);
    void Fill(const Circle& circle);
    // Lays `colour` over the pixel with the given coverage, 0 to 1; pixels outside are ignored.
    void Blend(int x, int y, Colour colour, double coverage);

private:
    template <typename Inside>
    void FillCovered(double left, double top, double right, double bottom, Colour colour,
                     Inside inside);

    int width_;
    int height_;
    std::vector<Colour> pixels_;
};

}  // namespace picturegen
