// Pictures of the drawing library: decoding, frames, encoding, duplicates and drawing.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <vector>

#include "tests/platform/graphics/GfxTestUtil.h"

using namespace gfxtest;

namespace {
std::string Encoded(IXImage* image) {
    BYTE* buffer = nullptr;
    DWORD length = 0;
    if (!image->Encode(XIMAGE_ENCODE_ORIGINAL, &buffer, &length))
        return "<failed>";
    std::string bytes(reinterpret_cast<const char*>(buffer), length);
    image->FreeBuffer(buffer);
    return bytes;
}

bool Near(COLORREF a, COLORREF b, int tolerance = 2) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// A side x side GIF of white and red whose frame k adds a red pixel at (k % side, k / side)
// to those of the frames before; each frame shows for 5 hundredths of a second.
std::string DotsGif(int side, int frames) {
    auto le16 = [](int v) { return std::string{char(v & 0xFF), char(v >> 8)}; };
    std::string gif = "GIF89a" + le16(side) + le16(side) + std::string("\x80\0\0", 3) +
                      std::string("\xFF\xFF\xFF\xFF\0\0", 6);
    for (int k = 0; k < frames; ++k) {
        gif += std::string("\x21\xF9\x04\x04\x05\0\0\0", 8);  // kept under later frames
        gif += "\x2C" + le16(k % side) + le16(k / side) + le16(1) + le16(1) + '\0';
        // Three-bit LZW codes clear, 1, end.
        gif += std::string("\x02\x02\x4C\x01\0", 5);
    }
    return gif + ';';
}

// The colour drawn at the picture's top left pixel onto white.
COLORREF FirstPixel(IXImage* image) {
    auto canvas = MakeCanvas(8, 8, kWhite);
    RECT dest{0, 0, image->GetWidth(), image->GetHeight()};
    EXPECT_TRUE(canvas->DrawImagePart(image, &dest, 0, 0, 1, 1));
    return canvas->GetPixel(0, 0);
}
}  // namespace

TEST(PixbufImage, LoadsEachFormatWithItsFramesAndEncodesItsBytes) {
    const struct {
        const char* file;
        int width, height;
        std::vector<int> delays;
        COLORREF first;  // the top left pixel of the first frame
    } samples[] = {
        {"alpha.png", 4, 2, {0}, kRed},
        {"photo.jpg", 8, 6, {0}, RGB(40, 120, 200)},
        {"picture.bmp", 5, 3, {0}, RGB(0, 160, 0)},
        {"anim.gif", 6, 4, {10, 20, 30}, kRed},
    };
    for (const auto& sample : samples) {
        SCOPED_TRACE(sample.file);
        const std::string bytes = ReadDataFile(sample.file);
        auto image = LoadPicture(bytes);
        EXPECT_EQ(std::pair(image->GetWidth(), image->GetHeight()),
                  std::pair(sample.width, sample.height));
        EXPECT_EQ(image->GetFrameCount(), static_cast<int>(sample.delays.size()));
        EXPECT_EQ(image->GetFrameDelays(), sample.delays);
        EXPECT_EQ(image->GetSelectedFrame(), 0);
        EXPECT_TRUE(Near(FirstPixel(image.get()), sample.first, 6));
        EXPECT_EQ(Encoded(image.get()), bytes);
        BYTE* buffer = nullptr;
        DWORD length = 0;
        EXPECT_FALSE(image->Encode(1, &buffer, &length));
        EXPECT_FALSE(image->Encode(XIMAGE_ENCODE_ORIGINAL, nullptr, &length));
        EXPECT_FALSE(image->Encode(XIMAGE_ENCODE_ORIGINAL, &buffer, nullptr));
        image->AssertValid();
    }
    // Each frame of the animation is the full picture in its own colour, in any order.
    auto gif = LoadPicture(ReadDataFile("anim.gif"));
    std::string frames;
    for (int i : {2, 0, 1, 2}) {
        EXPECT_TRUE(gif->SelectFrame(i));
        frames += ColourName(FirstPixel(gif.get()));
    }
    EXPECT_EQ(frames, "BRLB");
    EXPECT_FALSE(gif->SelectFrame(3));
    EXPECT_FALSE(gif->SelectFrame(-1));
    EXPECT_EQ(gif->GetSelectedFrame(), 2);
}

TEST(PixbufImage, LongAnimationComposesTheFrameDrawn) {
    // 65 frames of 1024 x 1024: more pixels over all frames than one picture may have.
    auto dots = LoadPicture(DotsGif(1024, 65));
    ASSERT_EQ(dots->GetFrameCount(), 65);
    EXPECT_EQ(dots->GetFrameDelays(), std::vector<int>(65, 5));
    auto canvas = MakeCanvas(70, 1);
    RECT dest{0, 0, 1024, 1024};
    std::string drawn;
    for (int frame : {40, 10, 11, 64}) {
        canvas->Clear(kWhite);
        ASSERT_TRUE(dots->SelectFrame(frame));
        EXPECT_TRUE(canvas->DrawImageBlend(dots.get(), &dest, 0, 0, 70, 1, 255));
        drawn += Colours(*canvas, "0,0 10,0 11,0 40,0 64,0 65,0") + "|";
    }
    EXPECT_EQ(drawn, "R R R R W W|R R W W W W|R R R W W W|R R R R R W|");
    dots->AssertValid();
    // One frame more makes too many pixels over all frames.
    Owned<CPixbufImage> refused(new CPixbufImage);
    const std::string tooLong = DotsGif(1024, 1025);
    EXPECT_FALSE(refused->Load(tooLong.data(), static_cast<DWORD>(tooLong.size()), 0));
}

TEST(PixbufImage, PixelsEncodeAsPng) {
    const BYTE rgba[] = {255, 0, 0, 255, 0,   0,   255, 255, 0, 255, 0, 255,
                         9,   9, 9, 255, 200, 100, 50,  255, 1, 2,   3, 255};
    Owned<CPixbufImage> made(new CPixbufImage);
    EXPECT_EQ(Encoded(made.get()), "<failed>");  // nothing yet
    ASSERT_TRUE(made->LoadPixels(3, 2, rgba));
    const std::string png = Encoded(made.get());
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    auto decoded = LoadPicture(png);
    auto canvas = MakeCanvas(3, 2);
    RECT dest{0, 0, 3, 2};
    EXPECT_TRUE(canvas->DrawImagePart(decoded.get(), &dest, 0, 0, 3, 2));
    EXPECT_EQ(Colours(*canvas, "1,0 1,1"), "B " + ColourName(RGB(200, 100, 50)));
    EXPECT_FALSE(made->LoadPixels(0, 2, rgba));
    EXPECT_FALSE(made->LoadPixels(3, 2, nullptr));
}

TEST(PixbufImage, DuplicateIsIndependent) {
    const std::string bytes = ReadDataFile("anim.gif");
    Owned<IXImage> original(LoadPicture(bytes).release());
    ASSERT_TRUE(original->SelectFrame(1));
    Owned<IXImage> copy(original->Duplicate());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetFrameDelays(), (std::vector<int>{10, 20, 30}));
    EXPECT_EQ(FirstPixel(copy.get()), kLime);  // the selected frame comes along

    // Changing or dropping the original leaves the copy as it was.
    ASSERT_TRUE(original->SelectFrame(2));
    EXPECT_EQ(FirstPixel(original.get()), kBlue);
    EXPECT_EQ(FirstPixel(copy.get()), kLime);
    const std::string png = ReadDataFile("alpha.png");
    ASSERT_TRUE(original->Load(png.data(), static_cast<DWORD>(png.size()), 0));
    original.reset();
    EXPECT_EQ(copy->GetWidth(), 6);
    EXPECT_EQ(Encoded(copy.get()), bytes);
    dynamic_cast<CPixbufImage*>(copy.get())->AssertValid();
    EXPECT_EQ(Owned<CPixbufImage>(new CPixbufImage)->Duplicate(), nullptr);
}

TEST(PixbufImage, BadBytesAreRefused) {
    Owned<CPixbufImage> image(new CPixbufImage);
    const std::string png = ReadDataFile("alpha.png");
    const std::string gif = ReadDataFile("anim.gif");
    const std::string bmp = ReadDataFile("picture.bmp");
    const std::string jpeg = ReadDataFile("photo.jpg");
    std::string noise(300, '\0');
    for (size_t i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<char>(i * 37 + 11);
    std::string bigGif = gif;
    bigGif[6] = bigGif[7] = bigGif[8] = bigGif[9] = '\xFF';  // 65535 x 65535 screen
    std::string bigPng = png;
    bigPng[16] = '\x7F';  // a width of about two thousand million
    for (const std::string& bad : {
             noise,
             png.substr(0, 8) + noise,       // a PNG signature and nothing sensible
             png.substr(0, png.size() / 2),  // cut short
             gif.substr(0, 30),
             bmp.substr(0, bmp.size() - 10),  // rows are stored bottom up: the top row is missing
             jpeg.substr(0, jpeg.size() / 2),
             std::string("BM") + noise,
             std::string("\xFF\xD8\xFF") + noise,
             bigGif,
             bigPng,
             std::string(),
         }) {
        EXPECT_FALSE(image->Load(bad.data(), static_cast<DWORD>(bad.size()), 0)) << bad.size();
        EXPECT_EQ(image->GetFrameCount(), 0);
    }
    EXPECT_FALSE(image->Load(nullptr, 10, 0));

    // A failed load keeps the picture held before.
    ASSERT_TRUE(image->Load(gif.data(), static_cast<DWORD>(gif.size()), 0));
    ASSERT_TRUE(image->SelectFrame(2));
    EXPECT_FALSE(image->Load(noise.data(), static_cast<DWORD>(noise.size()), 0));
    EXPECT_EQ(image->GetSelectedFrame(), 2);
    EXPECT_EQ(Encoded(image.get()), gif);
    image->AssertValid();

    // Drawing refuses null and empty pictures.
    auto canvas = MakeCanvas(4, 4);
    Owned<CPixbufImage> empty(new CPixbufImage);
    RECT dest{0, 0, 4, 4};
    EXPECT_FALSE(canvas->DrawImage(nullptr, &dest));
    EXPECT_FALSE(canvas->DrawImage(empty.get(), &dest));
    EXPECT_FALSE(canvas->DrawImage(image.get(), nullptr));
    EXPECT_FALSE(canvas->DrawImagePart(empty.get(), &dest, 0, 0, 1, 1));
    EXPECT_FALSE(canvas->DrawImageBlend(image.get(), nullptr, 0, 0, 1, 1, 255));
}

TEST(PixbufImage, PartIsOpaqueBlendMixesAndKeyHides) {
    // alpha.png: columns 0-1 opaque red, columns 2-3 blue at alpha 128.
    auto picture = LoadPicture(ReadDataFile("alpha.png"));
    auto opaque = MakeCanvas(20, 20, kWhite);
    auto blended = MakeCanvas(20, 20, kWhite);
    RECT dest{10, 10, 14, 12};
    // The part (1, 0, 3, 2) of a picture lying at (10, 10) is drawn at (11, 10).
    EXPECT_TRUE(opaque->DrawImagePart(picture.get(), &dest, 1, 0, 3, 2));
    EXPECT_TRUE(blended->DrawImageBlend(picture.get(), &dest, 1, 0, 3, 2, 255));
    EXPECT_EQ(Colours(*opaque, "10,10 11,10 11,11 14,10 12,12 13,11"), "W R R W W B");
    EXPECT_EQ(Colours(*blended, "10,10 11,10 11,11 14,10 12,12"), "W R R W W");
    EXPECT_TRUE(Near(blended->GetPixel(13, 11), RGB(127, 127, 255)));

    // The picture is clipped to dest, and a part outside the picture draws nothing.
    opaque->Clear(kWhite);
    RECT narrow{10, 10, 12, 12}, far{INT_MAX - 1, INT_MIN, INT_MAX, INT_MAX};
    EXPECT_TRUE(opaque->DrawImagePart(picture.get(), &narrow, 0, 0, 4, 2));
    EXPECT_TRUE(opaque->DrawImagePart(picture.get(), &dest, 4, 0, 5, 5));
    EXPECT_TRUE(
        opaque->DrawImageBlend(picture.get(), &dest, INT_MAX, INT_MIN, INT_MAX, INT_MAX, 255));
    EXPECT_TRUE(opaque->DrawImagePart(picture.get(), &far, INT_MAX, 0, 4, 2));
    EXPECT_EQ(Colours(*opaque, "11,11 12,11 14,10"), "R W W");

    // A key colour is hidden; 255 is not red here: it blends by the picture's own alpha.
    auto gif = LoadPicture(ReadDataFile("anim.gif"));
    ASSERT_TRUE(gif->SelectFrame(1));  // lime
    RECT whole{0, 0, 6, 4};
    EXPECT_TRUE(opaque->DrawImageBlend(gif.get(), &whole, 0, 0, 6, 4, kLime));
    EXPECT_EQ(opaque->GetPixel(2, 2), kWhite);
    EXPECT_TRUE(opaque->DrawImageBlend(gif.get(), &whole, 0, 0, 6, 4, kBlue));
    EXPECT_EQ(opaque->GetPixel(2, 2), kLime);
    ASSERT_TRUE(gif->SelectFrame(0));
    EXPECT_TRUE(opaque->DrawImageBlend(gif.get(), &whole, 0, 0, 6, 4, 255));
    EXPECT_EQ(opaque->GetPixel(2, 2), kRed);
}

TEST(PixbufImage, DrawImageScalesTheWholePicture) {
    auto picture = LoadPicture(ReadDataFile("alpha.png"));
    auto canvas = MakeCanvas(12, 8, kWhite);
    RECT dest{2, 2, 10, 6}, empty{5, 5, 5, 9}, huge{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    EXPECT_TRUE(canvas->DrawImage(picture.get(), &dest));  // twice the picture's size
    EXPECT_TRUE(canvas->DrawImage(picture.get(), &empty));
    EXPECT_EQ(Colours(*canvas, "2,2 3,5 1,2 10,2 5,6"), "R R W W W");
    EXPECT_TRUE(Near(canvas->GetPixel(9, 5), RGB(127, 127, 255)));
    EXPECT_TRUE(canvas->DrawImage(picture.get(), &huge));
    canvas->AssertValid();
}
