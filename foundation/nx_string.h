// The suite's 8-bit text: one owned, zero-terminated array in the system's ANSI code page, or
// null. Null (no text) and empty ("") are different values; most operations give null when an
// operand is null, which is how failed lookups and bad indexes show.
#pragma once

#include "shell/host_interface.h"

class NX_String {
public:
    NX_String() = default;
    NX_String(const char* text);  // NOLINT(google-explicit-constructor): texts convert freely
    // At most maxLength bytes of text; the array always holds maxLength + 1 bytes.
    NX_String(const char* text, int maxLength);
    NX_String(const NX_String& other);
    NX_String(NX_String&& other) noexcept;
    // The 32-bit value in decimal, right-aligned to `width` when width is not 0 (below 200).
    NX_String(const long& value, int width);
    ~NX_String();

    NX_String& operator=(const NX_String& other);
    NX_String& operator=(NX_String&& other) noexcept;
    NX_String& operator=(const char* text);
    void Set(const char* text, int maxLength);
    // a, b and c joined, each cut to its maximum (0 or more than its length: whole).
    void SetJoined(const char* a, int maxA, const char* b, int maxB, const char* c, int maxC);

    const char* GetText() const { return text != nullptr ? text : ""; }
    bool IsNull() const { return text == nullptr; }
    static int Length(const char* text);

    NX_String operator+(const char* other) const;
    NX_String operator+(const NX_String& other) const;
    NX_String& operator+=(const char* other);
    NX_String& operator+=(const NX_String& other);

    // Bytes compare as signed 8-bit values; any comparison with null is false.
    bool operator<(const NX_String& other) const;
    bool operator>(const NX_String& other) const;
    bool operator<=(const NX_String& other) const;
    static bool Equal(const char* a, const char* b);
    static bool EqualNoCase(const char* a, const char* b);

    int Find(const char* what, int from) const;
    int FindNoCase(const char* what, int from) const;
    int ReverseFind(const char* what) const;
    bool IsAt(const char* what, int position) const;
    bool EndsWith(const char* what) const;

    NX_String Mid(int start) const;
    NX_String Mid(int start, int count) const;
    NX_String ToLower() const;
    NX_String ToUpper() const;
    NX_String Replace(const char* what, const char* with) const;

    static int ToInt(const char* text);
    static NX_String Format(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 1, 2)))
#endif
        ;

    GS::UniString ToUniString() const;

private:
    friend NX_String operator+(const char* text, const NX_String& s);

    // first followed by second in an array of exactly their lengths plus one; null when either
    // is null.
    static NX_String Joined(const char* first, const char* second);
    // Takes ownership of an array made with NX_AllocateArray.
    static NX_String Adopt(char* array);
    void Release();

    char* text = nullptr;
};

NX_String operator+(const char* text, const NX_String& s);

// Member tools allocate texts into the hub's records: the layout is one pointer.
static_assert(sizeof(NX_String) == sizeof(char*));
