#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tk {

// Compares ignoring the case of A-Z/a-z only; answers <0, 0 or >0 like strcmp.
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);
// The text without leading and trailing spaces and tabs.
std::string_view Trim(std::string_view text);
// The value of one hexadecimal digit (either case), or -1.
int HexDigitValue(char c);
// Converts a-z to A-Z and leaves every other byte alone.
std::string UpperCase(std::string text);
std::string IntToStr(std::int64_t value);
// A decimal 32-bit integer with an optional sign and nothing else; nullopt otherwise.
std::optional<std::int32_t> TryStrToInt(const std::string& text);
std::int32_t StrToIntDef(const std::string& text, std::int32_t fallback);

}  // namespace tk
