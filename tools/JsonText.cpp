#include "JsonText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

// Length of the well-formed UTF-8 sequence at s[i], or 0.
std::size_t Utf8SequenceLength(std::string_view s, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b0 = byte(i);
    std::size_t n;
    unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        n = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        n = 3;
        if (b0 == 0xE0)
            lo = 0xA0;  // no overlong forms
        if (b0 == 0xED)
            hi = 0x9F;  // no surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        n = 4;
        if (b0 == 0xF0)
            lo = 0x90;
        if (b0 == 0xF4)
            hi = 0x8F;  // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (i + n > s.size() || byte(i + 1) < lo || byte(i + 1) > hi)
        return 0;
    for (std::size_t k = 2; k < n; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
    }
    return n;
}

void AppendEscapedByte(std::string& out, unsigned char b)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\u%04x", b);
    out += buf;
}

}  // namespace

std::string ShortestText(double value)
{
    if (!std::isfinite(value))
        return {};
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    if (ec != std::errc())
        return {};
    return std::string(buf, end);
}

void AppendJsonNumber(std::string& out, double value)
{
    const std::string text = ShortestText(value);
    out += text.empty() ? "null" : text;
}

void AppendJsonString(std::string& out, std::string_view text)
{
    out += '"';
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        if (b < 0x80) {
            switch (b) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            default:
                if (b < 0x20 || b == 0x7F)
                    AppendEscapedByte(out, b);
                else
                    out += static_cast<char>(b);
            }
            ++i;
            continue;
        }
        const std::size_t n = Utf8SequenceLength(text, i);
        if (n == 0) {
            AppendEscapedByte(out, b);
            ++i;
        } else {
            out.append(text.substr(i, n));
            i += n;
        }
    }
    out += '"';
}
