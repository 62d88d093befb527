// Demo host: builds a small chat message with fonts, colours, paragraphs, a detected web
// address and an animated emoticon through the editor interface, prints what the control
// holds, and paints the composed view to a PNG.
#include <zarni/ZarniEditor.h>

#include <cstdio>
#include <string>

namespace {

// Prints runs of constant font and colour with their text.
class RunPrinter : public IMixtureOutputStream {
public:
    explicit RunPrinter(CEditorInterface& ed) : m_ed(ed) {}
    int PutMixture(const CMixtureInfo& info) override {
        const LOGFONTA& lf = info.font->GetLogFont();
        const COLORREF c = info.color->GetColor();
        std::printf("  [%3d,%3d) height %d weight %d%s colour #%02x%02x%02x  \"%s\"\n",
                    info.range.home, info.range.end, lf.lfHeight, lf.lfWeight,
                    lf.lfUnderline ? " underlined" : "", GetRValue(c), GetGValue(c), GetBValue(c),
                    Text(info.range).c_str());
        return 1;
    }

private:
    std::string Text(const CRange& r) {
        const CRange kept = m_ed.GetSel();
        m_ed.SetSel(r);
        std::string s = CCodePage::ToUtf8(m_ed.GetSelText().str());
        m_ed.SetSel(kept);
        for (char& ch : s) {
            if (ch == '\r' || ch == '\n')
                ch = '|';
        }
        return s;
    }
    CEditorInterface& m_ed;
};

void Type(CEditorInterface& ed, const char* utf8) {
    ed.ReplaceSel(CString(CCodePage::FromUtf8(utf8)));
}

// A 24-bit BMP of a smiling face strip: kFrames frames of kFace x kFace pixels side by side,
// the eyes closing in the last frame.
constexpr int kFace = 20, kFrames = 3;

std::string SmileyStrip() {
    const int width = kFace * kFrames, height = kFace, stride = (width * 3 + 3) & ~3;
    std::string bmp(54 + stride * height, '\0');
    auto put32 = [&bmp](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bmp[at + i] = static_cast<char>(v >> (8 * i));
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, static_cast<uint32_t>(bmp.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, width);
    put32(22, height);
    put32(26, 1 | (24 << 16));  // one plane, 24 bits
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int frame = x / kFace, fx = x % kFace - kFace / 2, fy = kFace / 2 - y;
            const int r2 = fx * fx + fy * fy;
            COLORREF c = RGB(255, 255, 255);
            if (r2 < 81)
                c = RGB(255, 200, 0);  // face
            const bool eye =
                (fx == -3 || fx == 3) && (frame == kFrames - 1 ? fy == 2 : fy >= 1 && fy <= 3);
            if (eye || (r2 >= 16 && r2 <= 25 && fy < -1))
                c = RGB(90, 40, 0);  // eyes and smile
            const size_t at = 54 + static_cast<size_t>(height - 1 - y) * stride + x * 3;
            bmp[at] = static_cast<char>(GetBValue(c));
            bmp[at + 1] = static_cast<char>(GetGValue(c));
            bmp[at + 2] = static_cast<char>(GetRValue(c));
        }
    }
    return bmp;
}

}  // namespace

int main(int argc, char** argv) {
    const char* png = argc > 1 ? argv[1] : "zarni-demo.png";
    CEditorInterface ed;
    ed.SetViewSize(CSize(420, 160));
    ed.SetBackColor(RGB(250, 250, 244));

    Type(ed, "Alice 10:42\r");
    Type(ed, "你好！Are we still on for lunch? The noodle place on the corner opens at noon.\r");
    Type(ed, "See https://example.org/menu");

    // The sender line in bold blue, the message indented, typing attributes for the reply.
    LOGFONT lf;
    ed.GetDefaultFont(lf);
    lf.lfWeight = FW_BOLD;
    ed.SetSel(CRange(0, 5));
    ed.SetFont(lf, 0x10);  // weight only
    ed.SetSel(CRange(0, 11));
    ed.SetColor(RGB(0, 0, 200));
    ed.SetSel(CRange(12, 12));
    ed.SetParagraph(zarni::CZarniParaInfo(24, 2, 6));
    ed.SetSel(CRange(static_cast<int>(ed.GetLength()), -4));
    ed.SetColor(RGB(200, 0, 0));  // typing colour at the caret
    Type(ed, " 好的");
    zarni::CAnimate smiley(RGB(255, 255, 255));  // white stays out when drawn
    CZarniArray<unsigned int> delays;
    for (int i = 0; i < kFrames; ++i)
        delays.Add(i == kFrames - 1 ? 200 : 600);
    if (smiley.SetAnimate(SmileyStrip(), delays, "[smile]"))
        ed.ReplaceSel(&smiley);

    CEditor* root = ed.GetCore().GetRoot();
    std::printf("document: %ld units, %d lines at width 420\n", ed.GetLength(), ed.GetLineCount());
    std::printf("format runs:\n");
    FIOS_Mixture mixture;
    root->GetFormatInfo()->Output(&mixture, CRange(0, static_cast<int>(ed.GetLength())));
    RunPrinter runs(ed);
    mixture.Output(&runs);
    for (int line = 0; line < ed.GetLineCount(); ++line) {
        CString text = ed.GetLine(line);
        text.Remove('\r');
        std::printf("line %d: %s\n", line, CCodePage::ToUtf8(text.str()).c_str());
    }
    for (int pos = 0; pos < ed.GetLength(); ++pos) {
        const SLinkRun run = ed.GetLinkAt(pos);
        if (run.link->GetType() != 0 && run.range.home == pos)
            std::printf("link [%d,%d): %s\n", run.range.home, run.range.end,
                        run.link->GetText().GetString());
    }
    // In a window the shared timer's pulses drive the emoticon; here they are given by hand.
    auto* placed = dynamic_cast<zarni::CAnimate*>(CCompressStore::Instance().Find(smiley.GetID()));
    for (int pulse = 0; placed && pulse < 3; ++pulse)
        placed->TimeArrive(200);
    if (placed)
        std::printf("emoticon frame after 600 ms: %u of %d\n", placed->GetCurFrame(), kFrames);
    ed.Undo();  // the emoticon goes again
    ed.Undo();  // and the reply's text
    std::printf("after undo: %ld units, can redo %d\n", ed.GetLength(), ed.CanRedo());
    ed.Redo();
    ed.Redo();
    ed.SetSel(CRange(15, 19));  // "Are " selected

    CMultilayerView* view = root->GetView();
    view->ReDrawWnd(CRect(0, 0, 420, 160), TRUE);
    if (XWriteCanvasPng(view->GetSurface(), png))
        std::printf("painted view: %s\n", png);
    return 0;
}
