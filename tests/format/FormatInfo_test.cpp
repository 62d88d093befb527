// The format store: defaults, typing attributes, merging, clipping, format listeners and
// output. Fonts and colours per unit after random edits are checked by DocumentInvariants.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "format/FIOS_Sects.h"
#include "format/FormatInfo.h"
#include "model/Doc.h"
#include "platform/base/StockObjects.h"

namespace {

LOGFONTA StockWithHeight(int delta) {
    LOGFONTA lf;
    std::memset(&lf, 0, sizeof(lf));
    GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof(LOGFONTA), &lf);
    lf.lfHeight += delta;
    return lf;
}

CString Units(int n) {
    return CString(std::string(static_cast<size_t>(n), 'a'));
}

// The colour of each position as a letter: d for the default, r for red, b for blue.
std::string ColorLetters(CFormatInfo& formats, int length) {
    std::string out;
    for (int i = 0; i < length; ++i) {
        const COLORREF c = formats.GetColor(i)->GetColor();
        out += c == 0 ? 'd' : c == 0x0000FF ? 'r' : c == 0xFF0000 ? 'b' : '?';
    }
    return out;
}

// Records format notifications, and the font at a watched position as each one arrives.
struct CRecorder : IDocListener {
    CRecorder(DocListener_Priority priority, std::vector<std::string>* log, const char* name)
        : priority(priority), log(log), name(name) {}
    DocListener_Priority GetDocPriority() override { return priority; }
    void N_Inserting(int pos, int count) override { Note("ing", pos, count); }
    void N_Inserted(int pos, int count) override { Note("ed", pos, count); }
    void N_Deleting(int pos, int count) override { Note("deleting", pos, count); }
    void N_Deleted(int pos, int count) override { Note("deleted", pos, count); }
    void Note(const char* what, int pos, int count) {
        log->push_back(name + ":" + what + "(" + std::to_string(pos) + "," + std::to_string(count) +
                       ")");
        if (watched)
            fontsSeen.push_back(watched->GetFont(pos)->ID());
    }

    DocListener_Priority priority;
    std::vector<std::string>* log;
    std::string name;
    CFormatInfo* watched = nullptr;
    std::vector<ZarniUUID> fontsSeen;
};

}  // namespace

TEST(FormatInfo, StartsWithDefaultsAndOutputsThemOnceWithoutText) {
    CDoc doc;
    CFormatInfo formats(&doc);
    const LOGFONTA stock = StockWithHeight(0);
    EXPECT_EQ(formats.GetDefaultFont().ID(), UuidFromBytes(&stock, 60));
    EXPECT_EQ(formats.GetDefaultColor().ID(), CColorInfo::IdOf(0));
    EXPECT_EQ(formats.GetFont(0)->ID(), formats.GetDefaultFont().ID());

    FIOS_Sects sects;
    EXPECT_EQ(formats.Output(&sects, CRange(0, 0)), 1);
    ASSERT_EQ(sects.GetFontCount(), 1u);
    ASSERT_EQ(sects.GetColorCount(), 1u);
    EXPECT_EQ(sects.GetFontSects()[0].Range(), CRange(0, 0));
    EXPECT_EQ(sects.GetFontAt(0)->ID(), formats.GetDefaultFont().ID());
    EXPECT_EQ(sects.GetColorAt(0)->ID(), formats.GetDefaultColor().ID());
    EXPECT_EQ(formats.Output(nullptr, CRange(0, 0)), 0);

    // The first text takes the defaults; the default may change later without touching it.
    ASSERT_EQ(doc.Inserts(0, Units(3)), 3);
    EXPECT_EQ(formats.GetFontStick().GetSize(), 1);
    const CFontInfo big(StockWithHeight(-8));
    formats.SetDefaultFont(big);
    EXPECT_EQ(formats.GetDefaultFont().ID(), big.ID());
    EXPECT_NE(formats.GetFont(1)->ID(), big.ID());
    // A record without content is no default.
    formats.SetDefaultFont(CFontInfo());
    formats.SetDefaultColor(CColorInfo());
    EXPECT_EQ(formats.GetDefaultFont().ID(), big.ID());
    EXPECT_EQ(formats.GetDefaultColor().ID(), CColorInfo::IdOf(0));
    formats.AssertValid();
}

TEST(FormatInfo, PendingAttributesApplyOnlyToTypingAtTheirPosition) {
    CColorInfo red(0x0000FF), blue(0xFF0000);
    for (const int typedAt : {7, 8}) {
        CDoc doc;
        CFormatInfo formats(&doc);
        doc.Inserts(0, Units(10));
        formats.SetColor(&blue, CRange(0, 8));
        ASSERT_EQ(formats.SetColor(&red, CRange(7, 7)), 1);
        EXPECT_EQ(formats.GetPendingPos(), 7);
        doc.Inserts(typedAt, Units(2));
        // Elsewhere the left neighbour's colour, and the pending colour is dropped.
        EXPECT_EQ(ColorLetters(formats, 12), typedAt == 7 ? "bbbbbbbrrbdd" : "bbbbbbbbbbdd");
        EXPECT_EQ(formats.GetPendingColor(), nullptr);
        EXPECT_EQ(formats.GetPendingPos(), -1);
        doc.Insertc(7, 'y');
        EXPECT_EQ(ColorLetters(formats, 8), "bbbbbbbb");
        formats.AssertValid();
    }
    // Typing attributes in an empty document apply to the first text.
    CDoc doc;
    CFormatInfo formats(&doc);
    CFontInfo big(StockWithHeight(-8));
    formats.SetFont(&big, CRange(0, 0));
    formats.SetColor(&red, CRange(0, 0));
    doc.Inserts(0, Units(4));
    EXPECT_EQ(formats.GetFont(3)->ID(), big.ID());
    EXPECT_EQ(ColorLetters(formats, 4), "rrrr");
    EXPECT_EQ(formats.GetFontStick().GetSize(), 1);
    formats.AssertValid();
}

// Records of equal content have one id, so neighbouring sections of them merge, whether
// assigned side by side or brought together by a deletion.
TEST(FormatInfo, EqualRecordsMergeOnAssignmentAndDeletion) {
    CDoc doc;
    CFormatInfo formats(&doc);
    doc.Inserts(0, Units(30));
    CFontInfo a(StockWithHeight(-2)), same(StockWithHeight(-2)), b(StockWithHeight(-4));
    CColorInfo red(0x0000FF);
    formats.SetFont(&a, CRange(0, 10));
    formats.SetFont(&b, CRange(10, 30));
    formats.SetFont(&same, CRange(10, 15));
    EXPECT_EQ(formats.GetFontStick().GetRange(0), CRange(0, 15));
    formats.SetFont(&a, CRange(20, 30));
    formats.SetColor(&red, CRange(5, 15));
    doc.Delete(15, 5);
    ASSERT_EQ(formats.GetFontStick().GetSize(), 1);
    EXPECT_EQ(formats.GetFontStick().GetRange(0), CRange(0, 25));
    EXPECT_EQ(formats.GetFont(25)->ID(), a.ID());  // the end: the font of the last unit
    EXPECT_EQ(ColorLetters(formats, 25), "dddddrrrrrrrrrrdddddddddd");
    formats.AssertValid();
}

TEST(FormatInfo, SetFontTellsFormatListenersAroundTheChange) {
    CDoc doc;
    CFormatInfo formats(&doc);
    doc.Inserts(0, Units(10));
    std::vector<std::string> log;
    CRecorder batcher(DLP_FORMAT_BATCHER, &log, "batcher");
    CRecorder view(DLP_FORMAT, &log, "view");
    view.watched = &formats;
    EXPECT_EQ(formats.AddFormatListener(&batcher), 1);
    EXPECT_EQ(formats.AddFormatListener(&view), 1);
    EXPECT_EQ(formats.AddFormatListener(nullptr), 0);

    CFontInfo big(StockWithHeight(-8));
    ASSERT_EQ(formats.SetFont(&big, CRange(2, 5)), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"view:ing(2,3)", "batcher:ing(2,3)", "view:ed(2,3)",
                                             "batcher:ed(2,3)"}));
    // Before the change the old font is in force, after it the new one.
    EXPECT_EQ(view.fontsSeen, (std::vector<ZarniUUID>{formats.GetDefaultFont().ID(), big.ID()}));

    // Typing attributes, document edits and refused calls tell nobody; a clipped range is
    // announced clipped.
    log.clear();
    CColorInfo red(0x0000FF);
    formats.SetColor(&red, CRange(3, 3));
    formats.SetFont(&big, CRange(20, 30));
    formats.SetFont(nullptr, CRange(0, 5));
    doc.Insertc(0, 'x');
    EXPECT_TRUE(log.empty());
    formats.SetColor(&red, CRange(8, 50));
    EXPECT_EQ(log.front(), "view:ing(8,3)");

    log.clear();
    formats.DeleteFormatListener(&view);
    formats.DeleteFormatListener(&batcher);
    formats.SetFont(&big, CRange(0, 1));
    EXPECT_TRUE(log.empty());
}

TEST(FormatInfo, RefusesRecordsWithoutContentAndFollowsTheDocumentItIsGiven) {
    CDoc doc;
    CFormatInfo formats(&doc);
    CFontInfo big(StockWithHeight(-8)), blank;
    doc.Inserts(0, Units(10));
    EXPECT_EQ(formats.SetFont(nullptr, CRange(0, 5)), 0);
    EXPECT_EQ(formats.SetFont(&blank, CRange(0, 5)), 0);
    EXPECT_EQ(formats.SetFont(&blank, CRange(3, 3)), 0);
    EXPECT_EQ(formats.GetPendingFont(), nullptr);
    // Ranges are clipped to the text; nothing left means nothing done.
    EXPECT_EQ(formats.SetFont(&big, CRange(10, 30)), 0);
    EXPECT_EQ(formats.SetFont(&big, CRange(-9, -1)), 0);
    EXPECT_EQ(formats.SetFont(&big, CRange(-5, 3)), 1);
    EXPECT_EQ(formats.GetFontStick().GetRange(0), CRange(0, 3));

    // A store made over existing text covers it; once gone the document must not call it
    // (the sanitizer build catches that). A store without a document formats nothing.
    {
        CFormatInfo late(&doc);
        EXPECT_EQ(late.GetFontStick().GetCovered(), CRange(0, 10));
        late.AssertValid();
    }
    doc.Insertc(0, 'y');
    doc.Delete(0, 3);
    CFormatInfo loose(nullptr);
    EXPECT_EQ(loose.SetFont(&big, CRange(0, 4)), 0);
    loose.AssertValid();
}
