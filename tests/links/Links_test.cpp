// Links: the link object, URL detection while typing and pasting, host links, the insert-link
// command, and how links are painted.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "editor/EditorInterface.h"
#include "engine/InsertLinkCommand.h"
#include "links/LinkManager.h"
#include "links/UrlDetector.h"
#include "model/Doc.h"
#include "platform/base/CodePage.h"
#include "platform/graphics/cairo/CairoCanvas.h"
#include "view/EditorView.h"
#include "view/MultilayerView.h"

namespace {

struct LinkEditor {
    CEditorInterface ed;
    CLinkManager& Links() { return *ed.GetCore().GetRoot()->GetLinks(); }
    void Paste(const char* utf8) { ASSERT_TRUE(ed.ReplaceSel(CCodePage::FromUtf8(utf8))); }
    void TypeAt(int pos, const char* utf8) {
        ed.SetSel(CRange(pos, pos));
        const CWordString units(CCodePage::FromUtf8(utf8));
        for (uint32_t i = 0; i < units.GetSize(); ++i)
            ASSERT_TRUE(ed.ReplaceSel(units.substr(i, 1).c_str()));
    }
    // "home-end:type:text " for every run that carries a link.
    std::string Dump() {
        std::vector<SLinkRun> runs;
        Links().GetLinks(CRange(0, static_cast<int>(ed.GetLength())), runs);
        std::string out;
        for (const SLinkRun& r : runs) {
            if (r.link->GetType() != LINK_TYPE_NONE)
                out += std::to_string(r.range.home) + "-" + std::to_string(r.range.end) + ":" +
                       std::to_string(r.link->GetType()) + ":" + r.link->GetText().str() + " ";
        }
        return out;
    }
};

}  // namespace

TEST(UrlDetection, PastedWholeAndTypedUnitByUnitFindTheSameAddresses) {
    const char* cases[][2] = {
        {"see http://x/y?z=1 now", "4-18:1:http://x/y?z=1 "},
        {"HTTPS://X wais:q", "0-9:1:HTTPS://X 10-16:1:wais:q "},
        {"ahttp://x http: x", ""},  // glued to a word; a prefix alone
        {"(http://x)", "1-9:1:http://x "},
        {"www. a www.a", "7-12:1:www.a "},
        {"世http://x界", "1-9:1:http://x "},
        {"go http://x", "3-11:1:http://x "},
        {"news www.y ftp.z", "5-10:1:www.y 11-16:1:ftp.z "},
    };
    for (const auto& c : cases) {
        LinkEditor pasted, typed;
        pasted.Paste(c[0]);
        typed.TypeAt(0, c[0]);
        EXPECT_EQ(pasted.Dump(), c[1]) << c[0];
        EXPECT_EQ(typed.Dump(), c[1]) << c[0];
    }
    LinkEditor one;
    one.Paste("x http://q");
    ILinkInfo* link = one.Links().GetLinkAt(2).link;
    ASSERT_NE(link->GetValue(), 0ul);
    EXPECT_EQ(*reinterpret_cast<CString*>(link->GetValue()), "http://q");
    EXPECT_TRUE(link->GetOutID().IsNull());
}

TEST(UrlDetection, DeletingTheColonRemovesTheLinkAndRetypingRestoresIt) {
    LinkEditor e;
    e.Paste("go http://x");
    e.ed.SetSel(CRange(7, 8));
    ASSERT_TRUE(e.ed.DeleteChar(0));
    EXPECT_EQ(e.Dump(), "");
    e.TypeAt(7, ":");
    EXPECT_EQ(e.Dump(), "3-11:1:http://x ");
}

TEST(HostLinks, StretchWhenTypedInsideAreNeverOverwrittenAndRemoveByOutId) {
    LinkEditor e;
    e.Paste("ab cd ef gh");
    const ZarniUUID out(1, 2, 3, 4);
    zarni::CLinkInfo host("cd", 7, 2000, out);
    e.Links().SetLink(CRange(3, 5), &host);
    e.Links().SetLink(CRange(9, 99), &host);   // clipped to the text
    e.Links().SetLink(CRange(1, 2), nullptr);  // nothing
    e.Links().SetLink(CRange(2, 1), &host);    // inverted: nothing
    e.TypeAt(3, "w");                          // at its home: not inside
    e.TypeAt(5, "X");
    EXPECT_EQ(e.Dump(), "4-7:2000:cXd 11-13:2000:cd ");
    EXPECT_TRUE(e.Links().GetLinkAt(5).link->GetOutID().IsNull());
    EXPECT_EQ(e.Links().GetLinkAt(5).link->GetValue(), 7ul);
    e.TypeAt(7, "http://z");  // scanned from the link's end
    EXPECT_EQ(e.Dump(), "4-7:2000:cXd 7-15:1:http://z 19-21:2000:cd ");
    e.Links().SetLink(CRange(0, 2), &host);
    e.Links().SetLink(CRange(1, 2), &host);  // splits the first run in two
    EXPECT_EQ(e.Links().RemoveLink(out), 3);
    EXPECT_EQ(e.Links().RemoveLink(out), 0);
    EXPECT_EQ(e.Dump(), "4-7:2000:cXd 7-15:1:http://z ");
    e.Links().AssertValid();
}

TEST(LinkInfo, EqualityIdsAndOwnedAddressCopies) {
    zarni::CLinkInfo none, none2, url("u", 0x01020304, LINK_TYPE_URL, ZarniUUID());
    EXPECT_TRUE(none == none2);
    EXPECT_FALSE(url == url);
    EXPECT_FALSE(url == none);
    EXPECT_TRUE(none.GetID().IsNull());
    const unsigned char bytes[] = {'u', 4, 3, 2, 1, 1, 0, 0, 0};
    EXPECT_EQ(url.GetID(), UuidFromBytes(bytes, sizeof bytes));
    auto address = std::make_unique<CString>("v");
    zarni::CLinkInfo owner("v", reinterpret_cast<unsigned long>(address.release()), 1, {});
    owner.SetAutoDeleteValue(1);
    TOwned<ILinkInfo> copy(static_cast<zarni::CLinkInfo*>(owner.Clone()));
    EXPECT_NE(copy->GetValue(), owner.GetValue());
    EXPECT_EQ(*reinterpret_cast<CString*>(copy->GetValue()), "v");
    EXPECT_EQ(copy->GetID(), owner.GetID());
    owner = *static_cast<zarni::CLinkInfo*>(copy.get());  // frees its own address first
    EXPECT_EQ(*reinterpret_cast<CString*>(owner.GetValue()), "v");
}

TEST(InsertLinkCommand, InsertsTextUnderTheLinkAndUndoRemovesIt) {
    LinkEditor e;
    e.Paste("ab");
    zarni::CLinkInfo host("http://h", 5, 3000, ZarniUUID(9, 9, 9, 9));
    CInsertLinkCommand cmd(1, &host), none(1, nullptr);
    cmd.SetTarget(e.ed.GetCore().GetRoot());
    none.SetTarget(e.ed.GetCore().GetRoot());
    EXPECT_FALSE(none.Do());
    ASSERT_TRUE(cmd.Do());
    EXPECT_EQ(e.Dump(), "1-9:3000:http://h ");
    ASSERT_TRUE(cmd.Undo());
    EXPECT_EQ(e.ed.GetLength(), 2);
    TOwned<ICommand> again(cmd.Clone());
    ASSERT_TRUE(again->Do());
    EXPECT_EQ(e.Dump(), "1-9:3000:http://h ");
}

// Random typing, pasting and deleting keep the links equal to a detection over the whole text.
TEST(UrlDetection, RandomEditsMatchDetectingTheWholeText) {
    const char* pieces[] = {"http:", "//a", "www.", "x", " ", "(", ")", "news", ":", "世", "H"};
    for (unsigned seed = 1; seed <= 4; ++seed) {
        std::mt19937 rng(seed);
        LinkEditor e;
        for (int step = 0; step < 120; ++step) {
            const int length = static_cast<int>(e.ed.GetLength());
            const int pos = static_cast<int>(rng() % static_cast<unsigned>(length + 1));
            if (rng() % 3 == 0 && length > 0) {
                e.ed.SetSel(CRange(pos, std::min(length, pos + 1 + static_cast<int>(rng() % 3))));
                ASSERT_TRUE(e.ed.DeleteChar(0));
            } else {
                e.ed.SetSel(CRange(pos, pos));
                e.Paste(pieces[rng() % (sizeof pieces / sizeof *pieces)]);
            }
            e.Links().AssertValid();
            std::string whole;
            IDoc* doc = e.ed.GetCore().GetRoot()->GetDocument();
            for (SUrlRun& run : CUrlDetector::Instance().Detect(doc, CRange(0, doc->GetLength())))
                if (run.link)
                    whole += std::to_string(run.range.home) + "-" + std::to_string(run.range.end) +
                             ":1:" + run.link->GetText().str() + " ";
            ASSERT_EQ(e.Dump(), whole) << "seed " << seed << " step " << step;
        }
    }
}

// The scan that runs the machine only near ':' and '.' finds what running it over every
// unit finds.
TEST(UrlDetection, SkippingScanMatchesTheMachineOverEveryUnit) {
    const char* pieces[] = {"http:", "h",         "t",    "p",  ":", ".", "w",
                            "www",   "prospero:", "ftp",  " ",  "(", "x", "//",
                            "世",    "mailto:",   "Wais", "s:", "\r"};
    std::mt19937 rng(7);
    CUrlDetector& detector = CUrlDetector::Instance();
    auto dump = [](const std::vector<CUrlDetector::SFound>& found) {
        std::string out;
        for (const CUrlDetector::SFound& f : found)
            out += std::to_string(f.range.home) + "-" + std::to_string(f.range.end) + ":" +
                   f.text.c_str().str() + " ";
        return out;
    };
    int found = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (int n = static_cast<int>(rng() % 24); n > 0; --n)
            text += pieces[rng() % (sizeof pieces / sizeof *pieces)];
        const CWordString units(CCodePage::FromUtf8(text.c_str()));
        const std::string each = dump(detector.ScanEachUnit(units, 5));
        ASSERT_EQ(dump(detector.Scan(units, 5)), each) << text;
        found += each.empty() ? 0 : 1;
    }
    EXPECT_GT(found, 300);  // the pieces do make addresses
}

TEST(LinkPaint, LinkTextIsBlueAndUnderlinedOnlyWithinTheLink) {
    LinkEditor e;
    e.ed.SetViewSize(CSize(300, 60));
    e.Paste("mm http://mm mm");
    CMultilayerView* view = e.ed.GetCore().GetRoot()->GetView();
    view->ReDrawWnd(CRect(0, 0, 300, 60), TRUE);
    auto* canvas = dynamic_cast<CCairoCanvas*>(view->GetSurface());
    ASSERT_NE(canvas, nullptr);
    CEditorView* ev = view->GetEditorView();
    const int left = ev->GetPosRect(3).left, right = ev->GetPosRect(11).right;
    const CRect line = ev->GetLineRect(0);
    int blueColumns = 0, underlineRows = 0;
    for (int y = line.top; y < line.bottom; ++y) {
        int rowBlue = 0;
        for (int x = 0; x < ev->GetPosRect(14).right; ++x) {
            const COLORREF c = canvas->GetPixel(x, y);
            const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
            const bool blue = b - std::max(r, g) > 0x60;
            ASSERT_TRUE(!blue || (x >= left && x < right)) << x << "," << y;
            rowBlue += blue;
        }
        blueColumns = std::max(blueColumns, rowBlue);
        underlineRows += rowBlue >= (right - left) * 3 / 4;
    }
    EXPECT_GE(underlineRows, 1);  // a line under the whole link
    EXPECT_GT(blueColumns, 0);
}
