// Paints a small document through the layer stack onto a real Cairo surface over a tiled
// background picture (12 x 10 pixels), writes it to view.png for a person to look at, and checks
// what the pixels must show.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "editor/EditorInterface.h"
#include "media/Animate.h"
#include "media/Image.h"
#include "model/ZarniParaInfo.h"
#include "platform/base/CodePage.h"
#include "platform/graphics/cairo/CairoCanvas.h"
#include "platform/graphics/cairo/PixbufImage.h"
#include "view/BackgroundLayer.h"
#include "view/EditorView.h"
#include "view/MultilayerView.h"

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The PNG bytes of a generated 40 x 28 picture: a colour gradient with a dark disc.
std::string GeneratedPng() {
    constexpr int kW = 40, kH = 28;
    std::vector<BYTE> rgba;
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            const bool disc = (x - 20) * (x - 20) + (y - 14) * (y - 14) < 64;
            rgba.insert(rgba.end(), {static_cast<BYTE>(disc ? 30 : x * 6),
                                     static_cast<BYTE>(disc ? 30 : 120 + y * 4),
                                     static_cast<BYTE>(disc ? 90 : 200), 255});
        }
    }
    CPixbufImage made;
    BYTE* png = nullptr;
    DWORD length = 0;
    if (!made.LoadPixels(kW, kH, rgba.data()) ||
        !made.Encode(XIMAGE_ENCODE_ORIGINAL, &png, &length))
        return std::string();
    std::string bytes(reinterpret_cast<const char*>(png), length);
    made.FreeBuffer(png);
    return bytes;
}

void Type(CEditorInterface& ed, const char* utf8) {
    ASSERT_TRUE(ed.ReplaceSel(CString(CCodePage::FromUtf8(utf8))));
}

}  // namespace

TEST(Paint, DocumentOverTiledPictureShowsTextSelectionAndBackground) {
    CEditorInterface ed;
    CEditor* root = ed.GetCore().GetRoot();
    CMultilayerView* view = root->GetView();
    const int kWidth = 360, kHeight = 220;
    ed.SetViewSize(CSize(kWidth, kHeight));
    const std::string picture = ReadFile(std::string(ZARNI_TEST_DATA_DIR) + "/tile.png");
    ASSERT_FALSE(picture.empty());
    ASSERT_TRUE(ed.SetBackImage(picture, IP_TILE));

    Type(ed, "Hello, 世界! Two fonts here.\r");
    Type(ed, "第二段：an indented paragraph in another colour, long enough to wrap once.\r");
    Type(ed, "Third line, partly selected.");
    // A picture and an animated picture at the end of the text.
    zarni::CImage image;
    ASSERT_EQ(image.SetImage(GeneratedPng(), "[picture]"), 1);
    ASSERT_TRUE(ed.ReplaceSel(&image));
    zarni::CAnimate animation(0);
    ASSERT_EQ(animation.SetAnimate(ReadFile(std::string(ZARNI_TEST_DATA_DIR) + "/anim.gif"), {},
                                   "[anim]"),
              1);
    ASSERT_TRUE(ed.ReplaceSel(&animation));
    LOGFONT big;
    ed.GetDefaultFont(big);
    big.lfHeight = -22;
    big.lfWeight = FW_BOLD;
    ed.SetSel(CRange(0, 5));
    ASSERT_TRUE(ed.SetFont(big, 0xFFFFFF));
    ed.SetSel(CRange(31, 100));
    ASSERT_TRUE(ed.SetColor(RGB(200, 0, 0)));
    ed.SetSel(CRange(40, 40));
    ed.SetParagraph(zarni::CZarniParaInfo(40, 10, 8));
    const CRange selected(112, 119);
    ed.SetSel(selected);

    auto* canvas = dynamic_cast<CCairoCanvas*>(view->GetSurface());
    ASSERT_NE(canvas, nullptr);
    view->ReDrawWnd(CRect(0, 0, kWidth, kHeight), TRUE);
    const std::string png = std::string(ZARNI_TEST_OUTPUT_DIR) + "/view.png";
    ASSERT_TRUE(canvas->WritePng(png.c_str()));

    CEditorView* ev = view->GetEditorView();
    const int lines = ev->GetLineCount();
    ASSERT_GE(lines, 4);  // the second paragraph wraps
    const int contentBottom = ev->GetLineRect(lines - 1).bottom;
    ASSERT_LT(contentBottom + 12, kHeight);

    // Below the text only the tiled picture shows: it repeats every tile (12 x 10 pixels).
    int patterned = 0;
    for (int y = contentBottom + 10; y < kHeight; ++y) {
        for (int x = 0; x + 12 < kWidth; ++x) {
            ASSERT_EQ(canvas->GetPixel(x, y), canvas->GetPixel(x + 12, y)) << x << "," << y;
            ASSERT_EQ(canvas->GetPixel(x, y), canvas->GetPixel(x, y - 10)) << x << "," << y;
            if (canvas->GetPixel(x, y) != canvas->GetPixel(x + 1, y))
                ++patterned;
        }
    }
    EXPECT_GT(patterned, 0);  // the picture is really there, not a flat colour

    // Inside each laid-out line, text pixels differ from the picture at the same tile phase.
    // Tiles start at (0, 0), so the picture at (x, y) is the one at the same phase below.
    const int clearTop = (contentBottom / 10 + 2) * 10;
    auto background = [&](int x, int y) { return canvas->GetPixel(x, clearTop + y % 10); };
    for (int line = 0; line < lines; ++line) {
        const CRect r = ev->GetLineRect(line);
        int ink = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x)
                ink += canvas->GetPixel(x, y) != background(x, y);
        }
        EXPECT_GT(ink, 20) << "line " << line;
    }
    // The indented paragraph starts 40 pixels in: nothing is drawn left of it.
    const CRect indented = ev->GetLineRect(1);
    EXPECT_EQ(indented.left, 40);
    for (int y = indented.top; y < indented.bottom; ++y) {
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(canvas->GetPixel(x, y), background(x, y));
    }
    // The selected units are filled with the selection colour behind white text.
    int fill = 0, white = 0;
    for (int pos = selected.home; pos < selected.end; ++pos) {
        const CRect u = ev->GetPosRect(pos);
        for (int y = u.top; y < u.bottom; ++y) {
            for (int x = u.left; x < u.right; ++x) {
                const COLORREF c = canvas->GetPixel(x, y);
                fill += c == 0xB40713;
                white += GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) > 200;
            }
        }
    }
    EXPECT_GT(fill, 50);
    EXPECT_GT(white, 5);
    // Red text appears in the coloured run and nowhere in the first line.
    int red = 0;
    for (int y = ev->GetLineRect(1).top; y < ev->GetLineRect(2).bottom; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const COLORREF c = canvas->GetPixel(x, y);
            red += GetRValue(c) > 150 && GetGValue(c) < 60 && GetBValue(c) < 60;
        }
    }
    EXPECT_GT(red, 20);
    // The picture stands at its unit over the background; the animation shows its first
    // frame opaquely.
    const int end = static_cast<int>(ed.GetLength());
    const CRect tileRect = ev->GetPosRect(end - 2), animRect = ev->GetPosRect(end - 1);
    ASSERT_EQ(tileRect.Size(), CSize(40, 28));
    ASSERT_EQ(animRect.Size(), CSize(6, 4));
    std::unique_ptr<CCairoCanvas, XReleaser> reference(
        dynamic_cast<CCairoCanvas*>(XCreateCanvas()));
    reference->Create(nullptr, 40, 28);
    image.Draw(reference.get(), CRect(0, 0, 40, 28), CRect(-1, -1, -1, -1));
    for (int y = 0; y < 28; ++y) {
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(canvas->GetPixel(tileRect.left + x, tileRect.top + y),
                      reference->GetPixel(x, y));
    }
    animation.Draw(reference.get(), CRect(0, 0, 6, 4), CRect(-1, -1, -1, -1));
    EXPECT_EQ(canvas->GetPixel(animRect.left + 2, animRect.top + 1), reference->GetPixel(2, 1));
}

TEST(Paint, BackgroundPicturePlacements) {
    // picture.bmp is 5 x 3 (not square); on a 20 x 12 layer each placement covers a
    // rectangle worked out from the two sizes. Centred: offset ((20-5)/2, (12-3)/2).
    const std::string picture = ReadFile(std::string(ZARNI_TEST_DATA_DIR) + "/picture.bmp");
    ASSERT_FALSE(picture.empty());
    const COLORREF kBack = RGB(1, 2, 3);
    const struct {
        IMAGE_PLACEMENT placement;
        CRect covered;
    } cases[] = {
        {IP_STRETCH, CRect(0, 0, 20, 12)},   {IP_CENTER, CRect(7, 4, 13, 8)},
        {IP_TOPLEFT, CRect(0, 0, 5, 3)},     {IP_TOPRIGHT, CRect(15, 0, 20, 3)},
        {IP_BOTTOMLEFT, CRect(0, 9, 5, 12)}, {IP_BOTTOMRIGHT, CRect(15, 9, 20, 12)},
        {IP_TILE, CRect(0, 0, 20, 12)},
    };
    for (const auto& c : cases) {
        CBackgroundLayer layer;
        layer.SetSize(CSize(20, 12));
        layer.SetBackColor(kBack);
        ASSERT_TRUE(layer.SetBackImage(picture, c.placement));
        std::unique_ptr<IXCanvas, XReleaser> canvas(XCreateCanvas());
        ASSERT_TRUE(canvas->Create(nullptr, 20, 12));
        layer.Draw(canvas.get(), CRect(0, 0, 20, 12));
        auto* pixels = dynamic_cast<CCairoCanvas*>(canvas.get());
        ASSERT_NE(pixels, nullptr);
        CRect covered(20, 12, 0, 0);  // the bounds of what is not the background colour
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 20; ++x) {
                if (pixels->GetPixel(x, y) != kBack)
                    covered = CRect(std::min<int>(covered.left, x), std::min<int>(covered.top, y),
                                    std::max<int>(covered.right, x + 1),
                                    std::max<int>(covered.bottom, y + 1));
            }
        }
        EXPECT_EQ(covered, c.covered) << "placement " << c.placement;
    }
}
