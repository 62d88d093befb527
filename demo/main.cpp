// Demo host: builds a small chat message with fonts, colours and paragraphs through the
// editor interface, prints what the control holds, and paints the composed view to a PNG.
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
    ed.Undo();  // the reply's text goes again
    std::printf("after undo: %ld units, can redo %d\n", ed.GetLength(), ed.CanRedo());
    ed.Redo();
    ed.SetSel(CRange(15, 19));  // "Are " selected

    CMultilayerView* view = root->GetView();
    view->ReDrawWnd(CRect(0, 0, 420, 160), TRUE);
    if (XWriteCanvasPng(view->GetSurface(), png))
        std::printf("painted view: %s\n", png);
    return 0;
}
