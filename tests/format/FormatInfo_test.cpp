// The format store: defaults, following the document, typing attributes, clipping,
// format listeners, output, and a seeded random run against a per-unit reference.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
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

// Records format notifications, and the font at a watched position as each one arrives.
class CRecorder : public IDocListener {
public:
    CRecorder(DocListener_Priority priority, std::vector<std::string>* log, const char* name)
        : m_priority(priority), m_log(log), m_name(name) {}
    DocListener_Priority GetDocPriority() override { return m_priority; }
    void N_Inserting(int pos, int count) override { Note("ing", pos, count); }
    void N_Inserted(int pos, int count) override { Note("ed", pos, count); }
    void N_Deleting(int pos, int count) override { Note("deleting", pos, count); }
    void N_Deleted(int pos, int count) override { Note("deleted", pos, count); }

    CFormatInfo* watched = nullptr;
    std::vector<ZarniUUID> fontsSeen;

private:
    void Note(const char* what, int pos, int count) {
        m_log->push_back(m_name + ":" + what + "(" + std::to_string(pos) + "," +
                         std::to_string(count) + ")");
        if (watched)
            fontsSeen.push_back(watched->GetFont(pos)->ID());
    }
    DocListener_Priority m_priority;
    std::vector<std::string>* m_log;
    std::string m_name;
};

}  // namespace

TEST(FormatInfo, StartsWithDefaultsAndOutputsThemOnceWithoutText) {
    CDoc doc;
    CFormatInfo formats(&doc);
    const LOGFONTA stock = StockWithHeight(0);
    EXPECT_EQ(formats.GetDefaultFont().ID(), UuidFromBytes(&stock, 60));
    EXPECT_EQ(std::memcmp(&formats.GetDefaultFont().GetLogFont(), &stock, 60), 0);
    EXPECT_EQ(formats.GetDefaultColor().GetColor(), 0u);
    EXPECT_EQ(formats.GetDefaultColor().ID(), CColorInfo::IdOf(0));
    EXPECT_EQ(formats.GetFont(0)->ID(), formats.GetDefaultFont().ID());
    EXPECT_EQ(formats.GetColor(5)->ID(), formats.GetDefaultColor().ID());

    FIOS_Sects sects;
    EXPECT_EQ(formats.Output(&sects, CRange(0, 0)), 1);
    ASSERT_EQ(sects.GetFontCount(), 1u);
    ASSERT_EQ(sects.GetColorCount(), 1u);
    EXPECT_EQ(sects.GetFontSects()[0].Range(), CRange(0, 0));
    EXPECT_EQ(sects.GetFontAt(0)->ID(), formats.GetDefaultFont().ID());
    EXPECT_EQ(sects.GetColorAt(0)->ID(), formats.GetDefaultColor().ID());
    EXPECT_EQ(formats.Output(nullptr, CRange(0, 0)), 0);
    formats.AssertValid();

    // The first text takes the defaults; the default may change later without touching it.
    ASSERT_EQ(doc.Inserts(0, Units(3)), 3);
    formats.AssertValid();
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
}

TEST(FormatInfo, PendingColourAppliesOnlyToTypingAtItsPosition) {
    CColorInfo red(0x0000FF), blue(0xFF0000);
    {
        CDoc doc;
        CFormatInfo formats(&doc);
        doc.Inserts(0, Units(10));
        ASSERT_EQ(formats.SetColor(&red, CRange(7, 7)), 1);
        EXPECT_EQ(formats.GetColorStick().GetSize(), 1);  // nothing assigned yet
        EXPECT_EQ(formats.GetPendingPos(), 7);
        doc.Inserts(7, Units(2));
        EXPECT_EQ(formats.GetColor(6)->ID(), formats.GetDefaultColor().ID());
        EXPECT_EQ(formats.GetColor(7)->ID(), red.ID());
        EXPECT_EQ(formats.GetColor(8)->ID(), red.ID());
        EXPECT_EQ(formats.GetColor(9)->ID(), formats.GetDefaultColor().ID());
        EXPECT_EQ(formats.GetPendingColor(), nullptr);
        EXPECT_EQ(formats.GetPendingPos(), -1);
        formats.AssertValid();
    }
    {
        CDoc doc;
        CFormatInfo formats(&doc);
        doc.Inserts(0, Units(10));
        formats.SetColor(&blue, CRange(0, 8));
        formats.SetColor(&red, CRange(7, 7));
        doc.Insertc(8, 'x');  // elsewhere: the left neighbour's colour, pending dropped
        EXPECT_EQ(formats.GetColor(8)->ID(), blue.ID());
        EXPECT_EQ(formats.GetPendingColor(), nullptr);
        doc.Insertc(7, 'y');
        EXPECT_EQ(formats.GetColor(7)->ID(), blue.ID());
        formats.AssertValid();
    }
    {
        // Typing attributes in an empty document apply to the first text.
        CDoc doc;
        CFormatInfo formats(&doc);
        CFontInfo big(StockWithHeight(-8));
        formats.SetFont(&big, CRange(0, 0));
        formats.SetColor(&red, CRange(0, 0));
        doc.Inserts(0, Units(4));
        EXPECT_EQ(formats.GetFont(3)->ID(), big.ID());
        EXPECT_EQ(formats.GetColor(0)->ID(), red.ID());
        EXPECT_EQ(formats.GetFontStick().GetSize(), 1);
        formats.AssertValid();
    }
}

TEST(FormatInfo, DeletionCutsBothSticksAndMergesNeighbours) {
    CDoc doc;
    CFormatInfo formats(&doc);
    doc.Inserts(0, Units(30));
    CFontInfo a(StockWithHeight(-2)), b(StockWithHeight(-4));
    CColorInfo red(0x0000FF);
    formats.SetFont(&a, CRange(0, 10));
    formats.SetFont(&b, CRange(10, 20));
    formats.SetFont(&a, CRange(20, 30));
    formats.SetColor(&red, CRange(5, 15));
    ASSERT_EQ(formats.GetFontStick().GetSize(), 3);

    doc.Delete(10, 10);
    formats.AssertValid();
    ASSERT_EQ(formats.GetFontStick().GetSize(), 1);
    EXPECT_EQ(formats.GetFontStick().GetRange(0), CRange(0, 20));
    EXPECT_EQ(formats.GetFont(15)->ID(), a.ID());
    ASSERT_EQ(formats.GetColorStick().GetSize(), 3);
    EXPECT_EQ(formats.GetColorStick().GetRange(1), CRange(5, 10));

    // A deletion reaching past the end is clipped like the document clips it.
    doc.Delete(12, 100);
    formats.AssertValid();
    doc.Delete(0, doc.GetLength());
    formats.AssertValid();
    EXPECT_TRUE(formats.GetFontStick().IsEmpty());
    EXPECT_TRUE(formats.GetColorStick().IsEmpty());
    doc.Insertc(0, 'q');
    EXPECT_EQ(formats.GetFont(0)->ID(), formats.GetDefaultFont().ID());
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
    ASSERT_EQ(view.fontsSeen.size(), 2u);
    EXPECT_EQ(view.fontsSeen[0], formats.GetDefaultFont().ID());
    EXPECT_EQ(view.fontsSeen[1], big.ID());

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

TEST(FormatInfo, RangesAreClippedToTheText) {
    CDoc doc;
    CFormatInfo formats(&doc);
    CFontInfo big(StockWithHeight(-8));
    // No text: a non-empty range has nothing to format.
    EXPECT_EQ(formats.SetFont(&big, CRange(0, 5)), 0);
    EXPECT_TRUE(formats.GetFontStick().IsEmpty());
    formats.AssertValid();

    doc.Inserts(0, Units(10));
    EXPECT_EQ(formats.SetFont(nullptr, CRange(0, 5)), 0);
    CFontInfo blank;
    EXPECT_EQ(formats.SetFont(&blank, CRange(0, 5)), 0);
    EXPECT_EQ(formats.SetFont(&blank, CRange(3, 3)), 0);
    EXPECT_EQ(formats.GetPendingFont(), nullptr);

    EXPECT_EQ(formats.SetFont(&big, CRange(-5, 3)), 1);
    EXPECT_EQ(formats.GetFontStick().GetRange(0), CRange(0, 3));
    EXPECT_EQ(formats.SetFont(&big, CRange(8, 50)), 1);
    EXPECT_EQ(formats.GetFontStick().GetRange(2), CRange(8, 10));
    EXPECT_EQ(formats.SetFont(&big, CRange(10, 30)), 0);
    EXPECT_EQ(formats.SetFont(&big, CRange(-9, -1)), 0);
    EXPECT_EQ(formats.GetFontStick().GetSize(), 3);
    formats.AssertValid();

    // Output over a range reaching outside the text stays inside it.
    FIOS_Sects sects;
    formats.Output(&sects, CRange(-4, 40));
    ASSERT_EQ(sects.GetFontCount(), 3u);
    EXPECT_EQ(sects.GetFontSects()[0].Range(), CRange(0, 3));
    EXPECT_EQ(sects.GetFontSects()[2].Range(), CRange(8, 10));
    sects.Clear();
    formats.Output(&sects, CRange(10, 20));
    EXPECT_EQ(sects.GetFontCount() + sects.GetColorCount(), 0u);
}

TEST(FormatInfo, CoversTextAlreadyThereAndLetsGoOfTheDocument) {
    CDoc doc;
    doc.Inserts(0, Units(8));
    CFontInfo big(StockWithHeight(-8));
    {
        CFormatInfo formats(&doc);
        formats.AssertValid();
        EXPECT_EQ(formats.GetFontStick().GetCovered(), CRange(0, 8));
        formats.SetFont(&big, CRange(2, 4));
        doc.Insertc(5, 'x');
        formats.AssertValid();
        EXPECT_EQ(formats.GetFont(3)->ID(), big.ID());
    }
    // The store is gone; the document must not call it (the sanitizer build catches it).
    CFormatInfo* other = new CFormatInfo(&doc);
    doc.Insertc(0, 'y');
    other->AssertValid();
    delete other;
    doc.Delete(0, 3);
    EXPECT_EQ(doc.GetLength(), 7);

    // A store without a document formats nothing.
    CFormatInfo loose(nullptr);
    EXPECT_EQ(loose.SetFont(&big, CRange(0, 4)), 0);
    loose.AssertValid();
}

// Random edits against a reference holding one font and one colour per unit.
TEST(FormatInfo, RandomEditsMatchAPerUnitReference) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };

    std::vector<CFontInfo> fonts;
    for (int i = 0; i < 4; ++i)
        fonts.emplace_back(StockWithHeight(-2 * i));
    std::vector<CColorInfo> colors{CColorInfo(0), CColorInfo(0xFF), CColorInfo(0xFF00)};

    CDoc doc;
    CFormatInfo formats(&doc);
    const ZarniUUID defFont = formats.GetDefaultFont().ID();
    const ZarniUUID defColor = formats.GetDefaultColor().ID();
    std::vector<ZarniUUID> refFont, refColor;
    const ZarniUUID none;
    ZarniUUID pendFont = none, pendColor = none;
    int pendPos = -1;

    for (int step = 0; step < 600; ++step) {
        const int length = static_cast<int>(refFont.size());
        const int op = pick(0, 9);
        if (op < 4 && length < 200) {
            const int pos = pick(0, length);
            const int n = pick(1, 4);
            ASSERT_EQ(doc.Inserts(pos, Units(n)), n);
            ZarniUUID f = length == 0 ? defFont : refFont[pos > 0 ? pos - 1 : 0];
            ZarniUUID c = length == 0 ? defColor : refColor[pos > 0 ? pos - 1 : 0];
            if (pos == pendPos && !pendFont.IsNull())
                f = pendFont;
            if (pos == pendPos && !pendColor.IsNull())
                c = pendColor;
            refFont.insert(refFont.begin() + pos, n, f);
            refColor.insert(refColor.begin() + pos, n, c);
            pendFont = pendColor = none;
            pendPos = -1;
        } else if (op < 6) {
            const int pos = pick(-2, length + 2);
            const int n = pick(0, 8);
            doc.Delete(pos, n);
            if (pos >= 0 && pos < length && n > 0) {
                const int end = std::min(length, pos + n);
                refFont.erase(refFont.begin() + pos, refFont.begin() + end);
                refColor.erase(refColor.begin() + pos, refColor.begin() + end);
            }
        } else {
            const bool font = op < 8;
            const int home = pick(-3, length + 3);
            const int end = pick(0, 3) == 0 ? home : home + pick(1, 12);
            const int which = pick(0, font ? 3 : 2);
            const ZarniUUID id = font ? fonts[which].ID() : colors[which].ID();
            const int result = font ? formats.SetFont(&fonts[which], CRange(home, end))
                                    : formats.SetColor(&colors[which], CRange(home, end));
            std::vector<ZarniUUID>& ref = font ? refFont : refColor;
            if (home == end) {
                EXPECT_EQ(result, 1);
                (font ? pendFont : pendColor) = id;
                pendPos = home;
            } else {
                const int h = std::max(home, 0), e = std::min(end, length);
                EXPECT_EQ(result, h < e ? 1 : 0);
                for (int i = h; i < e; ++i)
                    ref[i] = id;
            }
        }
        formats.AssertValid();
        ASSERT_EQ(doc.GetLength(), static_cast<int>(refFont.size()));
        for (size_t i = 0; i < refFont.size(); ++i) {
            ASSERT_EQ(formats.GetFont(static_cast<int>(i))->ID(), refFont[i]) << "step " << step;
            ASSERT_EQ(formats.GetColor(static_cast<int>(i))->ID(), refColor[i]) << "step " << step;
        }
        // At the end of the text: the font of the last unit.
        if (!refFont.empty()) {
            ASSERT_EQ(formats.GetFont(doc.GetLength())->ID(), refFont.back());
        }
        // Neighbouring sections always differ: equal records merge.
        const CSAttrStick& stick = formats.GetFontStick();
        for (int i = 1; i < stick.GetSize(); ++i)
            ASSERT_NE(stick.GetID(i - 1), stick.GetID(i));
    }
}
