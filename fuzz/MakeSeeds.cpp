// Writes the seed corpus of the editor fuzz targets: documents saved by a real editor, each
// behind the bytes that pick the target's position or selection.
//
//   fuzz_make_seeds <tests/data> <fuzz/corpus>
//
// writes <corpus>/loadfrom/*, <corpus>/replacesel_etf/* and <corpus>/pack/*.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "editor/EditorInterface.h"
#include "links/LinkInfo.h"
#include "media/Animate.h"
#include "media/Image.h"

namespace {

std::string g_data;
std::string g_corpus;
int g_failures = 0;

std::string ReadData(const std::string& name) {
    std::ifstream in(g_data + "/" + name, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.empty()) {
        std::fprintf(stderr, "cannot read %s/%s\n", g_data.c_str(), name.c_str());
        ++g_failures;
    }
    return bytes;
}

std::string SaveAll(CEditorInterface& ed) {
    std::string out;
    if (!ed.SaveTo(out, CRange(0, static_cast<int>(ed.GetLength())))) {
        std::fprintf(stderr, "saving failed\n");
        ++g_failures;
    }
    return out;
}

void Write(const std::string& target, const std::string& name, const std::string& bytes) {
    const std::string path = g_corpus + "/" + target + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        ++g_failures;
    }
}

// One document for both targets: LoadFrom's seed starts with the load position, the
// replacing target's with the selection's home and its end + 4 (so 3 selects all).
void Emit(const std::string& name, const std::string& document, char pos, char home, char end) {
    Write("loadfrom", name, std::string(1, pos) + document);
    Write("replacesel_etf", name, std::string(1, home) + std::string(1, char(end + 4)) + document);
}

std::string TextDocument() {
    CEditorInterface ed;
    ed.ReplaceSel(CString("plain text\rsecond line \xD6\xD0"));
    return SaveAll(ed);
}

std::string FontColourDocument() {
    CEditorInterface ed;
    ed.ReplaceSel(CString("bold red blue"));
    ed.SetSel(CRange(0, 4));
    LOGFONT lf = {};
    lf.lfWeight = 700;
    ed.SetFont(lf, 0x10);
    ed.SetSel(CRange(5, 8));
    ed.SetColor(RGB(200, 0, 0));
    ed.SetSel(CRange(9, 13));
    ed.SetColor(RGB(0, 0, 255));
    return SaveAll(ed);
}

std::string LinkDocument() {
    CEditorInterface ed;
    ed.ReplaceSel(CString("see example.org or ask"));
    // A detected-style address link, which owns its address string, and a host link.
    zarni::CLinkInfo address(CString("example.org"), 0, LINK_TYPE_URL, ZarniUUID());
    address.SetLinkInfo(CString("example.org"),
                        reinterpret_cast<unsigned long>(new CString("http://example.org")),
                        LINK_TYPE_URL, ZarniUUID());
    address.SetAutoDeleteValue(1);
    ed.SetLink(CRange(4, 15), &address);
    zarni::CLinkInfo host(CString("ask"), 7, 2000, ZarniUUID(1, 2, 3, 4));
    ed.SetLink(CRange(19, 22), &host);
    return SaveAll(ed);
}

std::string PictureDocument() {
    CEditorInterface ed;
    ed.ReplaceSel(CString("a  b"));
    ed.SetSel(CRange(2, 2));
    auto* picture = new zarni::CImage(0);
    picture->SetImage(ReadData("tile.png"), "[p]");
    ed.ReplaceSel(picture);
    picture->Destroy();
    return SaveAll(ed);
}

std::string AnimationDocument() {
    CEditorInterface ed;
    ed.ReplaceSel(CString("hi "));
    auto* anim = new zarni::CAnimate(0x00FF00FF);
    anim->SetAnimate(ReadData("anim.gif"), {}, "[a]");
    ed.ReplaceSel(anim);
    anim->Destroy();
    ed.ReplaceSel(CString(" there"));
    return SaveAll(ed);
}

// A pack target input: the script's length, the script (operation numbers, see
// Pack_fuzz.cpp), then the pack's content.
void EmitPack(const std::string& name, const std::string& script, const std::string& content) {
    Write("pack", name, std::string(1, char(script.size())) + script + content);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <tests/data> <fuzz/corpus>\n", argv[0]);
        return 2;
    }
    g_data = argv[1];
    g_corpus = argv[2];
    const std::string text = TextDocument();
    const std::string animation = AnimationDocument();
    Emit("text", text, 0, 2, 5);
    Emit("font-colour", FontColourDocument(), 5, 0, SEL_ALL);
    Emit("link", LinkDocument(), 11, 11, 11);
    Emit("picture", PictureDocument(), 3, 3, SEL_WORD);
    Emit("animation", animation, 6, 6, 11);
    Emit("truncated", animation.substr(0, animation.size() * 2 / 3), 2, 1, 4);
    std::string stamp = text;
    stamp.replace(18, 11, "Oct  1 2010");
    Emit("wrong-stamp", stamp, 9, 9, SEL_PARAGRAPH);
    Emit("past-end", text, 14, 13, SEL_DOC_END);
    // Reading a saved text record: peek and drop its id, peek its length, read the string.
    EmitPack("record-reads", std::string("\x08\x0b\x07\x04\x00", 5), text.substr(29));
    // Writing a block, closing it, then reading back from the start.
    EmitPack("block-writes", std::string("\x0e\x10\x11\x0f\x12\x0d\x00\x04", 8), "00000003abc");
    return g_failures == 0 ? 0 : 1;
}
