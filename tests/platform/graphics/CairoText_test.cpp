// Text measuring and drawing of the Cairo/Pango drawing library with real fonts.
#include <gtest/gtest.h>

#include <utility>

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

SIZE Measure(IXCanvas* canvas, IXFont* font, const CString& text) {
    RECT result{0, 0, 0, 0};
    EXPECT_TRUE(canvas->CalcText(text, font, XTEXT_CALC_FORMAT, &result, &result));
    EXPECT_EQ(result.left, 0);
    EXPECT_EQ(result.top, 0);
    return {result.right, result.bottom};
}

// Every pixel of two equally sized canvases is the same.
bool SamePixels(CCairoCanvas* a, CCairoCanvas* b) {
    for (int y = 0; y < a->GetHeight(); ++y)
        for (int x = 0; x < a->GetWidth(); ++x)
            if (a->GetPixel(x, y) != b->GetPixel(x, y))
                return false;
    return true;
}

int CountInk(CCairoCanvas* canvas) {
    int count = 0;
    for (int y = 0; y < canvas->GetHeight(); ++y)
        for (int x = 0; x < canvas->GetWidth(); ++x)
            count += canvas->GetPixel(x, y) != RGB(255, 255, 255);
    return count;
}
}  // namespace

TEST(CairoText, SameTextSameFontSameSize) {
    auto canvas = MakeCanvas(1, 1);
    auto font = MakeFont(kDejaVu, -14);
    auto again = MakeFont(kDejaVu, -14);
    const SIZE a = Measure(canvas.get(), font.get(), "a");
    EXPECT_GT(a.cx, 0);
    EXPECT_GT(a.cy, 0);
    for (CPangoFont* f : {font.get(), again.get()}) {
        const SIZE b = Measure(canvas.get(), f, "a");
        EXPECT_EQ(std::pair(a.cx, a.cy), std::pair(b.cx, b.cy));
    }
    font->AssertValid();

    // A text is exactly as wide as its units measured one by one, and more text is wider.
    const CString text = CString("Wave fi AV ") + kZhong + "x";
    int sum = 0;
    for (const char* unit : {"W", "a", "v", "e", " ", "f", "i", " ", "A", "V", " ", kZhong, "x"})
        sum += Measure(canvas.get(), font.get(), unit).cx;
    EXPECT_EQ(Measure(canvas.get(), font.get(), text).cx, sum);
    // An empty text takes no width but keeps the line height.
    EXPECT_EQ(Measure(canvas.get(), font.get(), "").cx, 0);
    EXPECT_EQ(Measure(canvas.get(), font.get(), "").cy, a.cy);
}

TEST(CairoText, LogFontChangesTheMeasure) {
    auto canvas = MakeCanvas(1, 1);
    const CString text = "Measured text";
    const SIZE normal = Measure(canvas.get(), MakeFont(kDejaVu, -14).get(), text);
    EXPECT_GT(Measure(canvas.get(), MakeFont(kDejaVu, -14, FW_BOLD).get(), text).cx, normal.cx);
    const SIZE big = Measure(canvas.get(), MakeFont(kDejaVu, -28).get(), text);
    EXPECT_GT(big.cy, normal.cy);
    EXPECT_GT(big.cx, normal.cx);

    // Height 0 is the 12-pixel default.
    const SIZE zero = Measure(canvas.get(), MakeFont(kDejaVu, 0).get(), text);
    const SIZE twelve = Measure(canvas.get(), MakeFont(kDejaVu, -12).get(), text);
    EXPECT_EQ(std::pair(zero.cx, zero.cy), std::pair(twelve.cx, twelve.cy));

    // A positive height is the cell: the line fits in it and grows with it.
    for (LONG cell : {10, 17, 30}) {
        auto font = MakeFont(kDejaVu, cell);
        const SIZE size = Measure(canvas.get(), font.get(), "Ag");
        EXPECT_LE(size.cy, cell);
        EXPECT_GE(size.cy, cell - 3) << "cell " << cell;
        EXPECT_LT(font->GetPixelSize(), cell);
    }

    // The face name is text of the code page: the GBK name finds the same font as the
    // ASCII one, which differs from a monospaced face.
    const CString alphabet = "abcdefghijklmnopqrstuvwxyz";
    const SIZE ascii = Measure(canvas.get(), MakeFont(kMicroHei, -20).get(), alphabet);
    const SIZE gbk = Measure(canvas.get(), MakeFont(kMicroHeiGbk, -20).get(), alphabet);
    const SIZE mono = Measure(canvas.get(), MakeFont("DejaVu Sans Mono", -20).get(), alphabet);
    EXPECT_EQ(ascii.cx, gbk.cx);
    EXPECT_NE(ascii.cx, mono.cx);

    // Extreme heights are clamped rather than overflowing.
    const SIZE huge = Measure(canvas.get(), MakeFont(kDejaVu, INT32_MIN).get(), "a");
    EXPECT_GT(huge.cy, big.cy);
    EXPECT_GT(Measure(canvas.get(), MakeFont(kDejaVu, INT32_MAX).get(), "a").cy, 0);
}

TEST(CairoText, RunDrawsEachUnitAtItsSummedPosition) {
    auto font = MakeFont(kDejaVu, -15);
    auto italic = MakeFont(kDejaVu, -15);
    LOGFONTA lf = italic->GetLogFont();
    lf.lfItalic = 1;
    italic->SetLogFont(0, &lf);
    auto black = MakeBrush(RGB(0, 0, 0));
    const CString text = CString("Type fi AVWAV ") + kZhong + kWen + "jg.";
    for (CPangoFont* f : {font.get(), italic.get()}) {
        auto whole = MakeCanvas(260, 30);
        auto pieces = MakeCanvas(260, 30);
        whole->Clear(RGB(255, 255, 255));
        pieces->Clear(RGB(255, 255, 255));
        RECT at{5, 4, 255, 26};
        ASSERT_TRUE(whole->DrawText(text, f, &at, XTEXT_DRAW_FORMAT, black.get()));

        // The same units drawn one call each at the sum of the widths before them.
        int x = 5;
        for (int i = 0; i < text.GetLength();) {
            const int n = CCodePage::IsLeadByte(static_cast<BYTE>(text[i])) ? 2 : 1;
            const CString unit = text.Mid(i, n);
            RECT r{x, 4, x + 50, 26};
            ASSERT_TRUE(pieces->DrawText(unit, f, &r, XTEXT_DRAW_FORMAT, black.get()));
            x += Measure(pieces.get(), f, unit).cx;
            i += n;
        }
        EXPECT_EQ(x - 5, Measure(whole.get(), f, text).cx);
        EXPECT_GT(CountInk(whole.get()), 100);
        EXPECT_TRUE(SamePixels(whole.get(), pieces.get()));
    }
}

TEST(CairoText, TextTopFollowsTheRectangle) {
    auto font = MakeFont(kMicroHei, -14);
    auto brush = MakeBrush(RGB(200, 0, 0));
    auto high = MakeCanvas(80, 40);
    auto low = MakeCanvas(80, 40);
    high->Clear(RGB(255, 255, 255));
    low->Clear(RGB(255, 255, 255));
    const CString text = CString("Hg") + kZhong;
    RECT top{2, 0, 80, 20};
    RECT lower{2, 11, 80, 31};
    ASSERT_TRUE(high->DrawText(text, font.get(), &top, XTEXT_DRAW_FORMAT, brush.get()));
    ASSERT_TRUE(low->DrawText(text, font.get(), &lower, XTEXT_DRAW_FORMAT, brush.get()));
    ASSERT_GT(CountInk(high.get()), 20);
    for (int y = 0; y + 11 < 40; ++y)
        for (int x = 0; x < 80; ++x)
            ASSERT_EQ(high->GetPixel(x, y), low->GetPixel(x, y + 11)) << x << "," << y;
    // The ink stays inside the measured line.
    const SIZE size = Measure(high.get(), font.get(), text);
    for (int y = size.cy; y < 40; ++y)
        for (int x = 0; x < 80; ++x)
            ASSERT_EQ(high->GetPixel(x, y), RGB(255, 255, 255)) << x << "," << y;
    // The text is drawn in the brush colour (some pixel is pure ink).
    bool pure = false;
    for (int y = 0; y < 40 && !pure; ++y)
        for (int x = 0; x < 80 && !pure; ++x)
            pure = high->GetPixel(x, y) == RGB(200, 0, 0);
    EXPECT_TRUE(pure);
}

TEST(CairoText, UnderlineAndStrikeOutAddInk) {
    auto brush = MakeBrush(RGB(0, 0, 0));
    auto inkOf = [&brush](BYTE underline, BYTE strike, const char* text) {
        LOGFONTA lf{};
        lf.lfHeight = -16;
        lf.lfUnderline = underline;
        lf.lfStrikeOut = strike;
        std::strcpy(lf.lfFaceName, kDejaVu);
        Owned<CPangoFont> font(new CPangoFont);
        font->SetLogFont(0, &lf);
        auto canvas = MakeCanvas(60, 24);
        canvas->Clear(RGB(255, 255, 255));
        RECT r{2, 2, 60, 24};
        EXPECT_TRUE(canvas->DrawText(text, font.get(), &r, XTEXT_DRAW_FORMAT, brush.get()));
        return CountInk(canvas.get());
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
    const SIZE controls = Measure(canvas.get(), font.get(), "\r\n\x01");
    EXPECT_EQ(controls.cx, 0);
    EXPECT_GT(Measure(canvas.get(), font.get(), "\xD6").cx, 0);
    EXPECT_GT(Measure(canvas.get(), font.get(), "\xD6\x0A").cx, 0);
    EXPECT_TRUE(canvas->DrawText("\xD6\x0A\t\xD6", font.get(), &r, XTEXT_DRAW_FORMAT, brush.get()));
    canvas->AssertValid();
}

TEST(CairoText, IdeographsShareOneSizeAndTheCodePageDecidesTheUnits) {
    struct Restore {
        ~Restore() { CCodePage::Set(CCodePage::kDefault); }
    } restore;
    auto canvas = MakeCanvas(1, 1);
    for (const char* face : {kMicroHei, kDejaVu, ""}) {
        auto font = MakeFont(face, -16);
        const SIZE zhong = Measure(canvas.get(), font.get(), kZhong);
        const SIZE wen = Measure(canvas.get(), font.get(), kWen);
        EXPECT_GT(zhong.cx, 0) << face;
        EXPECT_EQ(std::pair(zhong.cx, zhong.cy), std::pair(wen.cx, wen.cy)) << face;
        // Two units of text measure as two, not as four bytes.
        EXPECT_EQ(Measure(canvas.get(), font.get(), CString(kZhong) + kWen).cx, 2 * zhong.cx);
    }
    auto font = MakeFont(kDejaVu, -16);
    const SIZE ideograph = Measure(canvas.get(), font.get(), kZhong);
    // A lone lead byte is an undecodable unit: it measures as '?'.
    EXPECT_EQ(Measure(canvas.get(), font.get(), "\xD6").cx,
              Measure(canvas.get(), font.get(), "?").cx);
    // In code page 1252 the same bytes are Latin letters, measured apart.
    ASSERT_TRUE(CCodePage::Set(1252));
    const int first = Measure(canvas.get(), font.get(), "\xD6").cx;
    const int second = Measure(canvas.get(), font.get(), "\xD0").cx;
    EXPECT_NE(first, Measure(canvas.get(), font.get(), "?").cx);  // an O with diaeresis
    EXPECT_EQ(Measure(canvas.get(), font.get(), kZhong).cx, first + second);
    ASSERT_TRUE(CCodePage::Set(936));
    EXPECT_EQ(Measure(canvas.get(), font.get(), kZhong).cx, ideograph.cx);
    font->AssertValid();
}
