// Helpers for the drawing-library tests: owning pointers, built-in objects, named pixel
// colours and data files.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <utility>

#include "platform/graphics/Morla.h"
#include "platform/graphics/cairo/CairoCanvas.h"
#include "platform/graphics/cairo/PangoFont.h"
#include "platform/graphics/cairo/PixbufImage.h"
#include "platform/graphics/cairo/SolidBrush.h"

namespace gfxtest {

template <class T>
using Owned = std::unique_ptr<T, XReleaser>;

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kLime = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);

// A canvas, cleared to a colour unless it is to stay transparent.
inline Owned<CCairoCanvas> MakeCanvas(int cx, int cy, COLORREF clear = CLR_INVALID) {
    Owned<CCairoCanvas> canvas(new CCairoCanvas);
    EXPECT_TRUE(canvas->Create(nullptr, cx, cy));
    if (clear != CLR_INVALID)
        canvas->Clear(clear);
    return canvas;
}

inline Owned<CSolidBrush> MakeBrush(COLORREF color) {
    Owned<CSolidBrush> brush(new CSolidBrush);
    brush->SetColor(color);
    return brush;
}

// A font of the face (plain ASCII or bytes of the active code page) and height.
inline Owned<CPangoFont> MakeFont(const char* face, LONG height, LONG weight = FW_NORMAL,
                                  BYTE italic = 0, BYTE underline = 0, BYTE strikeOut = 0) {
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    lf.lfUnderline = underline;
    lf.lfStrikeOut = strikeOut;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    Owned<CPangoFont> font(new CPangoFont);
    font->SetLogFont(0, &lf);
    return font;
}

// A colour for each pixel of a picture, so that copies can be traced.
inline COLORREF Marker(int x, int y) {
    return RGB(10 * x + 5, 10 * y + 5, 77);
}

// W white, R red, L lime, B blue, K black (or transparent), mXY the marker of (X, Y), else
// the colour's hexadecimal value.
inline std::string ColourName(COLORREF c) {
    const std::pair<COLORREF, const char*> named[] = {
        {kWhite, "W"}, {kRed, "R"}, {kLime, "L"}, {kBlue, "B"}, {0, "K"}};
    for (const auto& [colour, name] : named) {
        if (c == colour)
            return name;
    }
    if (GetBValue(c) == 77 && GetRValue(c) % 10 == 5 && GetGValue(c) % 10 == 5)
        return "m" + std::to_string(GetRValue(c) / 10) + std::to_string(GetGValue(c) / 10);
    char hex[16];
    snprintf(hex, sizeof hex, "%06x", static_cast<unsigned>(c));
    return hex;
}

// The names of the colours at the points "x,y x,y ...", separated by blanks.
inline std::string Colours(const CCairoCanvas& canvas, const char* points) {
    std::string out;
    int x, y, n;
    for (const char* p = points; sscanf(p, "%d,%d%n", &x, &y, &n) == 2; p += n)
        out += (out.empty() ? "" : " ") + ColourName(canvas.GetPixel(x, y));
    return out;
}

// The bytes of a file in tests/data.
inline std::string ReadDataFile(const char* name) {
    std::ifstream in(std::string(ZARNI_TEST_DATA_DIR) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in.good()) << name;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline Owned<CPixbufImage> LoadPicture(const std::string& bytes) {
    Owned<CPixbufImage> image(new CPixbufImage);
    EXPECT_TRUE(image->Load(bytes.data(), static_cast<DWORD>(bytes.size()), 0));
    return image;
}

}  // namespace gfxtest
