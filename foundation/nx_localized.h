// Every user-visible text: named by a string list (family base plus language index) and a
// 1-based index, taken from the override table, the list of the language, or the English list.
#pragma once

#include "foundation/nx_string.h"

// The size of the buffer NX_FetchString fills.
constexpr int kFetchBufferSize = 1008;

// The text, or an empty text when no source has it.
NX_String NX_GetString(short listId, short index);
// The same into a buffer of kFetchBufferSize bytes.
void NX_FetchString(char* buffer, short listId, short index);
// The host's standard alert with one "OK" button; returns when the user closed it. Null texts
// show as empty.
void NX_Alert(short alertType, const char* title, const char* largeText, const char* smallText);
// "Error" (isError) or "Warning" in the current language, the separator, then the text with its
// first byte in lower case (lowerFirst) or upper case. Empty when text or separator is null.
NX_String NX_MakeMessage(const char* text, bool isError, const char* separator, bool lowerFirst);
