// JSON numbers and strings.
#pragma once

#include <string>
#include <string_view>

// The shortest decimal text that reads back to the same double ("0.1", "-2.5e-06", "3600").
// Empty for NaN and the infinities.
std::string ShortestText(double value);

// ShortestText, or null for a value JSON cannot hold.
void AppendJsonNumber(std::string& out, double value);

// A quoted JSON string. Texts are UTF-8; control characters, quotes and backslashes are
// escaped. A byte that is not part of a well-formed UTF-8 sequence (a text from a system code
// page) is read as Latin-1 and written as \u00XX, so the output is always valid JSON.
void AppendJsonString(std::string& out, std::string_view text);
