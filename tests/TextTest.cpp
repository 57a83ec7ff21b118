#include "colour/ColourText.h"
#include "colour/Text.h"
#include "tests/CoreTestSupport.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <utility>

namespace {

void* NoMemory(std::size_t)
{
    return nullptr;
}

// Restores the real allocator however the test ends.
struct AllocatorSwap {
    explicit AllocatorSwap(TextAllocator allocator) : previous(SetTextAllocator(allocator)) {}
    ~AllocatorSwap() { SetTextAllocator(previous); }
    TextAllocator previous;
};

TEST(TextTest, NoMemoryForAnyTextFormIsAFatalFailure)
{
    AllocatorSwap swap(&NoMemory);
    EXPECT_THROW(DecimalColourText(1), FatalFailureReported);
    EXPECT_THROW(HexColourText(1), FatalFailureReported);
    EXPECT_THROW(HtmlColourDigits(1), FatalFailureReported);
    EXPECT_THROW(HtmlColourText(1), FatalFailureReported);
    EXPECT_EQ(LiveTextCount(), 0u);
}

TEST(TextTest, OwnershipMovesAndTheTextIsReleasedOnce)
{
    {
        Text first = Text::Copy("abc", 3);
        Text second = std::move(first);
        EXPECT_EQ(LiveTextCount(), 1u);
        EXPECT_STREQ(second.Bytes(), "abc");
        Text third = Text::Copy("x", 1);
        third = std::move(second);
        EXPECT_STREQ(third.Bytes(), "abc");
        EXPECT_EQ(LiveTextCount(), 2u);
    }
    EXPECT_EQ(LiveTextCount(), 0u);
}

} // namespace
