#include "caption_number.h"

#include <charconv>

namespace race {

namespace {
bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

std::optional<double> parseNumber(std::string_view text)
{
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);

    std::string_view digits = text;
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) digits.remove_prefix(1);
    bool seenDigit = false, seenPoint = false;
    for (char c : digits) {
        if (isDigit(c)) seenDigit = true;
        else if (c == '.' && !seenPoint) seenPoint = true;
        else return std::nullopt;
    }
    if (!seenDigit) return std::nullopt;

    // from_chars rejects a leading '+'; the sign is applied by hand.
    double value = 0;
    const bool negative = text.front() == '-';
    if (std::from_chars(digits.data(), digits.data() + digits.size(), value).ec != std::errc{})
        return std::nullopt;
    return negative ? -value : value;
}

double captionNumber(std::string_view caption) { return parseNumber(caption).value_or(0.0); }

std::string numberCaption(long long value) { return std::to_string(value); }

std::string clockCaption(long long ticks)
{
    std::string text = std::to_string(ticks / 10);
    if (const long long tenths = ticks % 10; tenths != 0) {
        text += '.';
        text += char('0' + tenths);
    }
    return text;
}

}  // namespace race
