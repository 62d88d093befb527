// Long random edit sequences over a document with its format and paragraph stores, checked
// after every step against a plain reference (a vector of units with the object, font,
// colour and paragraph attributes of each) and against the structures' own invariants.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

#include "format/FormatInfo.h"
#include "model/CompressStore.h"
#include "model/Delimiters.h"
#include "model/Doc.h"
#include "model/ParaListener.h"
#include "model/Paragraph.h"
#include "platform/base/CodePage.h"
#include "support/RandomRuns.h"
#include "support/TestObjects.h"

namespace {

struct RefUnit {
    uint16_t unit;
    ZarniUUID object;  // null for text
    ZarniUUID font;
    ZarniUUID color;
    std::string para;  // as ParaText
};

std::string ParaText(const zarni::CZarniParaInfo& i) {
    return std::to_string(i.GetLeftIndent()) + "/" + std::to_string(i.GetRightIndent()) + "/" +
           std::to_string(i.GetLineSapce());
}

bool IsBreak(uint16_t unit) {
    return CDelimiters::Instance().IsLineBreak(unit);
}

// Also hears the paragraph notices, which the reference predicts.
class Harness : public IParaListener {
public:
    explicit Harness(uint32_t seed) : m_rng(seed), m_formats(&m_doc), m_paras(&m_doc) {
        m_paras.AddParaListener(this);
        for (int i = 0; i < 4; ++i) {
            LOGFONTA lf = m_formats.GetDefaultFont().GetLogFont();
            lf.lfHeight = -12 - 2 * i;
            lf.lfWeight = i % 2 ? 700 : 400;
            m_fonts.emplace_back(lf);
            m_colors.emplace_back(RGB(40 * i, 255 - 30 * i, 7 * i));
        }
        for (const char* name : {"smile", "cry", "wave"}) {
            CTestObject* obj = new CTestObject(name, new CTestSub(std::string("frames-") + name));
            CCompressStore::Instance().Add(obj);
            m_objectIds.push_back(obj->GetID());
            obj->Destroy();
        }
    }
    ~Harness() {
        for (const ZarniUUID& id : m_objectIds)
            CCompressStore::Instance().Release(id);
    }

    void Step() {
        const int len = static_cast<int>(m_ref.size());
        const uint32_t op = Pick(12);
        if (op < 3) {
            Insertc(RandomPos(len), RandomChar());
        } else if (op < 5) {
            Inserts(RandomPos(len), RandomText());
        } else if (op == 5) {
            InsertCO(RandomPos(len), m_objectIds[Pick(m_objectIds.size())]);
        } else if (op < 8) {
            Delete(RandomPos(len), Pick(6) == 0 ? Pick(40) - 5 : Pick(8));
        } else if (op == 8) {
            SetFormat(RandomRange(len), &m_fonts[Pick(m_fonts.size())]);
        } else if (op == 9) {
            SetFormat(RandomRange(len), &m_colors[Pick(m_colors.size())]);
        } else if (op == 10) {
            const zarni::CZarniParaInfo info(Pick(30), Pick(30), Pick(10));
            if (Pick(6) > 0) {
                SetPara(info, RandomRange(len));
            } else {
                m_paras.SetDefaultPara(info);
                m_paraCurrent = ParaText(info);
                if (len == 0)
                    m_expectedNotices.push_back(CRange(0, 0));
            }
        } else {
            // Occasionally a limit just above the current length, then none again.
            m_doc.SetLimit(m_doc.GetLimit() < 0 && Pick(4) == 0 ? len + Pick(6) : -1);
        }
        // Small documents, often emptied, meet the edge cases (the empty document, the last
        // paragraph) more often.
        if (m_ref.size() > 80)
            Delete(0, 40 + Pick(60));
    }

    // Everything the document, the stores and the reference say must agree.
    void Check() {
        m_doc.AssertValid();  // these also check that sticks and sections cover the text
        m_formats.AssertValid();
        m_paras.AssertValid();
        CCompressStore::Instance().AssertValid();
        const int len = m_doc.GetLength();
        ASSERT_EQ(len, static_cast<int>(m_ref.size()));
        std::map<ZarniUUID, int> holders;
        for (const ZarniUUID& id : m_objectIds)
            holders[id] = 1;  // the harness holds one
        for (int i = 0; i < len; ++i) {
            const RefUnit& r = m_ref[i];
            ASSERT_EQ(m_doc.GetUnit(i), r.unit) << "unit at " << i;
            ASSERT_EQ(m_doc.GetCOID(i), r.object) << "object at " << i;
            if (!r.object.IsNull())
                ++holders[r.object];
            ASSERT_EQ(m_formats.GetFont(i)->GetID(), r.font) << "font at " << i;
            ASSERT_EQ(m_formats.GetColor(i)->GetID(), r.color) << "colour at " << i;
            ASSERT_EQ(ParaText(m_paras.GetParaInfo(i)), r.para) << "paragraph info at " << i;
        }
        if (len > 0) {
            ASSERT_EQ(ParaText(m_paras.GetParaInfo(len)), m_ref.back().para);
        }
        // Outside the text the current info answers.
        for (int pos : {-1, len + 1})
            ASSERT_EQ(ParaText(m_paras.GetParaInfo(pos)), m_paraCurrent) << "outside at " << pos;
        ASSERT_EQ(ParaText(m_paras.GetDefaultPara()), m_paraCurrent);
        for (const auto& [id, count] : holders)
            ASSERT_EQ(CCompressStore::Instance().GetRefCount(id), count);
        ASSERT_EQ(m_notices, m_expectedNotices);
        m_notices.clear();
        m_expectedNotices.clear();
    }

    void N_ParaChanged(const CRange& range) override { m_notices.push_back(range); }
    int GetParaPriority() override { return PLP_VIEW; }

private:
    uint32_t Pick(size_t n) { return static_cast<uint32_t>(m_rng() % n); }
    int RandomPos(int len) {
        // Mostly valid positions, sometimes just outside.
        return Pick(10) == 0 ? static_cast<int>(Pick(5)) - 2 + (Pick(2) ? len : 0)
                             : static_cast<int>(Pick(len + 1));
    }
    CRange RandomRange(int len) {
        const int a = RandomPos(len), b = Pick(8) == 0 ? a : RandomPos(len);
        return Pick(10) == 0 ? CRange(b, a) : CRange(std::min(a, b), std::max(a, b));
    }
    char RandomChar() {
        static const char kChars[] = "abcXYZ 09.,\r\r\n\x02\xD6\xFF\x80";
        return kChars[Pick(sizeof(kChars) - 1)];
    }
    std::string RandomText() {
        std::string s;
        for (int n = 1 + Pick(8); n > 0; --n) {
            const uint32_t kind = Pick(6);
            if (kind == 0) {  // a GBK ideograph
                s += static_cast<char>(0xB0 + Pick(0x40));
                s += static_cast<char>(0xA1 + Pick(0x5E));
            } else {
                s += kind == 1   ? '\r'
                     : kind == 2 ? (Pick(4) == 0 ? '\x02' : ' ')
                                 : static_cast<char>('a' + Pick(26));
            }
        }
        if (Pick(8) == 0)
            s += '\xC4';  // a lead byte that lost its trail
        return s;
    }

    // The reference's idea of where an insertion at pos takes its formats from.
    void ReferenceFormatsFor(int pos, ZarniUUID& font, ZarniUUID& color) {
        if (m_ref.empty()) {
            font = m_formats.GetDefaultFont().GetID();
            color = m_formats.GetDefaultColor().GetID();
        } else {
            const RefUnit& left = m_ref[pos > 0 ? pos - 1 : 0];
            font = left.font;
            color = left.color;
        }
        if (m_pendingFont && m_pendingPos == pos)
            font = *m_pendingFont;
        if (m_pendingColor && m_pendingPos == pos)
            color = *m_pendingColor;
    }
    bool RoomFor(int n) {
        return m_doc.GetLimit() < 0 || static_cast<int>(m_ref.size()) + n <= m_doc.GetLimit();
    }
    void RecordInsert(int pos, const std::vector<uint16_t>& units, const ZarniUUID& object) {
        ZarniUUID font, color;
        ReferenceFormatsFor(pos, font, color);
        // Text inside a paragraph joins it; text opening one takes the paragraph it lands in
        // front of; at the end of an empty last paragraph a pending info stays.
        const int len = static_cast<int>(m_ref.size());
        if (pos > 0 && !IsBreak(m_ref[pos - 1].unit)) {
            m_paraPending = false;
        } else if (pos < len) {
            m_paraCurrent = m_ref[pos].para;
            m_paraPending = true;
        }
        const std::string para =
            len > 0 && !m_paraPending ? m_ref[pos > 0 ? pos - 1 : 0].para : m_paraCurrent;
        m_paraPending = false;
        std::vector<RefUnit> add;
        for (uint16_t u : units)
            add.push_back(RefUnit{u, object, font, color, para});
        m_ref.insert(m_ref.begin() + pos, add.begin(), add.end());
        m_pendingFont.reset();
        m_pendingColor.reset();
    }
    bool ValidInsertPos(int pos) const { return pos >= 0 && pos <= static_cast<int>(m_ref.size()); }

    // The units the document keeps of a text: one per character, without 0, the object unit
    // and a lead byte that lost its trail.
    static std::vector<uint16_t> Units(const std::string& text) {
        std::vector<uint16_t> units;
        for (size_t i = 0; i < text.size(); ++i) {
            const BYTE b = static_cast<BYTE>(text[i]);
            if (CCodePage::IsLeadByte(b)) {
                if (i + 1 < text.size())
                    units.push_back(b + 256 * static_cast<BYTE>(text[++i]));
            } else if (b != 0 && b != 2) {
                units.push_back(static_cast<uint16_t>(static_cast<int8_t>(b)));
            }
        }
        return units;
    }
    void Insertc(int pos, char ch) {
        const std::vector<uint16_t> units = Units(std::string(1, ch));
        const bool ok = ValidInsertPos(pos) && RoomFor(1) && ch != '\n' && !units.empty();
        ASSERT_EQ(m_doc.Insertc(pos, ch), ok ? 1 : 0);
        if (ok)
            RecordInsert(pos, units, ZarniUUID());
    }
    void Inserts(int pos, const std::string& text) {
        std::vector<uint16_t> units = Units(text);
        if (m_doc.GetLimit() >= 0) {
            const int room = m_doc.GetLimit() - static_cast<int>(m_ref.size());
            units.resize(std::max(0, std::min(room, static_cast<int>(units.size()))));
        }
        const int got = m_doc.Inserts(pos, CString(text));
        if (!ValidInsertPos(pos) || units.empty()) {
            ASSERT_EQ(got, 0);
            return;
        }
        int bytes = 0;
        for (uint16_t u : units)
            bytes += (u > 255 && CCodePage::IsLeadByte(u & 0xFF)) ? 2 : 1;
        ASSERT_EQ(got, bytes);
        RecordInsert(pos, units, ZarniUUID());
    }
    void InsertCO(int pos, const ZarniUUID& id) {
        const bool ok = ValidInsertPos(pos) && RoomFor(1);
        ASSERT_EQ(m_doc.InsertCO(pos, id), ok ? 1 : 0);
        if (ok)
            RecordInsert(pos, {CO_UNIT}, id);
    }
    void Delete(int pos, int count) {
        m_doc.Delete(pos, count);
        const int len = static_cast<int>(m_ref.size());
        if (pos < 0 || pos >= len || count <= 0)
            return;
        m_ref.erase(m_ref.begin() + pos, m_ref.begin() + std::min(len, pos + count));
        // A removed break joins the lower paragraph to the upper one, which keeps its info.
        const int p = pos > 0 ? pos - 1 : 0;
        for (int i = p;
             i < static_cast<int>(m_ref.size()) && (i == p || !IsBreak(m_ref[i - 1].unit)); ++i)
            m_ref[i].para = m_ref[p].para;
    }
    // The info goes to every paragraph the range touches; with none there it waits for the
    // next insertion. A new current info of the empty document is announced as (0, 0).
    void SetPara(const zarni::CZarniParaInfo& info, const CRange& r) {
        const int len = static_cast<int>(m_ref.size());
        const bool applied = !(r.end < r.home || r.home > len || r.end < 0);
        ASSERT_EQ(m_paras.SetParaInfo(info, r), applied ? 1 : 0);
        if (!applied)
            return;
        int start = std::max(r.home, 0), stop = 0;
        while (start > 0 && !IsBreak(m_ref[start - 1].unit))
            --start;
        if (r.end > 0) {
            for (stop = std::min(r.end, len); stop < len && !IsBreak(m_ref[stop].unit);)
                ++stop;
            stop = std::min(stop + 1, len);
        }
        if (stop > start) {
            for (int i = start; i < stop; ++i)
                m_ref[i].para = ParaText(info);
            m_expectedNotices.push_back(CRange(start, stop));
            return;
        }
        m_paraCurrent = ParaText(info);
        m_paraPending = true;
        if (len == 0)
            m_expectedNotices.push_back(CRange(0, 0));
    }
    // A font or a colour; an empty range makes it the typing attribute for its position, a
    // range is clipped to the text and refused when nothing remains.
    template <class Record>
    void SetFormat(const CRange& range, Record* record) {
        constexpr bool kFont = std::is_same_v<Record, CFontInfo>;
        int done = 0;
        if constexpr (kFont)
            done = m_formats.SetFont(record, range);
        else
            done = m_formats.SetColor(record, range);
        const bool kept = std::max(0, range.home) < std::min<int>(range.end, m_ref.size());
        ASSERT_EQ(done, range.IsEmpty() || kept ? 1 : 0);
        if (range.IsEmpty()) {
            (kFont ? m_pendingFont : m_pendingColor) = record->GetID();
            m_pendingPos = range.home;
            return;
        }
        for (int i = std::max(0, range.home); i < std::min<int>(range.end, m_ref.size()); ++i)
            (kFont ? m_ref[i].font : m_ref[i].color) = record->GetID();
    }

    std::mt19937 m_rng;
    CDoc m_doc;
    CFormatInfo m_formats;
    CParagraph m_paras;
    std::vector<CFontInfo> m_fonts;
    std::vector<CColorInfo> m_colors;
    std::vector<ZarniUUID> m_objectIds;
    std::vector<RefUnit> m_ref;
    std::optional<ZarniUUID> m_pendingFont;
    std::optional<ZarniUUID> m_pendingColor;
    int m_pendingPos = -1;
    std::string m_paraCurrent = ParaText(zarni::CZarniParaInfo());
    bool m_paraPending = false;
    std::vector<CRange> m_notices, m_expectedNotices;
};

}  // namespace

TEST(DocumentInvariants, RandomEditsKeepTextObjectsFormatsAndParagraphsConsistent) {
    const uint32_t seeds = RandomSeeds(6);
    for (uint32_t seed = 1; seed <= seeds; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        {
            Harness h(seed);
            for (int step = 0; step < 3000; ++step) {
                h.Step();
                h.Check();
                if (::testing::Test::HasFatalFailure()) {
                    ADD_FAILURE() << "seed " << seed << " failed at step " << step;
                    return;
                }
            }
        }
        // The document and the harness gave back every reference.
        EXPECT_EQ(CCompressStore::Instance().GetObjectCount(), 0u);
        EXPECT_EQ(CCompressStore::Instance().GetSubObjectCount(), 0u);
        EXPECT_EQ(CTestObject::s_live, 0);
        EXPECT_EQ(CTestSub::s_live, 0);
    }
}
