// The paragraph store over a real document: attributes follow typing and deleting, ranges
// grow to whole paragraphs, listeners, output, and a random run against a per-unit model.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#include "model/Doc.h"
#include "model/ParaListeners.h"
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
        if (!text.empty())
            text += " ";
        text +=
            "[" + std::to_string(range.home) + "," + std::to_string(range.end) + ")" + Text(info);
        return 1;
    }
    std::string text;
};

std::string Pieces(CParagraph& para, const CRange& range) {
    PieceStream out;
    para.Output(&out, range);
    return out.text;
}

std::string Sections(CParagraph& para, CDoc& doc) {
    return Pieces(para, CRange(0, doc.GetLength()));
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

class RecordingParaListener : public IParaListener {
public:
    RecordingParaListener(int priority, std::vector<std::string>* log, const char* name)
        : m_priority(priority), m_log(log), m_name(name) {}
    void N_ParaChanged(const CRange& r) override {
        m_log->push_back(std::string(m_name) + "(" + std::to_string(r.home) + "," +
                         std::to_string(r.end) + ")");
    }
    int GetParaPriority() override { return m_priority; }

private:
    int m_priority;
    std::vector<std::string>* m_log;
    const char* m_name;
};

// "ab\rcd\ref" with left indents 10, 20 and 30 on its three paragraphs.
void BuildThree(CDoc& doc, CParagraph& para) {
    ASSERT_EQ(doc.Inserts(0, "ab\rcd\ref"), 8);
    para.SetParaInfo(CZarniParaInfo(10, 1, 1), CRange(0, 1));
    para.SetParaInfo(CZarniParaInfo(20, 2, 2), CRange(4, 4));
    para.SetParaInfo(CZarniParaInfo(30, 3, 3), CRange(7, 8));
}

}  // namespace

TEST(ZarniParaInfo, DefaultsCopiesAndNeverEqual) {
    const CZarniParaInfo d;
    EXPECT_EQ(Text(d), "2/2/4");
    EXPECT_EQ(d.IsClosed(), 0);
    const CZarniParaInfo a(1, 2, 3), b(1, 2, 3);
    EXPECT_EQ(a == b, 0);
    EXPECT_EQ(a == a, 0);

    CZarniParaInfo c(a);
    EXPECT_EQ(Text(c), "1/2/3");
    c.SetLeftIndent(7);
    c.SetRightIndent(8);
    c.SetLineSpace(9);
    EXPECT_EQ(Text(c), "7/8/9");
    CZarniParaInfo e;
    EXPECT_EQ(&(e = c), &e);
    EXPECT_EQ(Text(e), "7/8/9");
    EXPECT_EQ(Text(a), "1/2/3");
}

TEST(Paragraph, EmptyLastParagraphTakesPendingInfo) {
    CDoc doc;
    CParagraph para(&doc);
    PieceStream none;
    EXPECT_EQ(para.Output(&none, CRange(0, 10)), 0);  // no sections yet
    EXPECT_EQ(Text(para.GetParaInfo(0)), "2/2/4");

    Type(doc, 0, "01234\r");
    EXPECT_EQ(Sections(para, doc), "[0,6)2/2/4");
    std::vector<std::string> log;
    RecordingParaListener l(0, &log, "L");
    para.AddParaListener(&l);
    EXPECT_EQ(para.SetParaInfo(CZarniParaInfo(50, 50, 10), CRange(6, 6)), 1);
    EXPECT_EQ(Sections(para, doc), "[0,6)2/2/4");  // nothing to carry it yet
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(Text(para.GetDefaultPara()), "50/50/10");

    Type(doc, 6, "01234");
    EXPECT_EQ(Sections(para, doc), "[0,6)2/2/4 [6,11)50/50/10");
    EXPECT_EQ(para.GetParaInfo(8).GetLeftIndent(), 50);
    EXPECT_EQ(para.GetParaInfo(2).GetLeftIndent(), 2);
    EXPECT_EQ(para.GetParaInfo(11).GetLeftIndent(), 50);  // the document end
    para.AssertValid();

    // A new empty last paragraph without a pending info continues the one above it.
    Type(doc, 11, "\rxy");
    EXPECT_EQ(para.GetParaInfo(13).GetLeftIndent(), 50);
    para.AssertValid();
}

TEST(Paragraph, TypedTextJoinsTheParagraphItLandsIn) {
    CDoc doc;
    CParagraph para(&doc);
    ASSERT_EQ(doc.Inserts(0, "ab\rcd"), 5);
    para.SetParaInfo(CZarniParaInfo(10, 0, 0), CRange(0, 1));
    para.SetParaInfo(CZarniParaInfo(20, 0, 0), CRange(3, 4));
    ASSERT_EQ(Lefts(para, doc), (std::vector<int>{10, 10, 10, 20, 20}));

    Type(doc, 1, "x");  // middle of the first paragraph
    EXPECT_EQ(Sections(para, doc), "[0,4)10/0/0 [4,6)20/0/0");
    Type(doc, 4, "y");  // start of the second paragraph, right after the break
    EXPECT_EQ(Lefts(para, doc), (std::vector<int>{10, 10, 10, 10, 20, 20, 20}));
    Type(doc, 0, "z");  // start of the document
    Type(doc, 8, "w");  // end of a non-empty last paragraph
    EXPECT_EQ(Lefts(para, doc), (std::vector<int>{10, 10, 10, 10, 10, 20, 20, 20, 20}));
    para.AssertValid();

    // A break typed inside a paragraph leaves both halves with its info; pasted paragraphs
    // at the start of one take that paragraph's info.
    ASSERT_EQ(doc.Insertc(2, '\r'), 1);  // "za\rxb\ryc dw"
    ASSERT_EQ(doc.Inserts(6, "p\rq"), 3);
    EXPECT_EQ(Lefts(para, doc),
              (std::vector<int>{10, 10, 10, 10, 10, 10, 20, 20, 20, 20, 20, 20, 20}));
    para.AssertValid();
}

TEST(Paragraph, DeletionsKeepTheUpperParagraphsInfo) {
    CDoc doc;
    CParagraph para(&doc);
    BuildThree(doc, para);
    ASSERT_EQ(Lefts(para, doc), (std::vector<int>{10, 10, 10, 20, 20, 20, 30, 30}));

    doc.Delete(2, 1);  // the break between 10 and 20: "abcd\ref"
    EXPECT_EQ(Lefts(para, doc), (std::vector<int>{10, 10, 10, 10, 10, 30, 30}));
    para.AssertValid();
    doc.Delete(1, 4);  // "b", "c", "d" and the break: "aef"
    EXPECT_EQ(Lefts(para, doc), (std::vector<int>{10, 10, 10}));
    para.AssertValid();

    CDoc doc2;
    CParagraph para2(&doc2);
    BuildThree(doc2, para2);
    doc2.Delete(0, 3);  // the whole first paragraph
    EXPECT_EQ(Lefts(para2, doc2), (std::vector<int>{20, 20, 20, 30, 30}));
    doc2.Delete(3, 9);  // the end, count clipped by the document
    EXPECT_EQ(Sections(para2, doc2), "[0,3)20/2/2");
    doc2.Delete(0, 3);  // everything: no sections, the current info rules
    EXPECT_EQ(Sections(para2, doc2), "");
    para2.AssertValid();
    para2.SetDefaultPara(CZarniParaInfo(7, 7, 7));
    EXPECT_EQ(Text(para2.GetParaInfo(0)), "7/7/7");
    Type(doc2, 0, "k\r");
    EXPECT_EQ(Sections(para2, doc2), "[0,2)7/7/7");
    para2.AssertValid();
}

TEST(Paragraph, EqualInfosStayTwoSections) {
    CDoc doc;
    CParagraph para(&doc);
    ASSERT_EQ(doc.Inserts(0, "ab\rcd"), 5);
    para.SetParaInfo(CZarniParaInfo(5, 5, 5), CRange(0, 1));
    para.SetParaInfo(CZarniParaInfo(5, 5, 5), CRange(3, 5));
    EXPECT_EQ(Sections(para, doc), "[0,3)5/5/5 [3,5)5/5/5");
    para.SetParaInfo(CZarniParaInfo(6, 6, 6), CRange(1, 4));  // one call: one section
    EXPECT_EQ(Sections(para, doc), "[0,5)6/6/6");
    para.AssertValid();
}

TEST(Paragraph, RangesGrowToWholeParagraphs) {
    CDoc doc;
    CParagraph para(&doc);
    BuildThree(doc, para);
    std::vector<std::string> log;
    RecordingParaListener l(0, &log, "L");
    para.AddParaListener(&l);
    const CZarniParaInfo x(1, 1, 1);
    // A range ending exactly at a paragraph start includes that paragraph; ranges are clipped.
    const std::vector<std::pair<CRange, std::string>> cases = {
        {CRange(1, 1), "L(0,3)"},  {CRange(0, 3), "L(0,6)"},   {CRange(8, 8), "L(6,8)"},
        {CRange(-5, 1), "L(0,3)"}, {CRange(4, 100), "L(3,8)"},
    };
    for (const auto& c : cases) {
        log.clear();
        EXPECT_EQ(para.SetParaInfo(x, c.first), 1);
        EXPECT_EQ(log, std::vector<std::string>{c.second})
            << "range " << c.first.home << "," << c.first.end;
        para.AssertValid();
    }
    // A range ending at 0 holds no paragraph: only the current info changes.
    log.clear();
    EXPECT_EQ(para.SetParaInfo(CZarniParaInfo(9, 9, 9), CRange(0, 0)), 1);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(Text(para.GetDefaultPara()), "9/9/9");
    EXPECT_EQ(para.GetParaInfo(0).GetLeftIndent(), 1);
    // That info must not split the last paragraph when typing continues it.
    Type(doc, 8, "g");
    EXPECT_EQ(para.GetParaInfo(8).GetLeftIndent(), 1);
    para.AssertValid();
}

TEST(Paragraph, BadRangesChangeNothing) {
    CDoc doc;
    CParagraph para(&doc);
    BuildThree(doc, para);
    std::vector<std::string> log;
    RecordingParaListener l(0, &log, "L");
    para.AddParaListener(&l);
    const std::string before = Sections(para, doc);
    para.SetDefaultPara(CZarniParaInfo(4, 4, 4));
    for (const CRange& r : {CRange(5, 2), CRange(9, 12), CRange(-3, -1), CRange(1, -1)}) {
        EXPECT_EQ(para.SetParaInfo(CZarniParaInfo(99, 99, 99), r), 0);
    }
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(Sections(para, doc), before);
    EXPECT_EQ(Text(para.GetDefaultPara()), "4/4/4");
    // Outside the document the current info answers.
    EXPECT_EQ(Text(para.GetParaInfo(-1)), "4/4/4");
    EXPECT_EQ(Text(para.GetParaInfo(9)), "4/4/4");
    para.AssertValid();

    CDoc empty;
    CParagraph para2(&empty);
    EXPECT_EQ(para2.SetParaInfo(CZarniParaInfo(99, 99, 99), CRange(1, 2)), 0);
    EXPECT_EQ(Text(para2.GetDefaultPara()), "2/2/4");
    para2.AssertValid();
}

TEST(Paragraph, ListenersByPriorityAndLastOccurrenceRemoved) {
    CDoc doc;
    CParagraph para(&doc);
    ASSERT_EQ(doc.Inserts(0, "abc"), 3);
    std::vector<std::string> log;
    RecordingParaListener a(5, &log, "A"), b(1, &log, "B"), c(5, &log, "C"), d(0, &log, "D"),
        e(5, &log, "E");
    EXPECT_EQ(para.AddParaListener(&a), 1);
    EXPECT_EQ(para.AddParaListener(&b), 1);
    EXPECT_EQ(para.AddParaListener(&c), 1);
    EXPECT_EQ(para.AddParaListener(&d), 1);
    EXPECT_EQ(para.AddParaListener(nullptr), 0);
    para.SetParaInfo(CZarniParaInfo(), CRange(1, 2));
    EXPECT_EQ(log, (std::vector<std::string>{"D(0,3)", "B(0,3)", "A(0,3)", "C(0,3)"}));

    EXPECT_EQ(para.DeleteParaListener(&a), 1);
    EXPECT_EQ(para.DeleteParaListener(&a), 0);
    EXPECT_EQ(para.AddParaListener(&e), 1);
    EXPECT_EQ(para.AddParaListener(&c), 1);     // B D C E C
    EXPECT_EQ(para.DeleteParaListener(&c), 1);  // removes the last C
    log.clear();
    para.SetParaInfo(CZarniParaInfo(), CRange(0, 3));
    EXPECT_EQ(log, (std::vector<std::string>{"D(0,3)", "B(0,3)", "C(0,3)", "E(0,3)"}));

    CParaListeners list;
    EXPECT_EQ(list.GetParaPriority(), 0);
    EXPECT_EQ(list.Delete(&a), 0);
}

TEST(Paragraph, OutputClipsPiecesToTheRange) {
    CDoc doc;
    CParagraph para(&doc);
    BuildThree(doc, para);
    EXPECT_EQ(Pieces(para, CRange(1, 7)), "[1,3)10/1/1 [3,6)20/2/2 [6,7)30/3/3");
    EXPECT_EQ(Pieces(para, CRange(4, 5)), "[4,5)20/2/2");
    EXPECT_EQ(Pieces(para, CRange(3, 6)), "[3,6)20/2/2");
    EXPECT_EQ(Pieces(para, CRange(-3, 100)), "[0,3)10/1/1 [3,6)20/2/2 [6,8)30/3/3");
    PieceStream out;
    EXPECT_EQ(para.Output(&out, CRange(5, 5)), 1);
    EXPECT_EQ(para.Output(&out, CRange(8, 20)), 1);
    EXPECT_EQ(para.Output(&out, CRange(6, 2)), 1);
    EXPECT_EQ(out.text, "");
    EXPECT_EQ(para.Output(nullptr, CRange(0, 8)), 0);
}

TEST(Paragraph, AttachesToExistingTextAndDetaches) {
    CDoc doc;
    ASSERT_EQ(doc.Inserts(0, "ab\rc"), 4);
    {
        CParagraph para(&doc);
        EXPECT_EQ(Sections(para, doc), "[0,4)2/2/4");
        para.AssertValid();
        Type(doc, 4, "d");
        para.AssertValid();
    }
    // The store is gone: the document must not call it any more.
    Type(doc, 0, "e");
    doc.Delete(0, 3);
    EXPECT_EQ(doc.GetLength(), 3);

    CParagraph detached(nullptr);
    EXPECT_EQ(detached.SetParaInfo(CZarniParaInfo(3, 3, 3), CRange(0, 0)), 1);
    EXPECT_EQ(Text(detached.GetParaInfo(0)), "3/3/3");
    detached.AssertValid();
}

namespace {

using Triple = std::array<int, 3>;

Triple Values(const CZarniParaInfo& i) {
    return {i.GetLeftIndent(), i.GetRightIndent(), i.GetLineSapce()};
}

// The paragraph rules applied unit by unit: the info of every unit, the current info and
// the pending flag.
struct RefModel {
    std::string text;
    std::vector<Triple> info;
    Triple current{2, 2, 4};
    bool pending = false;

    int Length() const { return static_cast<int>(text.size()); }

    void Insert(int pos, const std::string& s) {
        const int len = Length();
        const bool opens = pos == 0 || text[pos - 1] == '\r';
        if (!opens) {
            pending = false;
        } else if (pos < len) {
            current = info[pos];
            pending = true;
        }
        Triple t = current;
        if (len > 0 && !pending)
            t = info[pos > 0 ? pos - 1 : 0];
        pending = false;
        text.insert(static_cast<size_t>(pos), s);
        info.insert(info.begin() + pos, s.size(), t);
    }

    void Delete(int pos, int count) {
        const int len = Length();
        if (pos < 0 || pos >= len || count <= 0)
            return;
        count = std::min(count, len - pos);
        text.erase(static_cast<size_t>(pos), static_cast<size_t>(count));
        info.erase(info.begin() + pos, info.begin() + pos + count);
        if (pos >= Length())
            return;
        const int p = pos > 0 ? pos - 1 : 0;
        for (int i = p; i < Length(); ++i) {
            info[i] = info[p];
            if (text[i] == '\r')
                break;
        }
    }

    // The expected notice range, or an empty range when none is expected; false when the
    // range is ignored.
    bool SetParaInfo(const Triple& t, CRange r, CRange& notice) {
        const int len = Length();
        notice = CRange();
        if (r.end < r.home || r.home > len || r.end < 0)
            return false;
        r = CRange(std::max(r.home, 0), std::min(r.end, len));
        int start = r.home;
        while (start > 0 && text[start - 1] != '\r')
            --start;
        int stop = 0;
        if (r.end > 0) {
            stop = r.end;
            while (stop < len && text[stop] != '\r')
                ++stop;
            if (stop < len)
                ++stop;
        }
        if (stop > start) {
            for (int i = start; i < stop; ++i)
                info[i] = t;
            notice = CRange(start, stop);
        } else {
            current = t;
            pending = true;
        }
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
        int next = 100;

        for (int step = 0; step < 400; ++step) {
            SCOPED_TRACE("step " + std::to_string(step));
            const int len = ref.Length();
            int op = pick(0, 99);
            if (len > 40 && op < 50)
                op += 50;  // keep the document small
            std::string expectedLog;
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
                const int pos = pick(-1, len);
                const int count = pick(-1, 6);
                doc.Delete(pos, count);
                ref.Delete(pos, count);
            } else if (op < 93) {
                const Triple t{next, next + 1, next + 2};
                next += 3;
                const int home = pick(-2, len + 2);
                const CRange r(home, home + pick(-3, 6));
                CRange notice;
                const bool applied = ref.SetParaInfo(t, r, notice);
                ASSERT_EQ(para.SetParaInfo(CZarniParaInfo(t[0], t[1], t[2]), r), applied ? 1 : 0)
                    << "range " << r.home << "," << r.end;
                if (!notice.IsEmpty()) {
                    expectedLog =
                        "(" + std::to_string(notice.home) + "," + std::to_string(notice.end) + ")";
                }
            } else {
                const Triple t{next, next + 1, next + 2};
                next += 3;
                para.SetDefaultPara(CZarniParaInfo(t[0], t[1], t[2]));
                ref.current = t;
            }

            ASSERT_EQ(log.empty() ? std::string() : log.back(), expectedLog);
            ASSERT_LE(log.size(), 1u);
            log.clear();
            doc.AssertValid();
            para.AssertValid();
            ASSERT_EQ(doc.GetText().c_str().str(), ref.text);
            const int length = ref.Length();
            const CRange covered = para.GetSections().GetCovered();
            ASSERT_EQ(covered, length ? CRange(0, length) : CRange(0, 0));
            for (int i = 0; i < length; ++i) {
                ASSERT_EQ(Values(para.GetParaInfo(i)), ref.info[i]) << "at " << i;
                if (i > 0 && ref.text[i - 1] != '\r') {
                    ASSERT_EQ(ref.info[i], ref.info[i - 1]) << "paragraph split at " << i;
                }
            }
            if (length > 0) {
                ASSERT_EQ(Values(para.GetParaInfo(length)), ref.info[length - 1]);
            }
            ASSERT_EQ(Values(para.GetDefaultPara()), ref.current);
        }
    }
}
