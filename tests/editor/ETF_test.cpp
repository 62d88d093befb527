// The editor text format through the editor interface: exact bytes, loading at another
// position, damaged and foreign input, files and the version warning.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

#include "editor/EditorInterface.h"
#include "format/FormatInfo.h"
#include "links/LinkInfo.h"
#include "media/Animate.h"
#include "media/Image.h"
#include "model/CompressStore.h"
#include "model/Doc.h"
#include "objects/ZarniUUID.h"
#include "platform/ui/headless/HeadlessUi.h"
#include "support/DataFiles.h"

namespace {

const char* const kTextClass = "2a55c017-eac5-4c63-90b2-b8b2ef0d4ada";
const char* const kFontClass = "10ee87a7-4a3a-4de1-9e77-356aa2b4b01c";
const char* const kColorClass = "52f921ed-5345-4c73-8ad6-9e4de4953a66";
const char* const kImageClass = "1b77fa04-2791-419c-8eac-20758aa3e948";
const char* const kPrologue = "Zarni Editor file Sep  2 2006";

std::string Int(uint32_t v) {
    char b[9];
    std::snprintf(b, sizeof b, "%08x", v);
    return b;
}
std::string Str(const std::string& s) {
    return Int(static_cast<uint32_t>(s.size())) + s;
}
std::string Id(const ZarniUUID& id) {
    uint8_t b[16];
    id.ToBytes(b);
    return std::string(reinterpret_cast<char*>(b), 16);
}
std::string Digest(const std::string& bytes) {
    return Id(UuidFromBytes(bytes.data(), bytes.size()));
}
std::string Record(const char* clsid, const std::string& payload) {
    return Id(UuidFromText(clsid)) + Int(static_cast<uint32_t>(8 + payload.size())) + payload;
}
std::string ColorRun(uint32_t home, uint32_t end, COLORREF c) {
    const std::string bytes(reinterpret_cast<const char*>(&c), 4);  // low byte first
    return Record(kColorClass, Int(home) + Int(end) + Digest(bytes) + Int(c));
}

struct ETF : ::testing::Test {
    void SetUp() override { CHeadlessUi::Instance().ClearMessageBoxes(); }
    static CString Text(CEditorInterface& ed) {
        ed.SetSel(CRange(0, SEL_ALL));
        return ed.GetSelText();
    }
    static COLORREF ColorAt(CEditorInterface& ed, int pos) {
        return ed.GetCore().GetRoot()->GetFormatInfo()->GetColor(pos)->GetColor();
    }
};

}  // namespace

TEST_F(ETF, TextFontColourAndLinkRunsSaveByteForByte) {
    CEditorInterface ed;
    ASSERT_TRUE(ed.ReplaceSel(CString("ab")));
    std::string out;
    ASSERT_TRUE(ed.SaveTo(out, CRange(0, 2)));
    LOGFONT lf;
    ed.GetDefaultFont(lf);
    const std::string face(reinterpret_cast<const char*>(&lf), sizeof lf);
    const std::string font = Record(kFontClass, Int(0) + Int(2) + Digest(face) + Str(face));
    const std::string text = Record(kTextClass, Str("ab"));
    EXPECT_EQ(text.substr(16, 8), "00000012");
    EXPECT_EQ(out, kPrologue + text + font + ColorRun(0, 2, 0));

    // A red "b", a host link over both letters, saved from base 1 and from base 0.
    ed.SetSel(CRange(1, 2));
    ASSERT_TRUE(ed.SetColor(RGB(255, 0, 0)));
    zarni::CLinkInfo link(CString("t"), 7, 2000, ZarniUUID(1, 2, 3, 4));
    ed.SetLink(CRange(0, 2), &link);
    const std::string linkRun = Record(
        "6c0d9e3a-47b2-4f18-a5e3-d2b8f1c07a94",
        Int(0) + Int(1) + Int(2000) + Str("t") + Id(ZarniUUID(1, 2, 3, 4)) + Int(7) + Int(0));
    out.clear();
    ASSERT_TRUE(ed.SaveTo(out, CRange(1, 2)));
    EXPECT_EQ(out, kPrologue + Record(kTextClass, Str("b")) +
                       Record(kFontClass, Int(0) + Int(1) + Digest(face) + Str(face)) +
                       ColorRun(0, 1, RGB(255, 0, 0)) + linkRun);

    // Empty and inverted ranges write nothing.
    out.clear();
    EXPECT_FALSE(ed.SaveTo(out, CRange(1, 1)));
    EXPECT_FALSE(ed.SaveTo(out, CRange(2, 1)));
    EXPECT_TRUE(out.empty());
}

TEST_F(ETF, PictureAndAnimationRecordsCarryTheirIdsAndEncodedFrames) {
    const std::string png = ReadTestData("tile.png");
    const std::string gif = ReadTestData("anim.gif");
    CEditorInterface ed;
    auto* picture = new zarni::CImage(0);
    ASSERT_TRUE(picture->SetImage(png, "[p]"));
    ASSERT_TRUE(ed.ReplaceSel(picture));
    picture->Destroy();
    // An animation: transparent colour, data id and text, the frames, no host delays.
    auto* anim = new zarni::CAnimate(0x00FF00FF);
    ASSERT_EQ(anim->SetAnimate(gif, {}, "[a]"), 1);
    ASSERT_TRUE(ed.ReplaceSel(anim));
    anim->Destroy();
    std::string out;
    ASSERT_TRUE(ed.SaveTo(out, CRange(0, 2)));
    // Ids: the digest of the text and, in hex, the first word of the bytes' digest (and, for
    // a picture, its mode).
    auto keyed = [](const char* text, const std::string& bytes, const char* more) {
        char hex[32];
        std::snprintf(hex, sizeof hex, "%X%s", UuidFromBytes(bytes.data(), bytes.size()).words[0],
                      more);
        return Digest(text + std::string(hex));
    };
    const std::string image =
        Record(kImageClass, keyed("[p]", png, "0") + Str("[p]") + Int(0) + Str(png));
    const std::string animation =
        Record("b22e54f9-1b5e-4356-a59c-40915b08abc5",
               Int(0x00FF00FF) + keyed("[a]", gif, "") + Str("[a]") + Str(gif) + Int(0));
    LOGFONT lf;
    ed.GetDefaultFont(lf);
    const std::string face(reinterpret_cast<const char*>(&lf), sizeof lf);
    EXPECT_EQ(out, kPrologue + image + animation +
                       Record(kFontClass, Int(0) + Int(2) + Digest(face) + Str(face)) +
                       ColorRun(0, 2, 0));

    // Each record twice: one stored picture at both places, an animation object per place.
    CEditorInterface twice;
    ASSERT_TRUE(twice.LoadFrom(kPrologue + image + animation + image + animation, 0));
    CDoc* doc = twice.GetCore().GetRoot()->GetDoc();
    ASSERT_EQ(doc->GetLength(), 4);
    EXPECT_EQ(doc->GetCOID(0), doc->GetCOID(2));
    EXPECT_NE(doc->GetCOID(1), doc->GetCOID(3));
}

TEST_F(ETF, RangeLoadsAtAnotherPositionWithEveryRunShifted) {
    CEditorInterface src;
    ASSERT_TRUE(src.ReplaceSel(CString("0123456789abcdef")));
    src.SetSel(CRange(6, 8));
    ASSERT_TRUE(src.SetColor(RGB(0, 0, 255)));
    // A host value above 32 bits: its high half is the record's last field.
    constexpr unsigned long kValue = 0x100000001ul;
    zarni::CLinkInfo link(CString("x"), kValue, 3000, ZarniUUID(9, 9, 9, 9));
    src.SetLink(CRange(7, 9), &link);
    std::string data;
    ASSERT_TRUE(src.SaveTo(data, CRange(5, 9)));

    CEditorInterface dst;
    ASSERT_TRUE(dst.ReplaceSel(CString("ABCDEFGHIJKLMNOPQRSTUVWXYZ")));
    EXPECT_FALSE(dst.LoadFrom(data, 27));  // past the end
    EXPECT_FALSE(dst.LoadFrom("Zarni Editor fil", 0));
    EXPECT_EQ(dst.GetLength(), 26);
    ASSERT_TRUE(dst.LoadFrom(data, 20));
    EXPECT_EQ(Text(dst), CString("ABCDEFGHIJKLMNOPQRST5678UVWXYZ"));
    for (int pos = 20; pos < 24; ++pos)
        EXPECT_EQ(ColorAt(dst, pos), pos == 21 || pos == 22 ? RGB(0, 0, 255) : 0) << pos;
    const SLinkRun run = dst.GetLinkAt(22);
    ASSERT_NE(run.link, nullptr);
    EXPECT_EQ(run.range, CRange(22, 24));
    EXPECT_TRUE(run.link->GetOutID() == ZarniUUID(9, 9, 9, 9) && run.link->GetValue() == kValue);
    EXPECT_TRUE(CHeadlessUi::Instance().GetMessageBoxes().empty());
}

TEST_F(ETF, ForeignRecordsAreSkippedAndAnOtherStampWarnsOnce) {
    const std::string unknown = Record("00000000-1111-2222-3333-444444444444", "whatever");
    std::string data = std::string("Zarni Editor file Oct  1 2010") +
                       Record(kTextClass, Str("one")) + unknown + Record(kTextClass, Str("two")) +
                       unknown + ColorRun(1, 2, RGB(0, 255, 0));
    CEditorInterface ed;
    ASSERT_TRUE(ed.LoadFrom(data, 0));
    EXPECT_EQ(Text(ed), CString("onetwo"));
    EXPECT_EQ(ColorAt(ed, 1), RGB(0, 255, 0));
    const auto& boxes = CHeadlessUi::Instance().GetMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].owner == nullptr && boxes[0].type == MB_OK);

    // Cut short inside the second text: the first stays, nothing else happens.
    CEditorInterface cut;
    const std::string prefix = kPrologue + Record(kTextClass, Str("one"));
    ASSERT_TRUE(cut.LoadFrom(prefix + Record(kTextClass, Str("two")).substr(0, 30), 0));
    EXPECT_EQ(Text(cut), CString("one"));
    // A record whose length points past the end stops the pass.
    ASSERT_TRUE(cut.LoadFrom(prefix + Id(UuidFromText(kColorClass)) + Int(999), 3));
    EXPECT_EQ(Text(cut), CString("oneone"));
}

TEST_F(ETF, FileErrorsShowTheSystemMessageAndChangeNothing) {
    const std::string dir = ::testing::TempDir();
    const std::string empty = dir + "/etf-empty.zed";
    std::fclose(std::fopen(empty.c_str(), "w"));
    CEditorInterface ed;
    ASSERT_TRUE(ed.ReplaceSel(CString("keep")));
    struct Case {
        bool save;
        std::string path;
        int error;  // 0: no message
    };
    const Case cases[] = {
        {false, dir + "/no-such-file.zed", ENOENT},
        {false, dir, EISDIR},
        {false, empty, 0},
        {true, dir, EISDIR},
        {true, dir + "/no-such-dir/x.zed", ENOENT},
        {true, "/dev/full", ENOSPC},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        CHeadlessUi::Instance().ClearMessageBoxes();
        EXPECT_FALSE(c.save ? ed.Save(c.path.c_str()) : ed.Load(c.path.c_str()));
        const auto& boxes = CHeadlessUi::Instance().GetMessageBoxes();
        ASSERT_EQ(boxes.size(), c.error ? 1u : 0u);
        if (c.error) {
            EXPECT_EQ(boxes[0].text, CString(std::strerror(c.error)));
        }
        EXPECT_EQ(Text(ed), CString("keep"));
    }
    EXPECT_FALSE(ed.Load(nullptr));
    EXPECT_FALSE(ed.Save(nullptr));
    std::remove(empty.c_str());
}

// Runs body in a child process and answers its exit status.
template <typename Body>
int InChild(Body body) {
    const pid_t pid = fork();
    if (pid == 0)
        _exit(body());
    int status = -1;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(ETF, AFileWrittenByOneProcessLoadsInAnotherAndAFailedSaveKeepsIt) {
    const std::string path = ::testing::TempDir() + "/etf-process-test.zed";
    std::remove(path.c_str());
    ASSERT_EQ(InChild([&] {
                  CEditorInterface ed;
                  ed.ReplaceSel(CString("from\ranother process"));
                  ed.SetSel(CRange(0, 4));
                  ed.SetColor(RGB(1, 2, 3));
                  return ed.Save(path.c_str()) ? 0 : 1;
              }),
              0);
    CEditorInterface ed;
    ASSERT_TRUE(ed.Load(path.c_str()));
    EXPECT_EQ(Text(ed), CString("from\r\nanother process"));
    EXPECT_EQ(ColorAt(ed, 3), RGB(1, 2, 3));
    EXPECT_FALSE(ed.CanUndo());

    // A save that cannot be completed (the file size limit is hit) leaves the good file.
    EXPECT_EQ(InChild([&] {
                  signal(SIGXFSZ, SIG_IGN);
                  const rlimit limit{64, 64};
                  setrlimit(RLIMIT_FSIZE, &limit);
                  CEditorInterface big;
                  big.ReplaceSel(CString(std::string(4096, 'x')));
                  return big.Save(path.c_str()) ? 0 : 2;
              }),
              2);
    CEditorInterface again;
    ASSERT_TRUE(again.Load(path.c_str()));
    EXPECT_EQ(Text(again), CString("from\r\nanother process"));
    // A save that can be completed replaces it.
    again.SetSel(CRange(0, 0));
    ASSERT_TRUE(again.ReplaceSel(CString("!")));
    ASSERT_TRUE(again.Save(path.c_str()));
    ASSERT_TRUE(ed.Load(path.c_str()));
    EXPECT_EQ(Text(ed), CString("!from\r\nanother process"));
    std::remove(path.c_str());
}
