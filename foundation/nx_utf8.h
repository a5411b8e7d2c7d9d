// The only way UTF-8 text (string lists, the override file, the versions file) enters the
// suite's 8-bit texts.
#pragma once

// Whether the text is well-formed UTF-8; with requireMultiByte it must also hold at least one
// multi-byte sequence (pure ASCII then gives false). False for null.
bool NX_IsWellFormedUtf8(const char* text, bool requireMultiByte);

// Converts zero-terminated UTF-8 to the system ANSI code page. Answers the converted length
// (without the terminator; `out` null makes it a size query), -2 when it would need more than
// outSize bytes with the terminator (out untouched), -3 for null input (out empty), -1 when a
// conversion fails.
int NX_Utf8ToAnsi(const char* utf8, char* out, int outSize);
