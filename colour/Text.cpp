#include "colour/Text.h"

#include "colour/FatalFailure.h"

#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

TextAllocator currentAllocator = &std::malloc;
std::size_t liveTexts = 0;

} // namespace

TextAllocator SetTextAllocator(TextAllocator allocator)
{
    return std::exchange(currentAllocator, allocator ? allocator : &std::malloc);
}

std::size_t LiveTextCount()
{
    return liveTexts;
}

Text Text::Copy(const char* bytes, std::size_t length)
{
    auto* copy = static_cast<char*>(currentAllocator(length + 1));
    if (!copy)
        FatalFailure("There is not enough memory to show the picked colour.");
    std::memcpy(copy, bytes, length);
    copy[length] = '\0';
    ++liveTexts;
    return Text(copy, length);
}

Text::Text(Text&& other) noexcept
    : bytes_(std::exchange(other.bytes_, nullptr)), length_(std::exchange(other.length_, 0))
{
}

Text& Text::operator=(Text&& other) noexcept
{
    std::swap(bytes_, other.bytes_);
    std::swap(length_, other.length_);
    return *this;
}

Text::~Text()
{
    if (bytes_) {
        std::free(bytes_);
        --liveTexts;
    }
}
