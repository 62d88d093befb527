// Helpers for the drawing-library tests: owning pointers, built-in objects, data files.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "platform/graphics/Morla.h"
#include "platform/graphics/cairo/CairoCanvas.h"
#include "platform/graphics/cairo/PangoFont.h"
#include "platform/graphics/cairo/PixbufImage.h"
#include "platform/graphics/cairo/SolidBrush.h"

namespace gfxtest {

template <class T>
using Owned = std::unique_ptr<T, XReleaser>;

inline Owned<CCairoCanvas> MakeCanvas(int cx, int cy) {
    Owned<CCairoCanvas> canvas(new CCairoCanvas);
    EXPECT_TRUE(canvas->Create(nullptr, cx, cy));
    return canvas;
}

inline Owned<CSolidBrush> MakeBrush(COLORREF color) {
    Owned<CSolidBrush> brush(new CSolidBrush);
    brush->SetColor(color);
    return brush;
}

// A font of the face (plain ASCII or bytes of the active code page) and height.
inline Owned<CPangoFont> MakeFont(const char* face, LONG height, LONG weight = FW_NORMAL) {
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    Owned<CPangoFont> font(new CPangoFont);
    font->SetLogFont(0, &lf);
    return font;
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
