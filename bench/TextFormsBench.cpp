// Checks the colour text forms and the caption text colour over all 2^32
// values against an independent reference (snprintf and 64-bit integer
// arithmetic), on both cores, and prints how long it took. `--smoke` checks
// a stride across the range instead.

#include "colour/ColourText.h"
#include "colour/FatalFailure.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

void FatalFailure(const char* reason)
{
    std::fprintf(stderr, "fatal: %s\n", reason);
    std::exit(1);
}

namespace {

std::atomic<std::uint64_t> mismatches{0};

bool Same(const Text& text, const char* expected)
{
    return std::strcmp(text.Bytes(), expected) == 0 && text.Length() == std::strlen(expected);
}

void Check(std::uint32_t bits)
{
    auto colour = static_cast<ColourValue>(bits);
    char decimal[16], hex[16], html[16];
    std::snprintf(decimal, sizeof decimal, "%" PRId32, colour);
    std::snprintf(hex, sizeof hex, "%" PRIX32, bits);
    std::snprintf(html, sizeof html, "#%02X%02X%02X", bits & 0xFF, (bits >> 8) & 0xFF, (bits >> 16) & 0xFF);
    std::int64_t label = static_cast<std::int64_t>(colour) + (colour >= -32767 ? 32767 : 32768);
    bool good = Same(DecimalColourText(colour), decimal) && Same(HexColourText(colour), hex) &&
                Same(HtmlColourText(colour), html) &&
                LabelTextColourFor(colour) == static_cast<ColourValue>(static_cast<std::uint32_t>(label));
    if (!good && mismatches++ < 10)
        std::printf("mismatch at 0x%08" PRIX32 "\n", bits);
}

} // namespace

int main(int argc, char** argv)
{
    bool smoke = argc > 1 && std::strcmp(argv[1], "--smoke") == 0;
    const std::uint64_t stride = smoke ? 9973 : 1;
    const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    auto start = std::chrono::steady_clock::now();
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < threads; ++t)
        workers.emplace_back([=] {
            for (std::uint64_t v = t * stride; v <= 0xFFFFFFFFull; v += stride * threads)
                Check(static_cast<std::uint32_t>(v));
        });
    for (std::thread& worker : workers)
        worker.join();
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::uint64_t checked = (0x100000000ull + stride - 1) / stride;
    std::printf("| text forms vs reference | %" PRIu64 " values, %" PRIu64 " mismatches, %.1f s | 0 mismatches | %s |\n",
                checked, mismatches.load(), seconds, mismatches == 0 ? "met" : "not met");
    return mismatches == 0 ? 0 : 1;
}
