// Surfaces of the Cairo drawing library: creation, fills, copies, scaling, the factory.
#include <gtest/gtest.h>

#include <climits>
#include <utility>

#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/cairo/CairoFactory.h"
#include "tests/platform/graphics/GfxTestUtil.h"

using namespace gfxtest;

namespace {
Owned<CCairoCanvas> MarkedCanvas(int cx, int cy) {
    auto canvas = MakeCanvas(cx, cy);
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x) {
            RECT r{x, y, x + 1, y + 1};
            canvas->FillRect(MakeBrush(Marker(x, y)).get(), &r);
        }
    return canvas;
}

// A brush from another library: canvases must refuse it.
class CForeignBrush final : public IXBrush {
public:
    void Release() override { delete this; }
    void SetColor(COLORREF) override {}
};
}  // namespace

TEST(CairoCanvas, CreateChecksTheSize) {
    Owned<CCairoCanvas> canvas(new CCairoCanvas);
    EXPECT_FALSE(canvas->Clear(kRed));  // no surface yet
    for (auto [cx, cy] : {std::pair{0, 5}, {5, -1}, {40000, 2}, {20000, 20000}, {INT_MIN, INT_MAX}})
        EXPECT_FALSE(canvas->Create(nullptr, cx, cy)) << cx << "x" << cy;
    EXPECT_TRUE(canvas->Create(nullptr, 7, 3));
    EXPECT_EQ(canvas->GetPixelAlpha(6, 2), 0);     // transparent until painted
    EXPECT_FALSE(canvas->Create(nullptr, -7, 3));  // a failed Create keeps the surface
    EXPECT_EQ(std::pair(canvas->GetWidth(), canvas->GetHeight()), std::pair(7, 3));
    HDC__ desktop;  // a context without pixels is fine
    EXPECT_TRUE(canvas->Create(&desktop, 2, 9));
    EXPECT_EQ(canvas->GetHeight(), 9);
    canvas->AssertValid();
}

TEST(CairoCanvas, FillRectStaysInside) {
    auto c = MakeCanvas(6, 4, kWhite);
    EXPECT_EQ(c->GetPixel(6, 0), CLR_INVALID);
    EXPECT_EQ(c->GetPixelAlpha(-1, 0), -1);
    auto red = MakeBrush(kRed);
    auto blue = MakeBrush(kBlue | 0xFF000000);  // the high byte is ignored
    // Right and bottom are exclusive; a rectangle partly outside is clipped; empty,
    // inverted and wholly outside ones draw nothing.
    RECT r{1, 1, 3, 2};
    EXPECT_TRUE(c->FillRect(red.get(), &r));
    for (RECT b : {RECT{4, -5, 100, 1}, RECT{2, 2, 2, 4}, RECT{4, 3, 1, 1}, RECT{10, 10, 20, 20},
                   RECT{INT_MIN, INT_MIN, INT_MAX, INT_MIN}})
        EXPECT_TRUE(c->FillRect(blue.get(), &b));
    EXPECT_EQ(Colours(*c, "1,1 2,1 3,1 1,2 0,1 5,0 4,1 2,2"), "R R W W W B W W");
    RECT everything{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    EXPECT_TRUE(c->FillRect(red.get(), &everything));
    EXPECT_EQ(c->GetPixel(5, 3), kRed);

    Owned<IXBrush> foreign(new CForeignBrush);
    EXPECT_FALSE(c->FillRect(nullptr, &everything));
    EXPECT_FALSE(c->FillRect(red.get(), nullptr));
    EXPECT_FALSE(c->FillRect(foreign.get(), &everything));
    c->AssertValid();
}

TEST(CairoCanvas, CopyToMovesTheRightPixels) {
    auto source = MarkedCanvas(5, 4);
    auto t = MakeCanvas(8, 8, kWhite);
    // (1, 1, 3, 2) of the source lands at (4, 5).
    EXPECT_TRUE(source->CopyTo(t.get(), 4, 5, 3, 2, 1, 1));
    EXPECT_EQ(Colours(*t, "4,5 6,6 3,5 7,5 4,7"), "m11 m32 W W W");
    // A source rectangle reaching outside the source copies only what exists, in place.
    t->Clear(kWhite);
    EXPECT_TRUE(source->CopyTo(t.get(), 0, 0, 4, 4, -2, 2));
    EXPECT_EQ(Colours(*t, "1,0 2,0 3,1 2,2"), "W m02 m13 W");
    // Copying onto itself with overlap reads the pixels from before the copy.
    EXPECT_TRUE(source->CopyTo(source.get(), 1, 0, 4, 4, 0, 0));
    EXPECT_EQ(Colours(*source, "0,0 1,0 4,3"), "m00 m00 m33");
    // A transparent source lets the target show through; empty sizes and far-away places
    // draw nothing.
    t->Clear(kBlue);
    EXPECT_TRUE(MakeCanvas(2, 2)->CopyTo(t.get(), 0, 0, 2, 2, 0, 0));
    EXPECT_TRUE(source->CopyTo(t.get(), 0, 0, 0, 3, 0, 0));
    EXPECT_TRUE(source->CopyTo(t.get(), INT_MAX, INT_MIN, INT_MAX, INT_MAX, INT_MIN, 0));
    EXPECT_TRUE(source->CopyTo(t.get(), INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MIN, INT_MIN));
    EXPECT_EQ(t->GetPixel(0, 0), kBlue);
    // Null or uncreated canvases.
    Owned<CCairoCanvas> uncreated(new CCairoCanvas);
    EXPECT_FALSE(source->CopyTo(nullptr, 0, 0, 1, 1, 0, 0));
    EXPECT_FALSE(source->CopyTo(uncreated.get(), 0, 0, 1, 1, 0, 0));
    EXPECT_FALSE(uncreated->CopyTo(t.get(), 0, 0, 1, 1, 0, 0));
    t->AssertValid();
}

TEST(CairoCanvas, StretchToScalesTheSourceRectangle) {
    // Source: a 4 x 2 block, left half red and right half blue, at (1, 1) on lime.
    auto source = MakeCanvas(6, 4, kLime);
    RECT left{1, 1, 3, 3}, right{3, 1, 5, 3};
    source->FillRect(MakeBrush(kRed).get(), &left);
    source->FillRect(MakeBrush(kBlue).get(), &right);
    auto t = MakeCanvas(12, 8, kWhite);
    // Doubled into (2, 1, 8, 4): pixels away from the seam keep their colour, the edges
    // take none of the lime around the block.
    EXPECT_TRUE(source->StretchTo(t.get(), 2, 1, 8, 4, 1, 1, 4, 2));
    EXPECT_EQ(Colours(*t, "2,1 4,1 7,1 9,1 1,1 10,1 5,0"), "R R B B W W W");
    EXPECT_EQ(Colours(*t, "2,4 4,4 7,4 9,4 1,4 10,4 5,5"), "R R B B W W W");
    // Halved; and a source reaching outside the surface, whose missing half stays empty.
    t->Clear(kWhite);
    EXPECT_TRUE(source->StretchTo(t.get(), 0, 0, 2, 1, 1, 1, 4, 2));
    EXPECT_EQ(Colours(*t, "0,0 1,0 2,0"), "R B W");
    t->Clear(kWhite);
    EXPECT_TRUE(source->StretchTo(t.get(), 0, 0, 8, 8, -6, 0, 12, 4));
    EXPECT_EQ(Colours(*t, "3,3 4,0"), "W L");

    EXPECT_TRUE(source->StretchTo(t.get(), 0, 0, 0, 4, 0, 0, 2, 2));
    EXPECT_TRUE(source->StretchTo(t.get(), INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0, 1, 1));
    EXPECT_TRUE(source->StretchTo(t.get(), 0, 0, INT_MAX, INT_MAX, 0, 0, INT_MAX, INT_MAX));
    EXPECT_FALSE(source->StretchTo(nullptr, 0, 0, 1, 1, 0, 0, 1, 1));
    // The target stays usable after the extreme requests.
    EXPECT_TRUE(t->Clear(kRed));
    EXPECT_EQ(t->GetPixel(0, 0), kRed);
    t->AssertValid();
}

TEST(CairoCanvas, CopyToDCPaintsOnTheContext) {
    auto source = MarkedCanvas(4, 4);
    auto window = MakeCanvas(10, 10, kWhite);
    HDC__ dc;
    EXPECT_FALSE(source->CopyToDC(nullptr, 0, 0, 4, 4, 0, 0));
    EXPECT_FALSE(source->CopyToDC(&dc, 0, 0, 4, 4, 0, 0));  // no cairo_t behind it
    dc.cairo = window->Context();
    EXPECT_TRUE(source->CopyToDC(&dc, 6, 7, 2, 2, 1, 2));
    EXPECT_TRUE(source->CopyToDC(&dc, INT_MIN, INT_MAX, INT_MAX, INT_MAX, INT_MIN, INT_MIN));
    EXPECT_EQ(Colours(*window, "6,7 7,8 8,8 5,7"), "m12 m23 W W");
    window->AssertValid();
}

// Every kind is made by the drawing tests; here what is no kind, and a replaced factory.
TEST(CairoCanvas, FactoryRefusesUnknownKindsAndCanBeReplaced) {
    IXFactory* builtin = IMorla_Creater();
    for (int bad : {0, 4, -1})
        EXPECT_EQ(builtin->Create(bad), nullptr) << bad;
    CCairoFactory other;
    SetMorlaFactory(&other);
    EXPECT_EQ(IMorla_Creater(), &other);
    SetMorlaFactory(nullptr);
    EXPECT_EQ(IMorla_Creater(), builtin);
}
