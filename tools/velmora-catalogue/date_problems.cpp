#include "tools/velmora-catalogue/date_problems.h"

#include <cctype>

#include "tools/velmora-catalogue/shown_text.h"

namespace catalogue {

namespace {

constexpr std::size_t kDateLength = 10;  // DD/MM/YYYY

int DaysInMonth(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

}  // namespace

bool IsRealDate(const NX_String& key) {
    const std::string text = key.GetText();
    if (key.IsNull() || text.size() != 8) {
        return false;
    }
    for (const char c : text) {
        if (std::isdigit(static_cast<unsigned char>(c)) == 0) {
            return false;
        }
    }
    const int year = std::stoi(text.substr(0, 4));
    const int month = std::stoi(text.substr(4, 2));
    const int day = std::stoi(text.substr(6, 2));
    return month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

std::string DateOfKey(const NX_String& key) {
    const std::string text = key.GetText();
    return text.substr(6, 2) + "/" + text.substr(4, 2) + "/" + text.substr(0, 4);
}

void CheckDate(const std::string& text, const NX_String& key, int line,
               const std::string& consequence, Diagnostics& diagnostics) {
    if (key.IsNull()) {
        diagnostics.Error(line, "date " + Quoted(text) +
                                    " is shorter than 6 characters: it gives no key, " +
                                    consequence);
        return;
    }
    if (!IsRealDate(key)) {
        diagnostics.Error(line, "date " + Quoted(text) + " reads as the key " + Quoted(key) +
                                    ", which is no calendar day: write DD/MM/YYYY");
        return;
    }
    if (text.size() > kDateLength) {
        diagnostics.Warning(
            line, "date " + Quoted(text) + ": the characters after the tenth are not read");
    }
}

}  // namespace catalogue
