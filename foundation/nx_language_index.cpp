#include "foundation/nx_language_index.h"

std::int16_t LanguageIndex = 1;
