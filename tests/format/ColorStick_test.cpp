// Range sticks: assignment, extension, embedding, cutting and merging, and section infos.
#include <gtest/gtest.h>

#include <string>

#include "format/ColorInfo.h"
#include "format/SAttrStick.h"
#include "model/ColorStick.h"

namespace {

// The sections as "home-end:color ...".
std::string Dump(const TColorStick<int>& s) {
    std::string out;
    for (int i = 0; i < s.GetSize(); ++i) {
        const CRange r = s.GetRange(i);
        out += (i ? " " : "") + std::to_string(r.home) + "-" + std::to_string(r.end) + ":" +
               std::to_string(s.GetColor(i));
    }
    return out;
}

// One edit and what is expected after it (null: nothing checked). 'A' AssignColor(a..b, c),
// 'E' Extend(a, b), 'M' Embed(a, b, c), 'C' Cut(a, b) expect the sections; 'F' expects
// FindSectIndex(a); 'N' starts a new stick.
struct Step {
    char op;
    int a, b, c;
    const char* expect;
};

const Step kSteps[] = {
    // Assignment splits and replaces sections; a split-off tail keeps its attribute.
    {'A', 0, 1000, 1, "0-1000:1"},
    {'A', 0, 100, 2, "0-100:2 100-1000:1"},
    {'A', 500, 1500, 3, "0-100:2 100-500:1 500-1500:3"},
    {'A', 50, 600, 4, "0-50:2 50-600:4 600-1500:3"},
    {'A', 20, 30, 5, "0-20:2 20-30:5 30-50:2 50-600:4 600-1500:3"},
    {'F', 0, 0, 0, "0"},
    {'F', 30, 0, 0, "2"},
    {'F', 1500, 0, 0, "5"},  // the end position is one past the last section
    {'F', 1501, 0, 0, "-1"},
    {'F', -1, 0, 0, "-1"},
    {'A', 50, 600, 3, "0-20:2 20-30:5 30-50:2 50-1500:3"},  // merges with the last section
    // An insertion lengthens the section to its left; at the end the last one.
    {'N', 0, 0, 0, nullptr},
    {'A', 0, 10, 1, nullptr},
    {'A', 10, 20, 2, nullptr},
    {'E', 10, 5, 0, "0-15:1 15-25:2"},
    {'E', 0, 5, 0, "0-20:1 20-30:2"},
    {'E', 30, 3, 0, "0-20:1 20-33:2"},
    {'E', 40, 3, 0, "0-20:1 20-33:2"},  // beyond the end: nothing
    {'N', 0, 0, 0, nullptr},
    {'E', 0, 5, 0, ""},
    // Embedding opens a gap, splitting the section it lands in.
    {'A', 0, 1000, 1, nullptr},
    {'A', 500, 600, 2, nullptr},
    {'M', 550, 500, 1, "0-500:1 500-550:2 550-1050:1 1050-1100:2 1100-1500:1"},
    {'N', 0, 0, 0, nullptr},
    {'M', 7, 3, 9, "7-10:9"},
    // Cutting removes positions, empties the stick when all are gone, and merges equal
    // neighbours.
    {'N', 0, 0, 0, nullptr},
    {'A', 0, 100, 1, nullptr},
    {'A', 100, 1000, 2, nullptr},
    {'A', 1000, 1300, 3, nullptr},
    {'A', 1300, 2000, 4, nullptr},
    {'C', 100, 900, 0, "0-100:1 100-400:3 400-1100:4"},
    {'C', 200, 100, 0, "0-100:1 100-300:3 300-1000:4"},
    {'C', 0, 200, 0, "0-100:3 100-800:4"},
    {'C', 0, 800, 0, ""},
    {'A', 0, 100, 1, nullptr},
    {'C', 99, 1, 0, "0-99:1"},
    {'C', 50, 100, 0, "0-99:1"},  // reaching past the end: nothing
    {'N', 0, 0, 0, nullptr},
    {'A', 0, 250, 1, nullptr},
    {'A', 250, 500, 1, nullptr},
    {'A', 500, 1000, 2, nullptr},
    {'A', 1000, 1500, 1, nullptr},
    {'A', 1500, 2000, 2, "0-500:1 500-1000:2 1000-1500:1 1500-2000:2"},
    {'C', 500, 500, 0, "0-1000:1 1000-1500:2"},
    {'C', 500, 500, 0, "0-500:1 500-1000:2"},
};

}  // namespace

TEST(ColorStick, EditsSplitExtendEmbedCutAndMergeSections) {
    TColorStick<int> s;
    for (const Step& step : kSteps) {
        if (step.op == 'N')
            s.Clear();
        else if (step.op == 'A')
            s.AssignColor(CRange(step.a, step.b), step.c);
        else if (step.op == 'E')
            s.Extend(step.a, step.b);
        else if (step.op == 'M')
            s.Embed(step.a, step.b, step.c);
        else if (step.op == 'C')
            s.Cut(step.a, step.b);
        s.AssertValid();
        if (step.expect != nullptr) {
            EXPECT_EQ(step.op == 'F' ? std::to_string(s.FindSectIndex(step.a)) : Dump(s),
                      step.expect)
                << step.op << "(" << step.a << "," << step.b << ")";
        }
    }
}

TEST(SAttrStick, GetInfosClipsSectionsToTheRange) {
    CColorInfo red(0x0000FF), blue(0xFF0000), red2(0x0000FF);
    CSAttrStick s;
    ASSERT_EQ(s.AssignAttr(&red, CRange(0, 10)), 1);
    EXPECT_EQ(s.AssignAttr(nullptr, CRange(0, 5)), 0);
    s.AssignAttr(&blue, CRange(10, 20));
    // The sections met by a range, as "home-end:r|b".
    auto infos = [&](const CRange& range) {
        CZarniArray<CSAttrSectInfo> out;
        s.GetInfos(range, out);
        std::string text;
        for (uint32_t i = 0; i < out.GetSize(); ++i) {
            EXPECT_NE(out[i].Info(), &red);  // the stick keeps its own clones
            text += std::to_string(out[i].Range().home) + "-" + std::to_string(out[i].Range().end) +
                    (out[i].Info()->GetID() == red.GetID() ? ":r " : ":b ");
        }
        return text;
    };
    EXPECT_EQ(infos(CRange(2, 18)), "2-10:r 10-18:b ");
    EXPECT_EQ(infos(CRange(2, 10)), "2-10:r ");  // ending on a boundary: not the next section
    EXPECT_EQ(infos(CRange(0, 20)), "0-10:r 10-20:b ");
    EXPECT_EQ(infos(CRange(20, 25)), "");

    // Equal content is one record: a second red record merges with the first section.
    s.AssignAttr(&red2, CRange(10, 12));
    EXPECT_EQ(infos(CRange(0, 20)), "0-12:r 12-20:b ");
    EXPECT_EQ(s.GetRefCount(red.GetID()), 2);
}
