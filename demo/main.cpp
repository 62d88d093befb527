// Demo host: builds a small chat message in a document with fonts, colours and
// paragraphs, then prints what the control holds, as runs of text with their formats.
#include <zarni/ZarniEditor.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Collects the document's text per range so that format runs can be printed with it.
class TextCollector : public IDocOutputStream {
public:
    int OutputObject(ICompressStoreObj*, const CRange&) override { return 1; }
    int OutputText(const CString& text, const CRange& range) override {
        for (int i = 0; i < text.GetLength(); ++i)
            m_bytes.push_back(text.GetAt(i));
        m_ranges.push_back(range);
        return 1;
    }
    void Reset() override {}
    std::string Utf8() const { return CCodePage::ToUtf8(m_bytes.data(), m_bytes.size()); }

private:
    std::vector<char> m_bytes;
    std::vector<CRange> m_ranges;
};

std::string TextOf(CDoc& doc, const CRange& range) {
    TextCollector out;
    doc.Output(&out, range);
    std::string s = out.Utf8();
    for (char& c : s) {
        if (c == '\r')
            c = '|';
    }
    return s;
}

class RunPrinter : public IMixtureOutputStream {
public:
    explicit RunPrinter(CDoc& doc) : m_doc(doc) {}
    int PutMixture(const CMixtureInfo& info) override {
        const LOGFONTA& lf = info.font->GetLogFont();
        const COLORREF c = info.color->GetColor();
        std::printf("  [%3d,%3d) height %d weight %d%s colour #%02x%02x%02x  \"%s\"\n",
                    info.range.home, info.range.end, lf.lfHeight, lf.lfWeight,
                    lf.lfUnderline ? " underlined" : "", GetRValue(c), GetGValue(c), GetBValue(c),
                    TextOf(m_doc, info.range).c_str());
        return 1;
    }

private:
    CDoc& m_doc;
};

class ParaPrinter : public IParaOutputStream {
public:
    explicit ParaPrinter(CDoc& doc) : m_doc(doc) {}
    int PutParaInfo(const zarni::CZarniParaInfo& info, const CRange& range) override {
        std::printf("  [%3d,%3d) indents %d/%d line space %d  \"%s\"\n", range.home, range.end,
                    info.GetLeftIndent(), info.GetRightIndent(), info.GetLineSapce(),
                    TextOf(m_doc, range).c_str());
        return 1;
    }

private:
    CDoc& m_doc;
};

// Types text at the end of the document, the way the editor feeds typed characters.
void Type(CDoc& doc, const char* utf8) {
    doc.Inserts(doc.GetLength(), CCodePage::FromUtf8(utf8));
}

}  // namespace

int main() {
    CDoc doc;
    CFormatInfo formats(&doc);
    CParagraph paragraphs(&doc);

    Type(doc, "Alice 10:42\r");
    Type(doc, "你好！Are we still on for lunch?\r");
    Type(doc, "See https://example.org/menu");

    // The sender line in bold blue, the link underlined, the message indented.
    LOGFONTA bold = formats.GetDefaultFont().GetLogFont();
    bold.lfWeight = FW_BOLD;
    CFontInfo boldFont(bold);
    CColorInfo blue(RGB(0, 0, 200));
    formats.SetFont(&boldFont, CRange(0, 5));
    formats.SetColor(&blue, CRange(0, 12));
    LOGFONTA link = formats.GetDefaultFont().GetLogFont();
    link.lfUnderline = 1;
    CFontInfo linkFont(link);
    const int linkStart = doc.GetLength() - static_cast<int>(strlen("https://example.org/menu"));
    formats.SetFont(&linkFont, CRange(linkStart, doc.GetLength()));
    paragraphs.SetParaInfo(zarni::CZarniParaInfo(20, 2, 6), CRange(12, doc.GetLength()));

    // Typing attributes: the next characters typed at the end come out red.
    CColorInfo red(RGB(200, 0, 0));
    formats.SetColor(&red, CRange(doc.GetLength(), doc.GetLength()));
    Type(doc, " 好的");

    std::printf("document: %d units (%s)\n", doc.GetLength(),
                "a double-byte character is one unit");
    std::printf("format runs:\n");
    FIOS_Mixture mixture;
    formats.Output(&mixture, CRange(0, doc.GetLength()));
    RunPrinter runs(doc);
    mixture.Output(&runs);
    std::printf("paragraphs:\n");
    ParaPrinter paras(doc);
    paragraphs.Output(&paras, CRange(0, doc.GetLength()));

    // Font records are identified by the digest of their 60 LOGFONTA bytes.
    CPack pack;
    boldFont.streamout(pack);
    const ZarniUUID id = boldFont.GetID();
    std::printf("bold font record: id %08x-%08x-%08x-%08x, %u bytes in a pack\n", id.words[0],
                id.words[1], id.words[2], id.words[3], pack.GetLength());
    return 0;
}
