// Surfaces of the Cairo drawing library: creation, fills, copies, scaling, the factory.
#include <gtest/gtest.h>

#include <climits>
#include <tuple>
#include <utility>

#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/cairo/CairoFactory.h"
#include "tests/platform/graphics/GfxTestUtil.h"

using namespace gfxtest;

namespace {
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

// Fills a canvas with a different colour in every pixel, so copies can be traced.
COLORREF Marker(int x, int y) {
    return RGB(10 * x + 5, 10 * y + 5, 77);
}

Owned<CCairoCanvas> MarkedCanvas(int cx, int cy) {
    auto canvas = MakeCanvas(cx, cy);
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x) {
            RECT r{x, y, x + 1, y + 1};
            EXPECT_TRUE(canvas->FillRect(MakeBrush(Marker(x, y)).get(), &r));
        }
    return canvas;
}

// A brush from another library: canvases must refuse it.
class CForeignBrush final : public IXBrush {
public:
    void Release() override { delete this; }
    void SetColor(COLORREF) override {}
};

// Records what it was asked to make.
class CCountingFactory final : public IXFactory {
public:
    IXObject* Create(int kind) override {
        last = kind;
        return nullptr;
    }
    int last = 0;
};
}  // namespace

TEST(CairoCanvas, CreateChecksTheSize) {
    Owned<CCairoCanvas> canvas(new CCairoCanvas);
    EXPECT_EQ(canvas->GetWidth(), 0);
    EXPECT_FALSE(canvas->Clear(kRed));  // no surface yet
    canvas->AssertValid();
    for (auto [cx, cy] : {std::pair{0, 5}, {5, -1}, {40000, 2}, {20000, 20000}, {INT_MIN, INT_MAX}})
        EXPECT_FALSE(canvas->Create(nullptr, cx, cy)) << cx << "x" << cy;
    EXPECT_TRUE(canvas->Create(nullptr, 7, 3));
    EXPECT_EQ(canvas->GetWidth(), 7);
    EXPECT_EQ(canvas->GetHeight(), 3);
    EXPECT_EQ(canvas->GetPixelAlpha(6, 2), 0);     // transparent until painted
    EXPECT_FALSE(canvas->Create(nullptr, -7, 3));  // a failed Create keeps the surface
    EXPECT_EQ(canvas->GetWidth(), 7);
    HDC__ desktop;  // a context without pixels is fine
    EXPECT_TRUE(canvas->Create(&desktop, 2, 9));
    EXPECT_EQ(canvas->GetHeight(), 9);
    canvas->AssertValid();
}

TEST(CairoCanvas, ClearAndFillRectStayInside) {
    auto canvas = MakeCanvas(6, 4);
    EXPECT_TRUE(canvas->Clear(kWhite));
    EXPECT_EQ(canvas->GetPixel(0, 0), kWhite);
    EXPECT_EQ(canvas->GetPixelAlpha(5, 3), 255);
    EXPECT_EQ(canvas->GetPixel(6, 0), CLR_INVALID);
    EXPECT_EQ(canvas->GetPixelAlpha(-1, 0), -1);

    auto red = MakeBrush(kRed);
    RECT r{1, 1, 3, 2};
    EXPECT_TRUE(canvas->FillRect(red.get(), &r));
    // Right and bottom are exclusive.
    for (auto [x, y, c] :
         {std::tuple{1, 1, kRed}, {2, 1, kRed}, {3, 1, kWhite}, {1, 2, kWhite}, {0, 1, kWhite}})
        EXPECT_EQ(canvas->GetPixel(x, y), c) << x << "," << y;

    // Partly outside: clipped. Empty, inverted and wholly outside: TRUE, nothing drawn.
    auto blue = MakeBrush(kBlue | 0xFF000000);  // the high byte is ignored
    RECT spill{4, -5, 100, 1};
    EXPECT_TRUE(canvas->FillRect(blue.get(), &spill));
    EXPECT_EQ(canvas->GetPixel(5, 0), kBlue);
    EXPECT_EQ(canvas->GetPixel(4, 1), kWhite);
    for (RECT bad : {RECT{2, 2, 2, 4}, RECT{4, 3, 1, 1}, RECT{10, 10, 20, 20},
                     RECT{INT_MIN, INT_MIN, INT_MAX, INT_MIN}}) {
        EXPECT_TRUE(canvas->FillRect(blue.get(), &bad));
    }
    EXPECT_EQ(canvas->GetPixel(2, 2), kWhite);
    EXPECT_EQ(canvas->GetPixel(1, 1), kRed);
    RECT everything{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    EXPECT_TRUE(canvas->FillRect(red.get(), &everything));
    EXPECT_EQ(canvas->GetPixel(5, 3), kRed);

    EXPECT_FALSE(canvas->FillRect(nullptr, &r));
    EXPECT_FALSE(canvas->FillRect(red.get(), nullptr));
    Owned<IXBrush> foreign(new CForeignBrush);
    EXPECT_FALSE(canvas->FillRect(foreign.get(), &r));
    canvas->AssertValid();
}

TEST(CairoCanvas, CopyToMovesTheRightPixels) {
    auto source = MarkedCanvas(5, 4);
    auto target = MakeCanvas(8, 8);
    target->Clear(kWhite);
    // (1, 1, 3, 2) of the source lands at (4, 5).
    EXPECT_TRUE(source->CopyTo(target.get(), 4, 5, 3, 2, 1, 1));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(target->GetPixel(4 + x, 5 + y), Marker(1 + x, 1 + y));
    for (auto [x, y] : {std::pair{3, 5}, {7, 5}, {4, 7}})
        EXPECT_EQ(target->GetPixel(x, y), kWhite) << x << "," << y;

    // A source rectangle reaching outside the source copies only what exists, in place.
    target->Clear(kWhite);
    EXPECT_TRUE(source->CopyTo(target.get(), 0, 0, 4, 4, -2, 2));
    EXPECT_EQ(target->GetPixel(1, 0), kWhite);
    EXPECT_EQ(target->GetPixel(2, 0), Marker(0, 2));
    EXPECT_EQ(target->GetPixel(3, 1), Marker(1, 3));
    EXPECT_EQ(target->GetPixel(2, 2), kWhite);

    // Copying onto itself with overlap reads the pixels from before the copy.
    EXPECT_TRUE(source->CopyTo(source.get(), 1, 0, 4, 4, 0, 0));
    EXPECT_EQ(source->GetPixel(0, 0), Marker(0, 0));
    EXPECT_EQ(source->GetPixel(1, 0), Marker(0, 0));
    EXPECT_EQ(source->GetPixel(4, 3), Marker(3, 3));

    // A transparent source lets the target show through.
    auto clear = MakeCanvas(2, 2);
    target->Clear(kBlue);
    EXPECT_TRUE(clear->CopyTo(target.get(), 0, 0, 2, 2, 0, 0));
    EXPECT_EQ(target->GetPixel(0, 0), kBlue);

    // Empty sizes, far-away places; null, foreign or uncreated canvases.
    EXPECT_TRUE(source->CopyTo(target.get(), 0, 0, 0, 3, 0, 0));
    EXPECT_TRUE(source->CopyTo(target.get(), INT_MAX, INT_MIN, INT_MAX, INT_MAX, INT_MIN, 0));
    EXPECT_TRUE(source->CopyTo(target.get(), INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MIN, INT_MIN));
    EXPECT_EQ(target->GetPixel(0, 0), kBlue);
    EXPECT_FALSE(source->CopyTo(nullptr, 0, 0, 1, 1, 0, 0));
    Owned<CCairoCanvas> uncreated(new CCairoCanvas);
    EXPECT_FALSE(source->CopyTo(uncreated.get(), 0, 0, 1, 1, 0, 0));
    EXPECT_FALSE(uncreated->CopyTo(target.get(), 0, 0, 1, 1, 0, 0));
    target->AssertValid();
}

TEST(CairoCanvas, StretchToScalesTheSourceRectangle) {
    // Source: a 4 x 2 block, left half red and right half blue, at (1, 1).
    auto source = MakeCanvas(6, 4);
    source->Clear(RGB(0, 255, 0));
    RECT left{1, 1, 3, 3}, right{3, 1, 5, 3};
    source->FillRect(MakeBrush(kRed).get(), &left);
    source->FillRect(MakeBrush(kBlue).get(), &right);
    auto target = MakeCanvas(12, 8);
    target->Clear(kWhite);
    EXPECT_TRUE(source->StretchTo(target.get(), 2, 1, 8, 4, 1, 1, 4, 2));
    // Pixels far from the seam keep their colour; nothing of the green around leaks in.
    for (int y = 1; y < 5; ++y)
        for (auto [x, c] :
             {std::pair{2, kRed}, {4, kRed}, {7, kBlue}, {9, kBlue}, {1, kWhite}, {10, kWhite}})
            EXPECT_EQ(target->GetPixel(x, y), c) << x << "," << y;
    EXPECT_EQ(target->GetPixel(5, 0), kWhite);
    EXPECT_EQ(target->GetPixel(5, 5), kWhite);

    // Shrinking 4 x 2 into 2 x 1, and a source reaching outside the surface.
    target->Clear(kWhite);
    EXPECT_TRUE(source->StretchTo(target.get(), 0, 0, 2, 1, 1, 1, 4, 2));
    EXPECT_EQ(target->GetPixel(0, 0), kRed);
    EXPECT_EQ(target->GetPixel(1, 0), kBlue);
    EXPECT_EQ(target->GetPixel(2, 0), kWhite);
    target->Clear(kWhite);
    EXPECT_TRUE(source->StretchTo(target.get(), 0, 0, 8, 8, -6, 0, 12, 4));
    EXPECT_EQ(target->GetPixel(3, 3), kWhite);          // the missing half of the source
    EXPECT_EQ(target->GetPixel(4, 0), RGB(0, 255, 0));  // the top row of the source

    EXPECT_TRUE(source->StretchTo(target.get(), 0, 0, 0, 4, 0, 0, 2, 2));
    EXPECT_TRUE(source->StretchTo(target.get(), INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0, 1, 1));
    EXPECT_TRUE(source->StretchTo(target.get(), 0, 0, INT_MAX, INT_MAX, 0, 0, INT_MAX, INT_MAX));
    EXPECT_FALSE(source->StretchTo(nullptr, 0, 0, 1, 1, 0, 0, 1, 1));
    target->AssertValid();
    // The target stays usable after the extreme requests.
    EXPECT_TRUE(target->Clear(kRed));
    EXPECT_EQ(target->GetPixel(0, 0), kRed);
}

TEST(CairoCanvas, CopyToDCPaintsOnTheContext) {
    auto source = MarkedCanvas(4, 4);
    auto window = MakeCanvas(10, 10);
    window->Clear(kWhite);
    HDC__ dc;
    EXPECT_FALSE(source->CopyToDC(nullptr, 0, 0, 4, 4, 0, 0));
    EXPECT_FALSE(source->CopyToDC(&dc, 0, 0, 4, 4, 0, 0));  // no cairo_t behind it
    dc.cairo = window->Context();
    EXPECT_TRUE(source->CopyToDC(&dc, 6, 7, 2, 2, 1, 2));
    EXPECT_EQ(window->GetPixel(6, 7), Marker(1, 2));
    EXPECT_EQ(window->GetPixel(7, 8), Marker(2, 3));
    EXPECT_EQ(window->GetPixel(8, 8), kWhite);
    EXPECT_EQ(window->GetPixel(5, 7), kWhite);
    EXPECT_TRUE(source->CopyToDC(&dc, INT_MIN, INT_MAX, INT_MAX, INT_MAX, INT_MIN, INT_MIN));
    window->AssertValid();
}

TEST(CairoCanvas, FactoryMakesEachKind) {
    IXFactory* factory = IMorla_Creater();
    ASSERT_NE(factory, nullptr);
    Owned<IXImage> image(XCreateImage());
    Owned<IXFont> font(XCreateFont());
    Owned<IXBrush> brush(XCreateBrush());
    Owned<IXCanvas> canvas(XCreateCanvas());
    EXPECT_NE(dynamic_cast<CPixbufImage*>(image.get()), nullptr);
    EXPECT_NE(dynamic_cast<CPangoFont*>(font.get()), nullptr);
    EXPECT_NE(dynamic_cast<CSolidBrush*>(brush.get()), nullptr);
    EXPECT_NE(dynamic_cast<CCairoCanvas*>(canvas.get()), nullptr);
    for (int bad : {0, 4, -1})
        EXPECT_EQ(factory->Create(bad), nullptr) << bad;

    // An installed factory serves every creation until it is removed.
    CCountingFactory counting;
    SetMorlaFactory(&counting);
    EXPECT_EQ(IMorla_Creater(), &counting);
    EXPECT_EQ(XCreateFont(), nullptr);
    EXPECT_EQ(counting.last, XKIND_FONT);
    SetMorlaFactory(nullptr);
    EXPECT_EQ(IMorla_Creater(), factory);
}
