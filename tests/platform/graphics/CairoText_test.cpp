// Text measuring and drawing of the Cairo/Pango drawing library with real fonts.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/base/CodePage.h"
#include "tests/platform/graphics/GfxTestUtil.h"

using namespace gfxtest;

namespace {
const char kDejaVu[] = "DejaVu Sans";
const char kMicroHei[] = "WenQuanYi Micro Hei";
// GBK bytes of two ideographs and of the Micro Hei face name.
const char kZhong[] = "\xD6\xD0";
const char kWen[] = "\xCE\xC4";
const char kMicroHeiGbk[] = "\xCE\xC4\xC8\xAA\xE6\xE4\xCE\xA2\xC3\xD7\xBA\xDA";

// Width and height of the text.
using Extent = std::pair<LONG, LONG>;
Extent Measure(IXFont* font, const CString& text) {
    RECT result{0, 0, 0, 0};
    EXPECT_TRUE(MakeCanvas(1, 1)->CalcText(text, font, XTEXT_CALC_FORMAT, &result, &result));
    EXPECT_EQ(std::pair(result.left, result.top), Extent(0, 0));
    return {result.right, result.bottom};
}
LONG Width(IXFont* font, const CString& text) {
    return Measure(font, text).first;
}

// The text drawn in the colour on white at (x, y).
Owned<CCairoCanvas> Drawn(IXFont* font, const CString& text, int cx, int cy, int x = 2, int y = 2,
                          COLORREF color = 0) {
    auto canvas = MakeCanvas(cx, cy, kWhite);
    RECT r{x, y, cx, cy};
    EXPECT_TRUE(canvas->DrawText(text, font, &r, XTEXT_DRAW_FORMAT, MakeBrush(color).get()));
    return canvas;
}

// The pixels of the rows from fromY down, to compare; the number differing from white.
std::vector<COLORREF> Pixels(CCairoCanvas* canvas, int fromY = 0) {
    std::vector<COLORREF> pixels;
    for (int y = fromY; y < canvas->GetHeight(); ++y)
        for (int x = 0; x < canvas->GetWidth(); ++x)
            pixels.push_back(canvas->GetPixel(x, y));
    return pixels;
}
int CountInk(CCairoCanvas* canvas, int fromY = 0) {
    const auto pixels = Pixels(canvas, fromY);
    return static_cast<int>(pixels.size() - std::count(pixels.begin(), pixels.end(), kWhite));
}
}  // namespace

TEST(CairoText, LogFontChangesTheMeasure) {
    const CString text = "Measured text";
    auto font = MakeFont(kDejaVu, -14);
    const auto normal = Measure(font.get(), text);
    EXPECT_EQ(Measure(MakeFont(kDejaVu, -14).get(), text), normal);  // another object, same face
    // An empty text takes no width but keeps the line height.
    EXPECT_EQ(Measure(font.get(), ""), Extent(0, normal.second));
    EXPECT_GT(Width(MakeFont(kDejaVu, -14, FW_BOLD).get(), text), normal.first);
    const auto big = Measure(MakeFont(kDejaVu, -28).get(), text);
    EXPECT_GT(big.first, normal.first);
    EXPECT_GT(big.second, normal.second);
    // Height 0 is the 12-pixel default.
    EXPECT_EQ(Measure(MakeFont(kDejaVu, 0).get(), text),
              Measure(MakeFont(kDejaVu, -12).get(), text));
    // A positive height is the cell: the line fits in it and grows with it.
    for (LONG cell : {10, 17, 30}) {
        auto sized = MakeFont(kDejaVu, cell);
        const LONG height = Measure(sized.get(), "Ag").second;
        EXPECT_LE(height, cell);
        EXPECT_GE(height, cell - 3) << "cell " << cell;
        EXPECT_LT(sized->GetPixelSize(), cell);
    }
    // The face name is text of the code page: the GBK name finds the same font as the
    // ASCII one, which differs from a monospaced face.
    const CString alphabet = "abcdefghijklmnopqrstuvwxyz";
    const LONG ascii = Width(MakeFont(kMicroHei, -20).get(), alphabet);
    EXPECT_EQ(Width(MakeFont(kMicroHeiGbk, -20).get(), alphabet), ascii);
    EXPECT_NE(Width(MakeFont("DejaVu Sans Mono", -20).get(), alphabet), ascii);
    // Extreme heights are clamped rather than overflowing.
    EXPECT_GT(Measure(MakeFont(kDejaVu, INT32_MIN).get(), "a").second, big.second);
    EXPECT_GT(Measure(MakeFont(kDejaVu, INT32_MAX).get(), "a").second, 0);
}

TEST(CairoText, RunDrawsEachUnitAtItsSummedPosition) {
    // Kerning pairs, a ligature and ideographs: the text is as wide as its units and drawn
    // where their widths add up.
    const CString text = CString("Type fi AVWAV ") + kZhong + kWen + "jg.";
    for (BYTE italic : {0, 1}) {
        auto font = MakeFont(kDejaVu, -15, FW_NORMAL, italic);
        auto whole = Drawn(font.get(), text, 260, 30, 5, 4);
        // The same units drawn one call each at the sum of the widths before them.
        auto pieces = MakeCanvas(260, 30, kWhite);
        auto black = MakeBrush(0);
        int x = 5;
        for (int i = 0; i < text.GetLength();) {
            const int n = CCodePage::IsLeadByte(static_cast<BYTE>(text[i])) ? 2 : 1;
            RECT r{x, 4, x + 50, 26};
            ASSERT_TRUE(
                pieces->DrawText(text.Mid(i, n), font.get(), &r, XTEXT_DRAW_FORMAT, black.get()));
            x += Width(font.get(), text.Mid(i, n));
            i += n;
        }
        EXPECT_EQ(x - 5, Width(font.get(), text));
        EXPECT_GT(CountInk(whole.get()), 100);
        EXPECT_TRUE(Pixels(whole.get()) == Pixels(pieces.get())) << "italic " << int(italic);
    }
    // Italic slants the same text into other pixels.
    EXPECT_FALSE(Pixels(Drawn(MakeFont(kDejaVu, -15).get(), text, 260, 30).get()) ==
                 Pixels(Drawn(MakeFont(kDejaVu, -15, FW_NORMAL, 1).get(), text, 260, 30).get()));
}

TEST(CairoText, InkLiesInTheMeasuredLineBelowTheRectangleTop) {
    auto font = MakeFont(kMicroHei, -14);
    const CString text = CString("Hg") + kZhong;
    auto high = Drawn(font.get(), text, 80, 40, 2, 0, RGB(200, 0, 0));
    auto low = Drawn(font.get(), text, 80, 51, 2, 11, RGB(200, 0, 0));
    ASSERT_GT(CountInk(high.get()), 20);
    EXPECT_TRUE(Pixels(high.get()) == Pixels(low.get(), 11));
    // Nothing below the measured line; some pixel is pure ink of the brush colour.
    EXPECT_EQ(CountInk(high.get(), Measure(font.get(), text).second), 0);
    const auto all = Pixels(high.get());
    EXPECT_NE(std::count(all.begin(), all.end(), RGB(200, 0, 0)), 0);
}

TEST(CairoText, UnderlineAndStrikeOutAddInk) {
    auto inkOf = [](BYTE underline, BYTE strike, const char* text) {
        auto font = MakeFont(kDejaVu, -16, FW_NORMAL, 0, underline, strike);
        return CountInk(Drawn(font.get(), text, 60, 24).get());
    };
    // Spaces have no glyph ink: only the underline shows.
    EXPECT_EQ(inkOf(0, 0, "   "), 0);
    EXPECT_GT(inkOf(1, 0, "   "), 0);
    EXPECT_GT(inkOf(1, 0, "ace"), inkOf(0, 0, "ace"));
    EXPECT_GT(inkOf(0, 1, "ace"), inkOf(0, 0, "ace"));
}

TEST(CairoText, BadArgumentsFail) {
    auto canvas = MakeCanvas(10, 10);
    auto font = MakeFont(kDejaVu, -12);
    auto brush = MakeBrush(0);
    RECT r{0, 0, 10, 10};
    RECT result{1, 2, 3, 4};
    EXPECT_FALSE(canvas->CalcText("a", nullptr, XTEXT_CALC_FORMAT, nullptr, &result));
    EXPECT_FALSE(canvas->CalcText("a", font.get(), XTEXT_CALC_FORMAT, nullptr, nullptr));
    EXPECT_EQ(result.right, 3);  // a failed measure leaves the result alone
    EXPECT_FALSE(canvas->DrawText("a", nullptr, &r, XTEXT_DRAW_FORMAT, brush.get()));
    EXPECT_FALSE(canvas->DrawText("a", font.get(), nullptr, XTEXT_DRAW_FORMAT, brush.get()));
    EXPECT_FALSE(canvas->DrawText("a", font.get(), &r, XTEXT_DRAW_FORMAT, nullptr));
    Owned<CCairoCanvas> uncreated(new CCairoCanvas);
    EXPECT_FALSE(uncreated->DrawText("a", font.get(), &r, XTEXT_DRAW_FORMAT, brush.get()));
    // Measuring needs no surface.
    EXPECT_TRUE(uncreated->CalcText("a", font.get(), XTEXT_CALC_FORMAT, nullptr, &result));
    font->SetLogFont(0, nullptr);  // ignored
    font->AssertValid();

    // Control bytes and a lone lead byte at the end measure and draw without trouble.
    EXPECT_EQ(Width(font.get(), "\r\n\x01"), 0);
    EXPECT_GT(Width(font.get(), "\xD6\x0A"), 0);
    EXPECT_TRUE(canvas->DrawText("\xD6\x0A\t\xD6", font.get(), &r, XTEXT_DRAW_FORMAT, brush.get()));
    canvas->AssertValid();
}

TEST(CairoText, IdeographsShareOneSizeAndTheCodePageDecidesTheUnits) {
    struct Restore {
        ~Restore() { CCodePage::Set(CCodePage::kDefault); }
    } restore;
    for (const char* face : {kMicroHei, kDejaVu, ""}) {
        auto font = MakeFont(face, -16);
        const auto zhong = Measure(font.get(), kZhong);
        EXPECT_GT(zhong.first, 0) << face;
        EXPECT_EQ(Measure(font.get(), kWen), zhong) << face;
        // Two units of text measure as two, not as four bytes.
        EXPECT_EQ(Width(font.get(), CString(kZhong) + kWen), 2 * zhong.first) << face;
    }
    auto font = MakeFont(kDejaVu, -16);
    const LONG ideograph = Width(font.get(), kZhong);
    // A lone lead byte is an undecodable unit: it measures as '?'.
    EXPECT_EQ(Width(font.get(), "\xD6"), Width(font.get(), "?"));
    // In code page 1252 the same bytes are Latin letters, measured apart.
    ASSERT_TRUE(CCodePage::Set(1252));
    const LONG first = Width(font.get(), "\xD6");
    EXPECT_NE(first, Width(font.get(), "?"));  // an O with diaeresis
    EXPECT_EQ(Width(font.get(), kZhong), first + Width(font.get(), "\xD0"));
    ASSERT_TRUE(CCodePage::Set(936));
    EXPECT_EQ(Width(font.get(), kZhong), ideograph);
    font->AssertValid();
}
