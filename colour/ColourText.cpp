#include "colour/ColourText.h"

#include <cstdint>
#include <cstdio>

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

template <typename Number>
Text Formatted(const char* format, Number number)
{
    char digits[16];
    int length = std::snprintf(digits, sizeof digits, format, number);
    return Text::Copy(digits, static_cast<std::size_t>(length));
}

// Two digits per byte, leading zero kept, red (byte 0) first.
void WriteHtmlDigits(ColourValue colour, char* out)
{
    auto bits = static_cast<std::uint32_t>(colour);
    for (int byte = 0; byte < 3; ++byte) {
        unsigned value = (bits >> (8 * byte)) & 0xFFu;
        *out++ = kHexDigits[value >> 4];
        *out++ = kHexDigits[value & 0xFu];
    }
}

} // namespace

Text DecimalColourText(ColourValue colour)
{
    return Formatted("%d", static_cast<int>(colour));
}

Text HexColourText(ColourValue colour)
{
    return Formatted("%X", static_cast<unsigned>(static_cast<std::uint32_t>(colour)));
}

Text HtmlColourDigits(ColourValue colour)
{
    char digits[6];
    WriteHtmlDigits(colour, digits);
    return Text::Copy(digits, sizeof digits);
}

Text HtmlColourText(ColourValue colour)
{
    char html[7] = {'#'};
    WriteHtmlDigits(colour, html + 1);
    return Text::Copy(html, sizeof html);
}

ColourValue LabelTextColourFor(ColourValue colour)
{
    // The sum is exact in a double for every 32-bit input, and the conversion
    // truncates toward zero: -32768 gives 0 and -32769 gives -1.
    double sum = static_cast<double>(colour) + 32767.5;
    auto truncated = static_cast<std::int64_t>(sum);
    return static_cast<ColourValue>(static_cast<std::uint32_t>(truncated));
}
