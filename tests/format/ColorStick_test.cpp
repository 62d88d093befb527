// Range sticks: assignment, extension, embedding, cutting and merging, and section infos.
#include <gtest/gtest.h>

#include <vector>

#include "format/ColorInfo.h"
#include "format/ColorStick.h"
#include "format/SAttrStick.h"

namespace {

using Stick = TColorStick<int>;

// The sections of a stick as ranges.
std::vector<CRange> Ranges(const Stick& s) {
    std::vector<CRange> out;
    for (int i = 0; i < s.GetSize(); ++i)
        out.push_back(s.GetRange(i));
    return out;
}

std::vector<int> Colors(const Stick& s) {
    std::vector<int> out;
    for (int i = 0; i < s.GetSize(); ++i)
        out.push_back(s.GetColor(i));
    return out;
}

CRange SectionOf(const Stick& s, int pos) {
    return s.GetRange(s.FindSectIndex(pos));
}

}  // namespace

TEST(ColorStick, AssignColorSplitsAndReplacesSections) {
    Stick s;
    EXPECT_EQ(s.GetSize(), 0);
    s.AssignColor(CRange(0, 1000), 1);
    EXPECT_EQ(Ranges(s), (std::vector<CRange>{CRange(0, 1000)}));
    EXPECT_EQ(SectionOf(s, 100), CRange(0, 1000));

    s.AssignColor(CRange(0, 100), 2);
    EXPECT_EQ(Ranges(s), (std::vector<CRange>{CRange(0, 100), CRange(100, 1000)}));
    EXPECT_EQ(SectionOf(s, 100), CRange(100, 1000));

    s.AssignColor(CRange(500, 1500), 3);
    EXPECT_EQ(Ranges(s),
              (std::vector<CRange>{CRange(0, 100), CRange(100, 500), CRange(500, 1500)}));
    EXPECT_EQ(SectionOf(s, 100), CRange(100, 500));

    s.AssignColor(CRange(800, 1000), 4);
    EXPECT_EQ(Ranges(s), (std::vector<CRange>{CRange(0, 100), CRange(100, 500), CRange(500, 800),
                                              CRange(800, 1000), CRange(1000, 1500)}));
    EXPECT_EQ(Colors(s), (std::vector<int>{2, 1, 3, 4, 3}));

    s.AssignColor(CRange(50, 1000), 5);
    EXPECT_EQ(Ranges(s),
              (std::vector<CRange>{CRange(0, 50), CRange(50, 1000), CRange(1000, 1500)}));
    EXPECT_EQ(Colors(s), (std::vector<int>{2, 5, 3}));
    EXPECT_EQ(SectionOf(s, 0), CRange(0, 50));
    EXPECT_EQ(SectionOf(s, 100), CRange(50, 1000));
    // The end position is one past the last section; outside the cover there is none.
    EXPECT_EQ(s.FindSectIndex(1500), 3);
    EXPECT_EQ(s.FindSectIndex(1501), -1);
    EXPECT_EQ(s.FindSectIndex(-1), -1);
    s.AssertValid();
}

TEST(ColorStick, ExtendLengthensTheSectionLeftOfTheInsertion) {
    Stick a;
    a.AssignColor(CRange(0, 500), 2);
    a.AssignColor(CRange(500, 1000), 1);
    a.Extend(0, 100);
    EXPECT_EQ(Ranges(a), (std::vector<CRange>{CRange(0, 600), CRange(600, 1100)}));

    Stick b;
    b.AssignColor(CRange(0, 10), 1);
    b.AssignColor(CRange(10, 20), 2);
    b.Extend(10, 5);  // at a boundary: the left section grows
    EXPECT_EQ(Ranges(b), (std::vector<CRange>{CRange(0, 15), CRange(15, 25)}));
    b.Extend(0, 5);
    EXPECT_EQ(Ranges(b), (std::vector<CRange>{CRange(0, 20), CRange(20, 30)}));
    EXPECT_EQ(b.FindSectIndex(0), 0);
    EXPECT_EQ(b.FindSectIndex(20), 1);
    // At the end the last section grows; beyond it nothing happens.
    b.Extend(30, 3);
    EXPECT_EQ(Ranges(b), (std::vector<CRange>{CRange(0, 20), CRange(20, 33)}));
    b.Extend(40, 3);
    EXPECT_EQ(Ranges(b), (std::vector<CRange>{CRange(0, 20), CRange(20, 33)}));
    Stick empty;
    empty.Extend(0, 5);
    EXPECT_EQ(empty.GetSize(), 0);
}

TEST(ColorStick, EmbedCopiesSectionsIntoAGap) {
    Stick s;
    s.AssignColor(CRange(0, 1000), 1);
    s.Extend(500, 100);  // moves the points from 500 on, as an insertion at 500 would
    s.AssignColor(CRange(500, 600), 2);
    ASSERT_EQ(Ranges(s),
              (std::vector<CRange>{CRange(0, 500), CRange(500, 600), CRange(600, 1100)}));

    const Stick copy = s;
    int at = 550;
    for (int i = 0; i < copy.GetSize(); ++i) {
        const CRange r = copy.GetRange(i);
        s.Embed(at, r.Length(), copy.GetColor(i));
        at += r.Length();
    }
    EXPECT_EQ(Ranges(s), (std::vector<CRange>{CRange(0, 500), CRange(500, 550), CRange(550, 1050),
                                              CRange(1050, 1150), CRange(1150, 1650),
                                              CRange(1650, 1700), CRange(1700, 2200)}));
    EXPECT_EQ(Colors(s), (std::vector<int>{1, 2, 1, 2, 1, 2, 1}));
    s.AssertValid();

    Stick fresh;
    fresh.Embed(7, 3, 9);
    EXPECT_EQ(Ranges(fresh), (std::vector<CRange>{CRange(7, 10)}));
}

TEST(ColorStick, CutRemovesPositionsAndEmptiesWhenAllAreGone) {
    Stick s;
    s.AssignColor(CRange(0, 100), 1);
    s.AssignColor(CRange(100, 1000), 2);
    s.AssignColor(CRange(1000, 1300), 3);
    s.AssignColor(CRange(1300, 2000), 4);

    s.Cut(100, 900);
    EXPECT_EQ(Ranges(s),
              (std::vector<CRange>{CRange(0, 100), CRange(100, 400), CRange(400, 1100)}));
    EXPECT_EQ(Colors(s), (std::vector<int>{1, 3, 4}));
    s.Cut(200, 100);
    EXPECT_EQ(Ranges(s),
              (std::vector<CRange>{CRange(0, 100), CRange(100, 300), CRange(300, 1000)}));
    EXPECT_EQ(Colors(s), (std::vector<int>{1, 3, 4}));
    s.Cut(0, 200);
    EXPECT_EQ(Ranges(s), (std::vector<CRange>{CRange(0, 100), CRange(100, 800)}));
    EXPECT_EQ(Colors(s), (std::vector<int>{3, 4}));
    s.Cut(0, 800);
    EXPECT_EQ(s.GetSize(), 0);
    s.AssertValid();

    s.AssignColor(CRange(0, 100), 1);
    s.Cut(99, 1);
    EXPECT_EQ(Ranges(s), (std::vector<CRange>{CRange(0, 99)}));
    // A cut reaching past the end changes nothing.
    s.Cut(50, 100);
    EXPECT_EQ(Ranges(s), (std::vector<CRange>{CRange(0, 99)}));
}

TEST(ColorStick, CutMergesEqualNeighbours) {
    Stick s;
    s.AssignColor(CRange(0, 250), 1);
    s.AssignColor(CRange(250, 500), 1);
    s.AssignColor(CRange(500, 1000), 2);
    s.AssignColor(CRange(1000, 1500), 1);
    s.AssignColor(CRange(1500, 2000), 2);
    EXPECT_EQ(s.GetSize(), 4);

    s.Cut(500, 500);
    EXPECT_EQ(Ranges(s), (std::vector<CRange>{CRange(0, 1000), CRange(1000, 1500)}));
    EXPECT_EQ(Colors(s), (std::vector<int>{1, 2}));
    s.Cut(500, 500);
    EXPECT_EQ(Ranges(s), (std::vector<CRange>{CRange(0, 500), CRange(500, 1000)}));
    s.Cut(250, 500);
    EXPECT_EQ(Ranges(s), (std::vector<CRange>{CRange(0, 250), CRange(250, 500)}));
    EXPECT_EQ(Colors(s), (std::vector<int>{1, 2}));

    const Stick copy = s;
    int at = 250;
    for (int i = 0; i < copy.GetSize(); ++i) {
        s.Embed(at, copy.GetRange(i).Length(), copy.GetColor(i));
        at += copy.GetRange(i).Length();
    }
    EXPECT_EQ(Ranges(s), (std::vector<CRange>{CRange(0, 500), CRange(500, 1000)}));
    EXPECT_EQ(Colors(s), (std::vector<int>{1, 2}));
    s.AssertValid();
}

TEST(SAttrStick, GetInfosClipsSectionsToTheRange) {
    CColorInfo red(0x0000FF);
    CColorInfo blue(0xFF0000);
    CSAttrStick s;
    ASSERT_EQ(s.AssignAttr(&red, CRange(0, 10)), 1);
    CZarniArray<CSAttrSectInfo> infos;
    s.GetInfos(CRange(2, 8), infos);
    ASSERT_EQ(infos.GetSize(), 1u);
    EXPECT_EQ(infos[0].Range(), CRange(2, 8));
    EXPECT_EQ(infos[0].Info()->GetID(), red.GetID());
    // The stick keeps its own clone.
    EXPECT_NE(infos[0].Info(), &red);

    s.AssignAttr(&blue, CRange(10, 20));
    s.GetInfos(CRange(2, 18), infos);
    ASSERT_EQ(infos.GetSize(), 2u);
    EXPECT_EQ(infos[0].Range(), CRange(2, 10));
    EXPECT_EQ(infos[1].Range(), CRange(10, 18));
    EXPECT_EQ(infos[1].Info()->GetID(), blue.GetID());

    // Equal content is one record: a second red record merges with the first section.
    CColorInfo red2(0x0000FF);
    s.AssignAttr(&red2, CRange(10, 12));
    s.GetAllInfos(infos);
    ASSERT_EQ(infos.GetSize(), 2u);
    EXPECT_EQ(infos[0].Range(), CRange(0, 12));
    EXPECT_EQ(s.GetRefCount(red.GetID()), 2);
    EXPECT_EQ(s.AssignAttr(nullptr, CRange(0, 5)), 0);
    s.AssertValid();
}
