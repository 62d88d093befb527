// GIF89a encoding (header, palette, loop and graphic control extensions, LZW picture data)
// and the generated animations of the benchmark.
#include "bench/GifWriter.h"

#include <algorithm>
#include <unordered_map>

namespace {

constexpr int kMaxCodeBits = 12;
constexpr int kCodeLimit = 1 << kMaxCodeBits;  // codes are 0 .. kCodeLimit - 1
constexpr int kMaxSubBlock = 255;
constexpr uint8_t kExtension = 0x21, kGraphicControl = 0xF9, kApplication = 0xFF;
constexpr uint8_t kImageSeparator = 0x2C, kTrailer = 0x3B;
constexpr uint8_t kGlobalPalette = 0x80;
constexpr uint8_t kDoNotDispose = 1 << 2;  // disposal method 1 in the packed byte

int BitLength(int value) {
    int bits = 0;
    while (value > 0) {
        ++bits;
        value >>= 1;
    }
    return bits;
}

// Codes of varying width, least significant bit first, in data sub-blocks.
class CCodePacker {
public:
    explicit CCodePacker(std::vector<uint8_t>& out) : m_out(out) {}

    void Put(int code, int bits) {
        m_pending |= static_cast<uint32_t>(code) << m_count;
        m_count += bits;
        while (m_count >= 8) {
            Byte(static_cast<uint8_t>(m_pending & 0xFF));
            m_pending >>= 8;
            m_count -= 8;
        }
    }
    // The last partial byte, the last sub-block and the empty block that ends the data.
    void Finish() {
        if (m_count > 0)
            Byte(static_cast<uint8_t>(m_pending & 0xFF));
        Flush();
        m_out.push_back(0);
    }

private:
    void Byte(uint8_t b) {
        m_block.push_back(b);
        if (m_block.size() == kMaxSubBlock)
            Flush();
    }
    void Flush() {
        if (m_block.empty())
            return;
        m_out.push_back(static_cast<uint8_t>(m_block.size()));
        m_out.insert(m_out.end(), m_block.begin(), m_block.end());
        m_block.clear();
    }

    std::vector<uint8_t>& m_out;
    std::vector<uint8_t> m_block;
    uint32_t m_pending = 0;
    int m_count = 0;
};

// splitmix64: the same numbers for the same seed everywhere.
class CRandom {
public:
    explicit CRandom(uint64_t seed) : m_state(seed) {}
    uint64_t Next() {
        uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }

private:
    uint64_t m_state;
};

bool Drawable(int frames, int width, int height) {
    return frames >= 1 && width >= 1 && height >= 1 && width <= CGifWriter::kMaxSide &&
           height <= CGifWriter::kMaxSide;
}

}  // namespace

CGifWriter::CGifWriter(int width, int height, const std::vector<uint32_t>& palette)
    : m_width(std::clamp(width, 1, kMaxSide)), m_height(std::clamp(height, 1, kMaxSide)) {
    const int colours = std::clamp(static_cast<int>(palette.size()), 2, kMaxColours);
    while ((1 << m_colourBits) < colours)
        ++m_colourBits;
    const uint8_t header[] = {'G', 'I', 'F', '8', '9', 'a'};
    m_bytes.assign(header, header + sizeof(header));
    Put16(m_width);
    Put16(m_height);
    m_bytes.push_back(
        static_cast<uint8_t>(kGlobalPalette | (m_colourBits - 1) << 4 | (m_colourBits - 1)));
    m_bytes.push_back(0);  // background colour
    m_bytes.push_back(0);  // no aspect ratio
    for (int i = 0; i < (1 << m_colourBits); ++i) {
        const uint32_t rgb = i < static_cast<int>(palette.size()) ? palette[i] : 0;
        m_bytes.push_back(static_cast<uint8_t>(rgb >> 16));
        m_bytes.push_back(static_cast<uint8_t>(rgb >> 8));
        m_bytes.push_back(static_cast<uint8_t>(rgb));
    }
    // Loop for ever.
    const uint8_t loop[] = {kExtension, kApplication, 11,  'N', 'E', 'T', 'S', 'C', 'A', 'P',
                            'E',        '2',          '.', '0', 3,   1,   0,   0,   0};
    m_bytes.insert(m_bytes.end(), loop, loop + sizeof(loop));
}

void CGifWriter::Put16(int value) {
    m_bytes.push_back(static_cast<uint8_t>(value & 0xFF));
    m_bytes.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

bool CGifWriter::AddFrame(int x, int y, int width, int height, int delay,
                          const std::vector<uint8_t>& indexes) {
    if (x < 0 || y < 0 || width <= 0 || height <= 0 || x > m_width - width ||
        y > m_height - height || indexes.size() != static_cast<size_t>(width) * height ||
        delay < 0 || delay > 0xFFFF)
        return false;
    for (uint8_t index : indexes) {
        if (index >= (1 << m_colourBits))
            return false;
    }
    const uint8_t control[] = {kExtension, kGraphicControl, 4, kDoNotDispose};
    m_bytes.insert(m_bytes.end(), control, control + sizeof(control));
    Put16(delay);
    m_bytes.push_back(0);  // no transparent index
    m_bytes.push_back(0);  // block end
    m_bytes.push_back(kImageSeparator);
    Put16(x);
    Put16(y);
    Put16(width);
    Put16(height);
    m_bytes.push_back(0);  // no local palette, not interlaced
    PutImageData(indexes);
    ++m_frames;
    return true;
}

void CGifWriter::PutImageData(const std::vector<uint8_t>& indexes) {
    const int minBits = std::max(2, m_colourBits);
    m_bytes.push_back(static_cast<uint8_t>(minBits));
    const int clear = 1 << minBits, end = clear + 1;
    CCodePacker packer(m_bytes);
    // A decoder adds a table entry for every code it reads except the first after a clear,
    // and widens its codes when its next entry reaches a power of two; the codes written
    // follow that count, not the encoder's own table, which runs one entry ahead.
    int decoderNext = clear + 2;
    bool firstAfterClear = true;
    auto emit = [&](int code) {
        packer.Put(code, std::clamp(BitLength(decoderNext), minBits + 1, kMaxCodeBits));
        if (code == clear) {
            decoderNext = clear + 2;
            firstAfterClear = true;
        } else if (code != end) {
            if (!firstAfterClear && decoderNext < kCodeLimit)
                ++decoderNext;
            firstAfterClear = false;
        }
    };
    std::unordered_map<uint32_t, int> table;  // (prefix code << 8 | index) -> code
    int next = clear + 2;
    emit(clear);
    int prefix = indexes.front();
    for (size_t i = 1; i < indexes.size(); ++i) {
        const uint32_t key = static_cast<uint32_t>(prefix) << 8 | indexes[i];
        const auto found = table.find(key);
        if (found != table.end()) {
            prefix = found->second;
            continue;
        }
        emit(prefix);
        if (next < kCodeLimit) {
            table.emplace(key, next++);
        } else {
            emit(clear);
            table.clear();
            next = clear + 2;
        }
        prefix = indexes[i];
    }
    emit(prefix);
    emit(end);
    packer.Finish();
}

std::vector<uint8_t> CGifWriter::Bytes() const {
    std::vector<uint8_t> file = m_bytes;
    file.push_back(kTrailer);
    return file;
}

std::vector<uint8_t> MakeMovieGif(uint64_t seed, int frames, int width, int height) {
    constexpr int kBox = 64;
    constexpr int kDelay = 4;
    constexpr int kBands = 32;  // colours per band ramp
    if (!Drawable(frames, width, height))
        return {};
    CRandom random(seed);
    std::vector<uint32_t> palette(CGifWriter::kMaxColours);
    for (uint32_t& colour : palette)
        colour = static_cast<uint32_t>(random.Next() & 0xFFFFFF);
    CGifWriter gif(width, height, palette);
    std::vector<uint8_t> full(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            full[static_cast<size_t>(y) * width + x] =
                static_cast<uint8_t>((y / 16 * kBands + x / 40 + random.Below(3)) & 0xFF);
    }
    gif.AddFrame(0, 0, width, height, kDelay, full);
    const int box = std::min({kBox, width, height});
    std::vector<uint8_t> square(static_cast<size_t>(box) * box);
    for (int i = 1; i < frames; ++i) {
        // A bouncing path, so that the box covers the whole picture over time.
        const int spanX = 2 * (width - box) + 1, spanY = 2 * (height - box) + 1;
        int x = (i * 7) % spanX, y = (i * 5) % spanY;
        x = x > width - box ? spanX - 1 - x : x;
        y = y > height - box ? spanY - 1 - y : y;
        const int base = random.Below(CGifWriter::kMaxColours);
        for (int row = 0; row < box; ++row) {
            for (int col = 0; col < box; ++col)
                square[static_cast<size_t>(row) * box + col] =
                    static_cast<uint8_t>((base + (row + col + i) / 8 + random.Below(4)) & 0xFF);
        }
        gif.AddFrame(x, y, box, box, kDelay, square);
    }
    return gif.Bytes();
}

std::vector<uint8_t> MakeEmoticonGif(uint64_t seed, int frames, int side) {
    constexpr int kDelay = 10;
    enum : uint8_t { kPaper, kFace, kInk, kFreckle };
    if (!Drawable(frames, side, side))
        return {};
    CRandom random(seed);
    std::vector<uint32_t> palette = {0xFFFFFF, 0xFFD21E, 0x202020};
    while (palette.size() < 16)
        palette.push_back(static_cast<uint32_t>(random.Next() & 0xFFFFFF));
    CGifWriter gif(side, side, palette);
    const int centre = side / 2, radius = side / 2 - 1;
    const int freckleX = centre - 2 + random.Below(5), freckleY = centre + 2;
    std::vector<uint8_t> pixels(static_cast<size_t>(side) * side);
    for (int i = 0; i < frames; ++i) {
        const bool blink = i % 7 == 3;
        const int smile = i % 5;  // how deep the mouth curves
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                const int dx = x - centre, dy = y - centre;
                uint8_t index = dx * dx + dy * dy <= radius * radius ? kFace : kPaper;
                const bool eye = (dx == -side / 6 || dx == side / 6) && dy >= -side / 5 &&
                                 dy <= (blink ? -side / 5 : -side / 10);
                const bool mouth =
                    dx * dx <= side * side / 16 && dy == side / 6 + smile * dx * dx / (side * 2);
                if (eye || mouth)
                    index = kInk;
                if (x == freckleX && y == freckleY)
                    index = static_cast<uint8_t>(kFreckle + random.Below(13));
                pixels[static_cast<size_t>(y) * side + x] = index;
            }
        }
        gif.AddFrame(0, 0, side, side, kDelay, pixels);
    }
    return gif.Bytes();
}
