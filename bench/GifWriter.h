// CGifWriter: a small GIF89a encoder, and the fixed-seed animations the benchmark loads.
#pragma once

#include <cstdint>
#include <vector>

// Writes a looping animation with one global palette. Each frame is a rectangle of palette
// indexes placed on the picture, shown for its delay and left in place under later frames.
// Picture data are LZW-compressed; the code table starts afresh (a clear code) whenever it
// fills, so no code is wider than 12 bits.
class CGifWriter {
public:
    static constexpr int kMaxColours = 256;
    static constexpr int kMaxSide = 65535;

    // palette: 2 to 256 colours as 0xRRGGBB, padded to a power of two with black (colours
    // past 256 are left out); the size is clamped to 1 .. kMaxSide.
    CGifWriter(int width, int height, const std::vector<uint32_t>& palette);

    // A frame of width x height indexes (row by row) at (x, y), shown for delay hundredths
    // of a second. False, and nothing added, when the rectangle leaves the picture, the
    // indexes do not fill it or one lies outside the palette.
    bool AddFrame(int x, int y, int width, int height, int delay,
                  const std::vector<uint8_t>& indexes);
    int FrameCount() const { return m_frames; }
    // The file: header, palette, loop extension, the frames added so far and the trailer.
    std::vector<uint8_t> Bytes() const;

private:
    void Put16(int value);
    // The indexes as LZW codes in data sub-blocks of at most 255 bytes, then a 0 block.
    void PutImageData(const std::vector<uint8_t>& indexes);

    int m_width, m_height;
    int m_colourBits = 1;  // the palette holds 2^m_colourBits colours
    std::vector<uint8_t> m_bytes;
    int m_frames = 0;
};

// A 640 x 420 (by default) movie: a full first frame of noisy bands, then frames that each
// redraw a 64 x 64 box moving across the picture, 4 hundredths of a second apiece. Empty
// for fewer than one frame or a side outside 1 .. CGifWriter::kMaxSide.
std::vector<uint8_t> MakeMovieGif(uint64_t seed, int frames, int width = 640, int height = 420);
// A side x side emoticon of full frames over 16 colours: a face whose mouth and eyes move,
// plus a seed-dependent freckle so that every seed gives different bytes. Empty as above.
std::vector<uint8_t> MakeEmoticonGif(uint64_t seed, int frames = 20, int side = 24);
