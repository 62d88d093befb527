// The format store: defaults, merging and refused records. Fonts, colours, typing attributes
// and clipped ranges after random edits are checked by DocumentInvariants.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "format/FIOS_Mixture.h"
#include "format/FIOS_Sects.h"
#include "format/FormatInfo.h"
#include "model/Doc.h"
#include "platform/base/StockObjects.h"

namespace {

CFontInfo StockWithHeight(int delta) {
    LOGFONTA lf;
    std::memset(&lf, 0, sizeof(lf));
    GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof(LOGFONTA), &lf);
    lf.lfHeight += delta;
    return CFontInfo(lf);
}

// A document of n units and its format store.
struct Formatted {
    explicit Formatted(int n) {
        if (n > 0)
            doc.Inserts(0, CString(std::string(static_cast<size_t>(n), 'a')));
    }
    CDoc doc;
    CFormatInfo formats{&doc};
};

// Logs "name:ing(pos,count)" / "name:ed(...)" and the font at pos as each notice arrives.
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

// "home-end:value " for one section or run.
std::string Piece(const CRange& r, long value) {
    return std::to_string(r.home) + "-" + std::to_string(r.end) + ":" + std::to_string(value) + " ";
}

// A run's value is its font height * 10^6 + its colour.
class CMixtureRecorder : public IMixtureOutputStream {
public:
    int PutMixture(const CMixtureInfo& info) override {
        text += Piece(info.range, info.font->GetLogFont().lfHeight * 1000000L +
                                      static_cast<long>(info.color->GetColor()));
        return 1;
    }
    std::string text;
};

}  // namespace

TEST(FormatInfo, DefaultsAreOutputOnceWithoutTextAndCoverTheFirstText) {
    Formatted f(0);
    const CFontInfo stock = StockWithHeight(0), big = StockWithHeight(-8);
    EXPECT_EQ(f.formats.GetDefaultFont().ID(), stock.ID());
    FIOS_Sects sects;
    EXPECT_EQ(f.formats.Output(&sects, CRange(0, 0)), 1);
    ASSERT_EQ(sects.GetFontCount(), 1u);
    ASSERT_EQ(sects.GetColorCount(), 1u);
    EXPECT_EQ(sects.GetFontAt(0)->ID(), stock.ID());
    EXPECT_EQ(sects.GetColorAt(0)->ID(), CColorInfo::IdOf(0));
    EXPECT_EQ(f.formats.Output(nullptr, CRange(0, 0)), 0);

    // A later default leaves formatted text alone; a record without content is no default.
    f.doc.Inserts(0, "abc");
    f.formats.SetDefaultFont(big);
    f.formats.SetDefaultFont(CFontInfo());
    f.formats.SetDefaultColor(CColorInfo());
    EXPECT_EQ(f.formats.GetDefaultFont().ID(), big.ID());
    EXPECT_EQ(f.formats.GetDefaultColor().ID(), CColorInfo::IdOf(0));
    EXPECT_EQ(f.formats.GetFont(1)->ID(), stock.ID());
}

// Records of equal content have one id, so neighbouring sections of them merge, whether
// assigned side by side or brought together by a deletion.
TEST(FormatInfo, EqualRecordsMergeOnAssignmentAndDeletion) {
    Formatted f(30);
    CFontInfo a = StockWithHeight(-2), same = StockWithHeight(-2), b = StockWithHeight(-4);
    f.formats.SetFont(&a, CRange(0, 10));
    f.formats.SetFont(&b, CRange(10, 30));
    f.formats.SetFont(&same, CRange(10, 15));
    EXPECT_EQ(f.formats.GetFontStick().GetRange(0), CRange(0, 15));
    f.formats.SetFont(&a, CRange(20, 30));
    f.doc.Delete(15, 5);
    ASSERT_EQ(f.formats.GetFontStick().GetSize(), 1);
    EXPECT_EQ(f.formats.GetFontStick().GetRange(0), CRange(0, 25));
    EXPECT_EQ(f.formats.GetFont(25)->ID(), a.ID());  // the end: the font of the last unit
}

TEST(FormatInfo, RefusesRecordsWithoutContentAndFollowsTheDocumentItIsGiven) {
    Formatted f(10);
    CFontInfo big = StockWithHeight(-8), blank;
    EXPECT_EQ(f.formats.SetFont(nullptr, CRange(0, 5)), 0);
    EXPECT_EQ(f.formats.SetFont(&blank, CRange(0, 5)), 0);
    EXPECT_EQ(f.formats.SetFont(&blank, CRange(3, 3)), 0);
    EXPECT_EQ(f.formats.GetPendingFont(), nullptr);

    // A store made over existing text covers it; once gone the document must not call it
    // (the sanitizer build catches that). A store without a document formats nothing.
    {
        CFormatInfo late(&f.doc);
        EXPECT_EQ(late.GetFontStick().GetCovered(), CRange(0, 10));
    }
    f.doc.Insertc(0, 'y');
    f.doc.Delete(0, 3);
    CFormatInfo loose(nullptr);
    EXPECT_EQ(loose.SetFont(&big, CRange(0, 4)), 0);
    loose.AssertValid();
}
