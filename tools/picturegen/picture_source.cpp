#include "picture_source.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace picturegen {
namespace {

struct Token {
    std::string text;
    bool quoted = false;
};

class Directive {
public:
    Directive(const std::string& line, std::string where) : where_(std::move(where)) {
        std::size_t at = 0;
        while (at < line.size()) {
            if (line[at] == ' ' || line[at] == '\t' || line[at] == '\r') {
                ++at;
            } else if (line[at] == '"') {
                const std::size_t end = line.find('"', at + 1);
                if (end == std::string::npos) {
                    Fail("the text has no closing quote");
                }
                tokens_.push_back({line.substr(at + 1, end - at - 1), true});
                at = end + 1;
            } else {
                const std::size_t end = line.find_first_of(" \t\r\"", at);
                const std::size_t stop = end == std::string::npos ? line.size() : end;
                tokens_.push_back({line.substr(at, stop - at), false});
                at = stop;
            }
        }
    }

    bool AtEnd() const { return next_ == tokens_.size(); }
    bool NextIsNumber() const {
        return !AtEnd() && !tokens_[next_].quoted && tokens_[next_].text[0] != '#';
    }

    std::string Word(const char* what) {
        const Token& token = Take(what);
        if (token.quoted) {
            Fail(std::string("expected ") + what + ", not a quoted text");
        }
        return token.text;
    }

    std::string Quoted(const char* what) {
        const Token& token = Take(what);
        if (!token.quoted) {
            Fail(std::string("expected ") + what + " in double quotes");
        }
        return token.text;
    }

    double Number(const char* what, double smallest, double largest) {
        const std::string text = Word(what);
        double value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
            Fail(std::string("expected ") + what + " as a number, not \"" + text + "\"");
        }
        if (value < smallest || value > largest) {
            Fail(std::string(what) + " " + text + " is out of range");
        }
        return value;
    }

    Colour ColourValue() {
        const std::string text = Word("a colour");
        unsigned value = 0;
        const auto [end, error] =
            std::from_chars(text.data() + 1, text.data() + text.size(), value, 16);
        if (text.size() != 7 || text[0] != '#' || error != std::errc() ||
            end != text.data() + text.size()) {
            Fail("a colour is written #RRGGBB, not \"" + text + "\"");
        }
        return {static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
                static_cast<std::uint8_t>(value)};
    }

    void ExpectEnd() {
        if (!AtEnd()) {
            Fail("unexpected \"" + tokens_[next_].text + "\" at the end of the line");
        }
    }

    [[noreturn]] void Fail(const std::string& message) const {
        throw SourceError(where_ + ": " + message);
    }

private:
    const Token& Take(const char* what) {
        if (AtEnd()) {
            Fail(std::string("expected ") + what + " before the end of the line");
        }
        return tokens_[next_++];
    }

    std::string where_;
    std::vector<Token> tokens_;
    std::size_t next_ = 0;
};

constexpr double kLargestCoordinate = 4096;

Point ReadPoint(Directive& line) {
    const double x = line.Number("an x coordinate", -kLargestCoordinate, kLargestCoordinate);
    const double y = line.Number("a y coordinate", -kLargestCoordinate, kLargestCoordinate);
    return {x, y};
}

// A stroke of the given width from a to b, as the rectangle around that segment.
Polygon ThickLine(Point a, Point b, double width, Colour colour) {
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    const double nx = length == 0 ? 0 : -(b.y - a.y) / length * width / 2;
    const double ny = length == 0 ? 0 : (b.x - a.x) / length * width / 2;
    return {
        {{a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}},
        colour};
}

class Reader {
public:
    void Read(Directive& line) {
        const std::string keyword = line.Word("a directive");
        if (keyword == "size") {
            picture_.width = static_cast<int>(line.Number("the width", 1, kLargestCoordinate));
            picture_.height = static_cast<int>(line.Number("the height", 1, kLargestCoordinate));
        } else if (picture_.width == 0) {
            line.Fail("the picture's size comes first");
        } else if (keyword == "background") {
            picture_.background = Named(line.ColourValue());
        } else if (keyword == "rect") {
            const Point corner = ReadPoint(line);
            const double width = line.Number("the width", 0, kLargestCoordinate);
            const double height = line.Number("the height", 0, kLargestCoordinate);
            picture_.shapes.push_back(Polygon{{corner,
                                               {corner.x + width, corner.y},
                                               {corner.x + width, corner.y + height},
                                               {corner.x, corner.y + height}},
                                              Named(line.ColourValue())});
        } else if (keyword == "polygon") {
            Polygon polygon{{}, Named(line.ColourValue())};
            while (line.NextIsNumber()) {
                polygon.corners.push_back(ReadPoint(line));
            }
            if (polygon.corners.size() < 3) {
                line.Fail("a polygon has at least three corners");
            }
            picture_.shapes.push_back(std::move(polygon));
        } else if (keyword == "line") {
            const Point from = ReadPoint(line);
            const Point to = ReadPoint(line);
            const double width = line.Number("the line width", 0, kLargestCoordinate);
            picture_.shapes.push_back(ThickLine(from, to, width, Named(line.ColourValue())));
        } else if (keyword == "circle") {
            const Point centre = ReadPoint(line);
            const double radius = line.Number("the radius", 0, kLargestCoordinate);
            picture_.shapes.push_back(Circle{centre, radius, Named(line.ColourValue())});
        } else if (keyword == "text") {
            Text text;
            text.origin = ReadPoint(line);
            text.size = line.Number("the font size", 1, 512);
            const std::string weight = line.Word("regular or bold");
            if (weight != "regular" && weight != "bold") {
                line.Fail("the weight is regular or bold, not \"" + weight + "\"");
            }
            text.bold = weight == "bold";
            text.colour = Named(line.ColourValue());
            text.utf8 = line.Quoted("the text");
            picture_.shapes.push_back(std::move(text));
        } else {
            line.Fail("unknown directive \"" + keyword + "\"");
        }
        line.ExpectEnd();
    }

    Picture Finish(const std::string& where) {
        if (picture_.width == 0) {
            throw SourceError(where + ": the picture has no size");
        }
        return std::move(picture_);
    }

private:
    Colour Named(Colour colour) {
        for (const Colour& known : picture_.namedColours) {
            if (known == colour) {
                return colour;
            }
        }
        picture_.namedColours.push_back(colour);
        return colour;
    }

    Picture picture_;
};

}  // namespace

Picture ReadPictureSource(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw SourceError(path.string() + ": cannot be read");
    }
    Reader reader;
    std::string text;
    for (int number = 1; std::getline(file, text); ++number) {
        const std::size_t start = text.find_first_not_of(" \t\r");
        if (start == std::string::npos || text[start] == '#') {
            continue;
        }
        Directive line(text, path.string() + ":" + std::to_string(number));
        reader.Read(line);
    }
    return reader.Finish(path.string());
}

}  // namespace picturegen
