// The ANSI code page here is Windows-1252, converted through iconv. Where iconv and Windows
// differ (bytes that 1252 leaves undefined, characters it lacks), this side follows Windows so
// that both builds give the same bytes.
#include "platform/text_codepage.h"

#include <iconv.h>

#include <cerrno>
#include <string>

namespace platform {

namespace {

constexpr char16_t kReplacementCharacter = 0xFFFD;

class Converter {
public:
    Converter(const char* to, const char* from) : descriptor(iconv_open(to, from)) {}
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    ~Converter() {
        if (IsOpen()) {
            iconv_close(descriptor);
        }
    }
    bool IsOpen() const { return descriptor != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as it can; answers false at the first input it cannot convert, with
    // `in` pointing at it.
    bool Convert(const char*& in, std::size_t& inLeft, std::string& out) {
        iconv(descriptor, nullptr, nullptr, nullptr, nullptr);
        while (inLeft > 0) {
            char buffer[256];
            char* outPointer = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result =
                iconv(descriptor, const_cast<char**>(&in), &inLeft, &outPointer, &outLeft);
            out.append(buffer, outPointer);
            if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
                return false;
            }
        }
        return true;
    }

private:
    iconv_t descriptor;
};

std::u16string Utf16FromBytes(const std::string& bytes) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    }
    return text;
}

std::u16string DecodeUtf8(const char* in, std::size_t length) {
    Converter converter("UTF-16LE", "UTF-8");
    std::string bytes;
    std::u16string text;
    while (length > 0) {
        bytes.clear();
        const bool complete = converter.Convert(in, length, bytes);
        text += Utf16FromBytes(bytes);
        if (complete) {
            break;
        }
        // A byte that starts no well-formed sequence stands for one replacement character.
        text.push_back(kReplacementCharacter);
        ++in;
        --length;
    }
    return text;
}

std::u16string DecodeAnsi(const char* in, std::size_t length) {
    Converter converter("UTF-16LE", "CP1252");
    std::u16string text;
    for (std::size_t i = 0; i < length; ++i) {
        const char* byte = in + i;
        std::size_t left = 1;
        std::string bytes;
        // The five bytes that 1252 leaves undefined map to the same code points, as on Windows.
        text.push_back(converter.Convert(byte, left, bytes) && bytes.size() == 2
                           ? Utf16FromBytes(bytes)[0]
                           : static_cast<char16_t>(static_cast<unsigned char>(in[i])));
    }
    return text;
}

std::string EncodeUtf8(const char16_t* in, std::size_t length) {
    Converter converter("UTF-8", "UTF-16LE");
    std::string bytes(reinterpret_cast<const char*>(in), length * 2);
    const char* pointer = bytes.data();
    std::size_t left = bytes.size();
    std::string out;
    converter.Convert(pointer, left, out);
    return out;
}

std::string EncodeAnsi(const char16_t* in, std::size_t length) {
    Converter exact("CP1252", "UTF-16LE");
    Converter closest("CP1252//TRANSLIT", "UTF-16LE");
    std::string out;
    for (std::size_t i = 0; i < length; ++i) {
        const char16_t unit = in[i];
        if (unit < 0x80) {
            out.push_back(static_cast<char>(unit));
            continue;
        }
        const char bytes[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
        std::string converted;
        const char* pointer = bytes;
        std::size_t left = 2;
        if (unit >= 0xD800 && unit <= 0xDFFF) {
            converted = "?";  // each half of a surrogate pair is a character 1252 lacks
        } else if (!exact.Convert(pointer, left, converted)) {
            pointer = bytes;
            left = 2;
            converted.clear();
            if (!closest.Convert(pointer, left, converted) || converted.size() != 1) {
                converted = "?";
            }
        }
        out += converted;
    }
    return out;
}

std::size_t InputLength(const char* in, int inLength) {
    return inLength >= 0 ? static_cast<std::size_t>(inLength) : std::char_traits<char>::length(in) + 1;
}

std::size_t InputLength(const char16_t* in, int inLength) {
    return inLength >= 0 ? static_cast<std::size_t>(inLength)
                         : std::char_traits<char16_t>::length(in) + 1;
}

template <typename Char>
int Deliver(const std::basic_string<Char>& result, Char* out, int outCount) {
    if (outCount == 0) {
        return static_cast<int>(result.size());
    }
    if (out == nullptr || result.size() > static_cast<std::size_t>(outCount)) {
        return 0;
    }
    result.copy(out, result.size());
    return static_cast<int>(result.size());
}

}  // namespace

int MultiByteToWide(CodePage codePage, const char* in, int inLength, char16_t* out, int outCount) {
    if (in == nullptr || inLength == 0 || outCount < 0) {
        return 0;
    }
    const std::size_t length = InputLength(in, inLength);
    const std::u16string text =
        codePage == CodePage::Utf8 ? DecodeUtf8(in, length) : DecodeAnsi(in, length);
    return Deliver(text, out, outCount);
}

int WideToMultiByte(CodePage codePage, const char16_t* in, int inLength, char* out, int outSize) {
    if (in == nullptr || inLength == 0 || outSize < 0) {
        return 0;
    }
    const std::size_t length = InputLength(in, inLength);
    const std::string bytes =
        codePage == CodePage::Utf8 ? EncodeUtf8(in, length) : EncodeAnsi(in, length);
    return Deliver(bytes, out, outSize);
}

// The case pairs of code page 1252, as CharLowerA and CharUpperA map them.
unsigned char LowerAnsiChar(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return static_cast<unsigned char>(c + 0x20);
    }
    if (c == 0x8A || c == 0x8C || c == 0x8E) {
        return static_cast<unsigned char>(c + 0x10);
    }
    return c == 0x9F ? 0xFF : c;
}

unsigned char UpperAnsiChar(unsigned char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
        return static_cast<unsigned char>(c - 0x20);
    }
    if (c == 0x9A || c == 0x9C || c == 0x9E) {
        return static_cast<unsigned char>(c - 0x10);
    }
    return c == 0xFF ? 0x9F : c;
}

}  // namespace platform
