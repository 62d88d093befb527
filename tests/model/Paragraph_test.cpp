// The paragraph store over a real document: listeners, output, sections that never merge,
// attaching and detaching. Attributes per unit, pending info and notices after random edits
// are checked by DocumentInvariants.
#include <gtest/gtest.h>

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
    // Neighbours given equal values stay apart: paragraph infos never compare equal.
    para.SetParaInfo(CZarniParaInfo(30, 3, 3), CRange(4, 4));
    EXPECT_EQ(Pieces(para), "[0,3)10/1/1 [3,6)30/3/3 [6,8)30/3/3");
}
