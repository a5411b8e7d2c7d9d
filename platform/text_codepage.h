// The system's 8-bit (ANSI) code page and UTF-8, converted the way Windows converts them.
#pragma once

namespace platform {

enum class CodePage { Ansi, Utf8 };

// Like MultiByteToWideChar with no flags: `inLength` -1 converts through the terminator and
// counts it, and a length below -1 is refused. Invalid UTF-8 becomes U+FFFD. With `outCount` 0
// answers the count needed; answers 0 on failure (including an output too small).
int MultiByteToWide(CodePage codePage, const char* in, int inLength, char16_t* out, int outCount);

// Like WideCharToMultiByte with no flags and no default character: characters the code page
// lacks become their closest form or '?'. Same counting rules as above.
int WideToMultiByte(CodePage codePage, const char16_t* in, int inLength, char* out, int outSize);

// The single-character case mappings of the ANSI code page (CharLowerA / CharUpperA).
unsigned char LowerAnsiChar(unsigned char c);
unsigned char UpperAnsiChar(unsigned char c);

}  // namespace platform
