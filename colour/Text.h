#pragma once

#include <cstddef>

// A zero-terminated byte string made for one write and released as soon as
// the write has returned. Move-only, so a text has exactly one owner.
class Text {
public:
    // Makes a text with a copy of the given bytes. No memory is a fatal failure.
    static Text Copy(const char* bytes, std::size_t length);

    Text(Text&& other) noexcept;
    Text& operator=(Text&& other) noexcept;
    Text(const Text&) = delete;
    Text& operator=(const Text&) = delete;
    ~Text();

    const char* Bytes() const { return bytes_; }
    std::size_t Length() const { return length_; }

private:
    Text(char* bytes, std::size_t length) : bytes_(bytes), length_(length) {}

    char* bytes_;
    std::size_t length_;
};

// Where texts get their memory. Swapped by tests and by the fault-injection
// build to make an allocation fail; an allocator hands out memory that
// std::free releases. Null restores the default; returns the one replaced.
using TextAllocator = void* (*)(std::size_t bytes);
TextAllocator SetTextAllocator(TextAllocator allocator);

// How many texts exist right now; lets tests check that a pick never holds
// more than one at a time.
std::size_t LiveTextCount();
