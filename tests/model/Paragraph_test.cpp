// The paragraph store over a real document: attributes follow typing and deleting, ranges
// grow to whole paragraphs, listeners, output, and a random run against a per-unit model.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "model/Doc.h"
#include "model/ParaOutputStream.h"
#include "model/Paragraph.h"
#include "model/ZarniParaInfo.h"

using zarni::CZarniParaInfo;

namespace {

std::string Text(const CZarniParaInfo& i) {
    return std::to_string(i.GetLeftIndent()) + "/" + std::to_string(i.GetRightIndent()) + "/" +
           std::to_string(i.GetLineSapce());
}

// Writes every piece as "[home,end)left/right/space".
class PieceStream : public IParaOutputStream {
public:
    int PutParaInfo(const CZarniParaInfo& info, const CRange& range) override {
        text += (text.empty() ? "[" : " [") + std::to_string(range.home) + "," +
                std::to_string(range.end) + ")" + Text(info);
        return 1;
    }
    std::string text;
};

std::string Pieces(CParagraph& para, const CRange& range = CRange(0, 1000)) {
    PieceStream out;
    para.Output(&out, range);
    return out.text;
}

// Left indent at every position of the document.
std::vector<int> Lefts(CParagraph& para, CDoc& doc) {
    std::vector<int> out;
    for (int i = 0; i < doc.GetLength(); ++i)
        out.push_back(para.GetParaInfo(i).GetLeftIndent());
    return out;
}

void Type(CDoc& doc, int pos, const std::string& text) {
    for (char ch : text)
        ASSERT_EQ(doc.Insertc(pos++, ch), 1);
}

// Logs "name(home,end)" for every notice.
struct RecordingParaListener : IParaListener {
    RecordingParaListener(int priority, std::vector<std::string>* log, const char* name)
        : priority(priority), log(log), name(name) {}
    void N_ParaChanged(const CRange& r) override {
        log->push_back(name + "(" + std::to_string(r.home) + "," + std::to_string(r.end) + ")");
    }
    int GetParaPriority() override { return priority; }
    int priority;
    std::vector<std::string>* log;
    std::string name;
};

}  // namespace

TEST(ZarniParaInfo, DefaultsCopiesAndNeverEqual) {
    const CZarniParaInfo d, a(1, 2, 3), b(1, 2, 3);
    EXPECT_EQ(Text(d), "2/2/4");
    EXPECT_EQ(d.IsClosed(), 0);
    EXPECT_EQ(a == b, 0);
    EXPECT_EQ(a == a, 0);
    CZarniParaInfo c(a), e;
    EXPECT_EQ(Text(c), "1/2/3");
    c.SetLeftIndent(7);
    c.SetRightIndent(8);
    c.SetLineSpace(9);
    EXPECT_EQ(Text(e = c), "7/8/9");
}

TEST(Paragraph, EmptyLastParagraphTakesPendingInfo) {
    CDoc doc;
    CParagraph para(&doc);
    PieceStream none;
    EXPECT_EQ(para.Output(&none, CRange(0, 10)), 0);  // no sections yet
    Type(doc, 0, "01234\r");
    std::vector<std::string> log;
    RecordingParaListener l(0, &log, "L");
    para.AddParaListener(&l);
    EXPECT_EQ(para.SetParaInfo(CZarniParaInfo(50, 50, 10), CRange(6, 6)), 1);
    EXPECT_EQ(Pieces(para), "[0,6)2/2/4");  // nothing to carry it yet
    EXPECT_TRUE(log.empty());
    Type(doc, 6, "01234");
    EXPECT_EQ(Pieces(para), "[0,6)2/2/4 [6,11)50/50/10");
    EXPECT_EQ(para.GetParaInfo(8).GetLeftIndent(), 50);
    EXPECT_EQ(para.GetParaInfo(2).GetLeftIndent(), 2);
    EXPECT_EQ(para.GetParaInfo(11).GetLeftIndent(), 50);  // the document end
    // Outside the document the current info answers.
    para.SetDefaultPara(CZarniParaInfo(9, 9, 9));
    EXPECT_EQ(Text(para.GetParaInfo(-1)), "9/9/9");
    EXPECT_EQ(Text(para.GetParaInfo(12)), "9/9/9");
    para.AssertValid();
}

TEST(Paragraph, TypingJoinsTheParagraphItLandsInAndJoinsKeepTheUpperInfo) {
    CDoc doc;
    CParagraph para(&doc);
    ASSERT_EQ(doc.Inserts(0, "ab\rcd"), 5);
    para.SetParaInfo(CZarniParaInfo(10, 0, 0), CRange(0, 1));
    para.SetParaInfo(CZarniParaInfo(20, 0, 0), CRange(3, 4));
    Type(doc, 1, "x");  // middle of the first paragraph
    Type(doc, 4, "y");  // start of the second paragraph, right after the break
    EXPECT_EQ(Lefts(para, doc), (std::vector<int>{10, 10, 10, 10, 20, 20, 20}));
    doc.Delete(3, 1);  // the break between 10 and 20
    EXPECT_EQ(Lefts(para, doc), (std::vector<int>{10, 10, 10, 10, 10, 10}));
    para.AssertValid();

    // Two adjacent paragraphs given equal info stay two sections.
    ASSERT_EQ(doc.Insertc(2, '\r'), 1);
    para.SetParaInfo(CZarniParaInfo(5, 5, 5), CRange(0, 1));
    para.SetParaInfo(CZarniParaInfo(5, 5, 5), CRange(3, 5));
    EXPECT_EQ(Pieces(para), "[0,3)5/5/5 [3,7)5/5/5");
}

TEST(Paragraph, ListenersByPriorityAndLastOccurrenceRemoved) {
    CDoc doc;
    CParagraph para(&doc);
    ASSERT_EQ(doc.Inserts(0, "abc"), 3);
    std::vector<std::string> log;
    RecordingParaListener a(5, &log, "A"), b(1, &log, "B"), c(5, &log, "C"), d(0, &log, "D"),
        e(5, &log, "E");
    for (RecordingParaListener* l : {&a, &b, &c, &d})
        EXPECT_EQ(para.AddParaListener(l), 1);
    EXPECT_EQ(para.AddParaListener(nullptr), 0);
    para.SetParaInfo(CZarniParaInfo(), CRange(1, 2));
    EXPECT_EQ(log, (std::vector<std::string>{"D(0,3)", "B(0,3)", "A(0,3)", "C(0,3)"}));

    EXPECT_EQ(para.DeleteParaListener(&a), 1);
    EXPECT_EQ(para.DeleteParaListener(&a), 0);
    para.AddParaListener(&e);
    para.AddParaListener(&c);                   // B D C E C
    EXPECT_EQ(para.DeleteParaListener(&c), 1);  // removes the last C
    log.clear();
    para.SetParaInfo(CZarniParaInfo(), CRange(0, 3));
    EXPECT_EQ(log, (std::vector<std::string>{"D(0,3)", "B(0,3)", "C(0,3)", "E(0,3)"}));
}

TEST(Paragraph, OutputClipsPiecesToTheRange) {
    CDoc doc;
    CParagraph para(&doc);
    ASSERT_EQ(doc.Inserts(0, "ab\rcd\ref"), 8);
    para.SetParaInfo(CZarniParaInfo(10, 1, 1), CRange(0, 1));
    para.SetParaInfo(CZarniParaInfo(20, 2, 2), CRange(4, 4));
    para.SetParaInfo(CZarniParaInfo(30, 3, 3), CRange(7, 8));
    const std::pair<CRange, std::string> cases[] = {
        {CRange(1, 7), "[1,3)10/1/1 [3,6)20/2/2 [6,7)30/3/3"},
        {CRange(4, 5), "[4,5)20/2/2"},
        {CRange(3, 6), "[3,6)20/2/2"},
        {CRange(-3, 100), "[0,3)10/1/1 [3,6)20/2/2 [6,8)30/3/3"},
        {CRange(5, 5), ""},
        {CRange(8, 20), ""},
        {CRange(6, 2), ""}};
    for (const auto& c : cases) {
        PieceStream out;
        EXPECT_EQ(para.Output(&out, c.first), 1);
        EXPECT_EQ(out.text, c.second) << c.first.home << "," << c.first.end;
    }
    EXPECT_EQ(para.Output(nullptr, CRange(0, 8)), 0);
}

TEST(Paragraph, AttachesToExistingTextAndDetaches) {
    CDoc doc;
    ASSERT_EQ(doc.Inserts(0, "ab\rc"), 4);
    {
        CParagraph para(&doc);
        EXPECT_EQ(Pieces(para), "[0,4)2/2/4");
        para.AssertValid();
    }
    // The store is gone: the document must not call it any more.
    Type(doc, 0, "e");
    doc.Delete(0, 3);
    EXPECT_EQ(doc.GetLength(), 2);

    CParagraph detached(nullptr);
    EXPECT_EQ(detached.SetParaInfo(CZarniParaInfo(3, 3, 3), CRange(0, 0)), 1);
    EXPECT_EQ(Text(detached.GetParaInfo(0)), "3/3/3");
    detached.AssertValid();
}

namespace {

// The paragraph rules applied unit by unit: the info of every unit (as Text), the current
// info and the pending flag.
struct RefModel {
    std::string text;
    std::vector<std::string> info;
    std::string current = "2/2/4";
    bool pending = false;

    int Length() const { return static_cast<int>(text.size()); }

    void Insert(int pos, const std::string& s) {
        const int len = Length();
        if (pos > 0 && text[pos - 1] != '\r') {
            pending = false;
        } else if (pos < len) {
            current = info[pos];
            pending = true;
        }
        const std::string t = len > 0 && !pending ? info[pos > 0 ? pos - 1 : 0] : current;
        pending = false;
        text.insert(static_cast<size_t>(pos), s);
        info.insert(info.begin() + pos, s.size(), t);
    }

    void Delete(int pos, int count) {
        if (pos < 0 || pos >= Length() || count <= 0)
            return;
        count = std::min(count, Length() - pos);
        text.erase(static_cast<size_t>(pos), static_cast<size_t>(count));
        info.erase(info.begin() + pos, info.begin() + pos + count);
        const int p = pos > 0 ? pos - 1 : 0;  // a join keeps the upper paragraph's info
        for (int i = p; i < Length() && (i == p || text[i - 1] != '\r'); ++i)
            info[i] = info[p];
    }

    // The expected notice ("" for none); false when the range is ignored.
    bool SetParaInfo(const std::string& t, CRange r, std::string& notice) {
        const int len = Length();
        notice.clear();
        if (r.end < r.home || r.home > len || r.end < 0)
            return false;
        int start = std::max(r.home, 0), stop = 0;
        while (start > 0 && text[start - 1] != '\r')
            --start;
        if (r.end > 0) {
            for (stop = std::min(r.end, len); stop < len && text[stop] != '\r';)
                ++stop;
            stop = std::min(stop + 1, len);
        }
        if (stop <= start) {
            current = t;
            pending = true;
            return true;
        }
        std::fill(info.begin() + start, info.begin() + stop, t);
        notice = "(" + std::to_string(start) + "," + std::to_string(stop) + ")";
        return true;
    }
};

}  // namespace

TEST(Paragraph, RandomEditsMatchPerUnitModel) {
    for (uint32_t seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        auto pick = [&](int lo, int hi) {  // inclusive
            return lo + static_cast<int>(rng() % static_cast<uint32_t>(hi - lo + 1));
        };
        CDoc doc;
        CParagraph para(&doc);
        RefModel ref;
        std::vector<std::string> log;
        RecordingParaListener listener(0, &log, "");
        para.AddParaListener(&listener);

        for (int step = 0; step < 400; ++step) {
            SCOPED_TRACE("step " + std::to_string(step));
            const int len = ref.Length();
            int op = pick(0, 99);
            if (len > 40 && op < 50)
                op += 50;  // keep the document small
            const CZarniParaInfo info(100 + step, 1000 + step, step);
            std::string notice;
            if (op < 25) {
                const char ch = "ab\r"[pick(0, 2)];
                const int pos = pick(-1, len + 1);
                const int done = doc.Insertc(pos, ch);
                ASSERT_EQ(done, pos >= 0 && pos <= len ? 1 : 0);
                if (done)
                    ref.Insert(pos, std::string(1, ch));
            } else if (op < 50) {
                std::string s;
                for (int n = pick(1, 4); n > 0; --n)
                    s += "xy\r"[pick(0, 2)];
                const int pos = pick(0, len);
                ASSERT_EQ(doc.Inserts(pos, CString(s.c_str())), static_cast<int>(s.size()));
                ref.Insert(pos, s);
            } else if (op < 75) {
                const int pos = pick(-1, len), count = pick(-1, 6);
                doc.Delete(pos, count);
                ref.Delete(pos, count);
            } else if (op < 93) {
                const int home = pick(-2, len + 2);
                const CRange r(home, home + pick(-3, 6));
                const bool applied = ref.SetParaInfo(Text(info), r, notice);
                ASSERT_EQ(para.SetParaInfo(info, r), applied ? 1 : 0)
                    << "range " << r.home << "," << r.end;
                if (applied && notice.empty() && len == 0)
                    notice = "(0,0)";  // the empty document's line takes the new info
            } else {
                para.SetDefaultPara(info);
                ref.current = Text(info);
                if (len == 0)
                    notice = "(0,0)";
            }

            ASSERT_EQ(log, notice.empty() ? std::vector<std::string>() : std::vector{notice});
            log.clear();
            para.AssertValid();
            ASSERT_EQ(doc.GetText().c_str().str(), ref.text);
            for (int i = 0; i < ref.Length(); ++i)
                ASSERT_EQ(Text(para.GetParaInfo(i)), ref.info[i]) << "at " << i;
            if (ref.Length() > 0) {
                ASSERT_EQ(Text(para.GetParaInfo(ref.Length())), ref.info.back());
            }
            ASSERT_EQ(Text(para.GetDefaultPara()), ref.current);
        }
    }
}
