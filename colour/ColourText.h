#pragma once

#include "colour/ColourValue.h"
#include "colour/Text.h"

// The forms in which a picked colour is shown. All are pure and accept every
// 32-bit value, CLR_INVALID (-1) included, without looking at it.

// The value as a signed decimal number: "255", "-1".
Text DecimalColourText(ColourValue colour);

// The 32 bits as an unsigned hexadecimal number, no leading zeros. In COLORREF
// layout that puts blue first: pure red is "FF", pure blue "FF0000".
Text HexColourText(ColourValue colour);

// Exactly six upper-case digits: red pair, green pair, blue pair. The top byte
// is never read.
Text HtmlColourDigits(ColourValue colour);

// "#" and HtmlColourDigits: the order a web page writes a colour in.
Text HtmlColourText(ColourValue colour);

// The colour the captions draw their text in over the picked colour: the
// colour plus 32767.5, truncated toward zero, low 32 bits kept, not masked.
ColourValue LabelTextColourFor(ColourValue colour);
