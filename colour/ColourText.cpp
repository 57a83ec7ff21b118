#include "colour/ColourText.h"

#include <cstddef>
#include <cstdint>

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// Digits of an unsigned number in a base, most significant first, no leading
// zeros ("0" for zero), written backwards from the end of a buffer.
char* DigitsBefore(char* end, std::uint32_t number, unsigned base)
{
    do {
        *--end = kHexDigits[number % base];
        number /= base;
    } while (number != 0);
    return end;
}

Text TextBetween(const char* begin, const char* end)
{
    return Text::Copy(begin, static_cast<std::size_t>(end - begin));
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
    char buffer[11];
    char* end = buffer + sizeof buffer;
    // The magnitude of INT32_MIN only fits unsigned.
    auto magnitude = static_cast<std::uint32_t>(colour);
    if (colour < 0)
        magnitude = 0u - magnitude;
    char* begin = DigitsBefore(end, magnitude, 10);
    if (colour < 0)
        *--begin = '-';
    return TextBetween(begin, end);
}

Text HexColourText(ColourValue colour)
{
    char buffer[8];
    char* end = buffer + sizeof buffer;
    return TextBetween(DigitsBefore(end, static_cast<std::uint32_t>(colour), 16), end);
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
