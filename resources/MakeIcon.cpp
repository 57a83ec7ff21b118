// Draws the program icon and writes it as a one-image .ico whose image is a
// PNG, which keeps the executable small. Usage: make-icon OUTPUT.ico
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kSize = 128;
constexpr int kRowBytes = 1 + kSize * 4;  // filter byte + RGBA pixels

struct Rgba {
    double r, g, b, a;
};

// A saturated colour for a hue in [0, 1), by HSV with fixed S and V.
Rgba hueColour(double hue) {
    const double s = 0.8, v = 0.95;
    const double h = hue * 6.0;
    const int sector = static_cast<int>(h) % 6;
    const double f = h - std::floor(h);
    const double p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
    switch (sector) {
        case 0: return {v, t, p, 1};
        case 1: return {q, v, p, 1};
        case 2: return {p, v, t, 1};
        case 3: return {p, q, v, 1};
        case 4: return {t, p, v, 1};
        default: return {v, p, q, 1};
    }
}

// Wine shrinks icons by ANDing together every pixel that lands on one target
// pixel. The picture is drawn so that this still looks right at 32 and 16 px:
// each square owns an 8-px-aligned 16 px cell, so no target pixel mixes two
// squares; the light grey round the squares has every bit but bit 3 set, so
// ANDing a square with it barely changes the square; and each grey of the rim
// has a subset of the bits of the grey inside it.
constexpr double kLight = 0xF7 / 255.0, kRim = 0xD7 / 255.0, kOutline = 0x87 / 255.0;

// Colour at one sample point: a light disc carrying a 4 x 4 grid of squares
// that walks round the hue circle, inside a light grey rim and a darker edge.
// The rim is wide enough that at 16 px every edge pixel still catches it.
Rgba sample(double x, double y) {
    const double c = kSize / 2.0;
    const double d = std::hypot(x - c, y - c);
    if (d > 63.0) return {0, 0, 0, 0};
    if (d > 59.5) return {kOutline, kOutline, kOutline, 1};
    if (d > 55.5) return {kRim, kRim, kRim, 1};

    const int origin = 32, pitch = 16, gap = 1;
    const int gx = static_cast<int>(std::floor(x)) - origin, gy = static_cast<int>(std::floor(y)) - origin;
    if (gx >= 0 && gy >= 0 && gx < 4 * pitch && gy < 4 * pitch) {
        const int ux = gx % pitch, uy = gy % pitch;
        if (ux >= gap && ux < pitch - gap && uy >= gap && uy < pitch - gap)
            return hueColour((gy / pitch * 4 + gx / pitch) / 16.0);
    }
    return {kLight, kLight, kLight, 1};
}

// Antialiased alpha is rounded to a level whose set bits are a prefix
// (0x80, 0xC0, ... 0xFF), so ANDing levels keeps the smallest, as a shrink
// should, instead of punching holes in the edge.
std::uint8_t edgeAlpha(double coverage) {
    std::uint8_t best = 0;
    for (int ones = 1; ones <= 8; ++ones) {
        const std::uint8_t level = static_cast<std::uint8_t>(0xFF00 >> ones);
        if (std::abs(level / 255.0 - coverage) < std::abs(best / 255.0 - coverage)) best = level;
    }
    return best;
}

// Straight-alpha RGBA rows, each preceded by PNG filter type 0. Every pixel
// averages 4 x 4 samples so the circle comes out antialiased.
Bytes drawRows() {
    Bytes rows;
    rows.reserve(kRowBytes * kSize);
    const int n = 4;
    for (int y = 0; y < kSize; ++y) {
        rows.push_back(0);
        for (int x = 0; x < kSize; ++x) {
            double r = 0, g = 0, b = 0, a = 0;
            for (int j = 0; j < n; ++j) {
                for (int i = 0; i < n; ++i) {
                    const Rgba s = sample(x + (i + 0.5) / n, y + (j + 0.5) / n);
                    r += s.r * s.a;
                    g += s.g * s.a;
                    b += s.b * s.a;
                    a += s.a;
                }
            }
            const std::uint8_t alpha = edgeAlpha(a / (n * n));
            auto byte = [](double v) { return static_cast<std::uint8_t>(std::lround(v * 255.0)); };
            if (alpha > 0) {
                rows.push_back(byte(r / a));
                rows.push_back(byte(g / a));
                rows.push_back(byte(b / a));
            } else {
                rows.insert(rows.end(), 3, 0);
            }
            rows.push_back(alpha);
        }
    }
    return rows;
}

// Deflate writes bits least significant first; Huffman codes go in most
// significant bit first.
class BitWriter {
public:
    void bits(std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) put((value >> i) & 1);
    }
    void code(std::uint32_t value, int count) {
        for (int i = count - 1; i >= 0; --i) put((value >> i) & 1);
    }
    Bytes finish() {
        if (used_) out_.push_back(acc_);
        return out_;
    }

private:
    void put(std::uint32_t bit) {
        acc_ |= static_cast<std::uint8_t>(bit << used_);
        if (++used_ == 8) {
            out_.push_back(acc_);
            acc_ = 0;
            used_ = 0;
        }
    }
    Bytes out_;
    std::uint8_t acc_ = 0;
    int used_ = 0;
};

void literalCode(BitWriter& w, int symbol) {
    if (symbol < 144) w.code(0x30 + symbol, 8);
    else if (symbol < 256) w.code(0x190 + symbol - 144, 9);
    else if (symbol < 280) w.code(symbol - 256, 7);
    else w.code(0xC0 + symbol - 280, 8);
}

void match(BitWriter& w, int length, int distance) {
    static constexpr std::array<int, 29> lenBase = {3,  4,  5,  6,  7,  8,  9,  10,  11,  13,
                                                    15, 17, 19, 23, 27, 31, 35, 43,  51,  59,
                                                    67, 83, 99, 115, 131, 163, 195, 227, 258};
    static constexpr std::array<int, 29> lenExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                     2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    static constexpr std::array<int, 30> distBase = {
        1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
        193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
    int l = 28;
    while (lenBase[l] > length) --l;
    literalCode(w, 257 + l);
    w.bits(length - lenBase[l], lenExtra[l]);
    int d = 29;
    while (distBase[d] > distance) --d;
    w.code(d, 5);
    w.bits(distance - distBase[d], d < 4 ? 0 : d / 2 - 1);
}

// One fixed-Huffman block with greedy LZ77: hash chains on three bytes find
// earlier copies of the same run, such as the row above or the mirrored row
// from the top half of the badge.
Bytes deflate(const Bytes& data) {
    BitWriter w;
    w.bits(1, 1);  // final block
    w.bits(1, 2);  // fixed Huffman codes
    constexpr std::size_t kWindow = 32768, kChain = 256;
    constexpr std::uint32_t kHashSize = 1 << 15;
    std::vector<std::int64_t> head(kHashSize, -1), previous(data.size(), -1);
    auto hashAt = [&](std::size_t p) {
        return ((data[p] << 10) ^ (data[p + 1] << 5) ^ data[p + 2]) & (kHashSize - 1);
    };
    auto insert = [&](std::size_t p) {
        if (p + 2 >= data.size()) return;
        const std::uint32_t h = hashAt(p);
        previous[p] = head[h];
        head[h] = static_cast<std::int64_t>(p);
    };
    std::size_t pos = 0;
    while (pos < data.size()) {
        std::size_t bestLength = 0, bestDistance = 0;
        if (pos + 2 < data.size()) {
            std::int64_t candidate = head[hashAt(pos)];
            for (std::size_t tries = 0; candidate >= 0 && tries < kChain; ++tries) {
                const std::size_t from = static_cast<std::size_t>(candidate);
                if (pos - from > kWindow) break;
                std::size_t length = 0;
                while (length < 258 && pos + length < data.size() && data[from + length] == data[pos + length])
                    ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = pos - from;
                }
                candidate = previous[from];
            }
        }
        if (bestLength >= 3) {
            match(w, static_cast<int>(bestLength), static_cast<int>(bestDistance));
            for (std::size_t end = pos + bestLength; pos < end; ++pos) insert(pos);
        } else {
            literalCode(w, data[pos]);
            insert(pos++);
        }
    }
    literalCode(w, 256);
    return w.finish();
}

void putBig32(Bytes& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void putLittle(Bytes& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

std::uint32_t crc32(const std::uint8_t* p, std::size_t n) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < n; ++i) {
        crc ^= p[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

std::uint32_t adler32(const Bytes& data) {
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void chunk(Bytes& png, const char* type, const Bytes& body) {
    putBig32(png, static_cast<std::uint32_t>(body.size()));
    const std::size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), body.begin(), body.end());
    putBig32(png, crc32(png.data() + start, png.size() - start));
}

Bytes encodePng(const Bytes& rows) {
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    putBig32(header, kSize);
    putBig32(header, kSize);
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA, no interlace
    chunk(png, "IHDR", header);

    Bytes zlib = {0x78, 0x01};
    const Bytes compressed = deflate(rows);
    zlib.insert(zlib.end(), compressed.begin(), compressed.end());
    putBig32(zlib, adler32(rows));
    chunk(png, "IDAT", zlib);
    chunk(png, "IEND", {});
    return png;
}

Bytes encodeIco(const Bytes& png) {
    Bytes ico;
    putLittle(ico, 0, 2);  // reserved
    putLittle(ico, 1, 2);  // icon, not cursor
    putLittle(ico, 1, 2);  // one image
    ico.push_back(kSize);
    ico.push_back(kSize);
    ico.push_back(0);       // no palette
    ico.push_back(0);       // reserved
    putLittle(ico, 1, 2);   // planes
    putLittle(ico, 32, 2);  // bits per pixel
    putLittle(ico, static_cast<std::uint32_t>(png.size()), 4);
    putLittle(ico, 6 + 16, 4);  // image follows the directory
    ico.insert(ico.end(), png.begin(), png.end());
    return ico;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.ico\n", argv[0]);
        return 2;
    }
    const Bytes ico = encodeIco(encodePng(drawRows()));
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(ico.data()), static_cast<std::streamsize>(ico.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
