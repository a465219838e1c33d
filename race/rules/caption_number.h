#pragma once
// Numbers that screens hold as decimal text in captions: read on every use, written back as the
// shortest decimal text with no leading blank ("0.1", "1", "15.3", "100").
#include <optional>
#include <string>
#include <string_view>

namespace race {

// The number a text holds: optional blanks, an optional sign, digits with an optional fraction.
// Anything else is not a number.
std::optional<double> parseNumber(std::string_view text);

// A caption's number; a caption that holds no number counts as 0.
double captionNumber(std::string_view caption);

// A whole number as a caption.
std::string numberCaption(long long value);

// The clock's caption for a tick count (never negative): ticks / 10, exact, in integer arithmetic.
std::string clockCaption(long long ticks);

}  // namespace race
