// Long random edit sequences over a document with its format and paragraph stores, checked
// after every step against a plain reference (a vector of units with the object, font and
// colour of each) and against the structures' own invariants.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "format/FormatInfo.h"
#include "model/CompressStore.h"
#include "model/Delimiters.h"
#include "model/Doc.h"
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
};

class Harness {
public:
    explicit Harness(uint32_t seed) : m_rng(seed), m_formats(&m_doc), m_paras(&m_doc) {
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
        switch (Pick(12)) {
            case 0:
            case 1:
            case 2:
                Insertc(RandomPos(len), RandomChar());
                break;
            case 3:
            case 4:
                Inserts(RandomPos(len), RandomText());
                break;
            case 5:
                InsertCO(RandomPos(len), m_objectIds[Pick(m_objectIds.size())]);
                break;
            case 6:
            case 7:
                Delete(RandomPos(len), Pick(6) == 0 ? Pick(40) - 5 : Pick(8));
                break;
            case 8:
                SetFont(RandomRange(len), m_fonts[Pick(m_fonts.size())]);
                break;
            case 9:
                SetColor(RandomRange(len), m_colors[Pick(m_colors.size())]);
                break;
            case 10:
                m_paras.SetParaInfo(zarni::CZarniParaInfo(Pick(30), Pick(30), Pick(10)),
                                    RandomRange(len));
                break;
            case 11:
                // Occasionally a limit just above the current length, then none again.
                m_doc.SetLimit(m_doc.GetLimit() < 0 && Pick(4) == 0 ? len + Pick(6) : -1);
                break;
        }
        if (m_ref.size() > 400)
            Delete(0, 200);
    }

    // Everything the document, the stores and the reference say must agree.
    void Check() {
        m_doc.AssertValid();
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
        }
        for (const auto& [id, count] : holders) {
            ASSERT_EQ(CCompressStore::Instance().GetRefCount(id), count);
        }
        // Sticks and sections cover exactly [0, length] once there is text.
        const CRange cover = len ? CRange(0, len) : CRange(0, 0);
        ASSERT_EQ(m_formats.GetFontStick().GetCovered(), cover);
        ASSERT_EQ(m_formats.GetColorStick().GetCovered(), cover);
        ASSERT_EQ(m_paras.GetSections().GetCovered(), cover);
        // Every unit of a paragraph has that paragraph's attributes.
        for (int i = 1; i < len; ++i) {
            if (CDelimiters::Instance().IsLineBreak(m_ref[i - 1].unit))
                continue;
            const zarni::CZarniParaInfo a = m_paras.GetParaInfo(i - 1), b = m_paras.GetParaInfo(i);
            ASSERT_TRUE(a.GetLeftIndent() == b.GetLeftIndent() &&
                        a.GetRightIndent() == b.GetRightIndent() &&
                        a.GetLineSapce() == b.GetLineSapce())
                << "paragraph attributes change inside a paragraph at " << i;
        }
    }

    size_t Length() const { return m_ref.size(); }

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
        const int n = 1 + Pick(8);
        for (int i = 0; i < n; ++i) {
            switch (Pick(6)) {
                case 0:  // a GBK ideograph
                    s += static_cast<char>(0xB0 + Pick(0x40));
                    s += static_cast<char>(0xA1 + Pick(0x5E));
                    break;
                case 1:
                    s += '\r';
                    break;
                case 2:
                    s += Pick(4) == 0 ? '\x02' : ' ';
                    break;
                default:
                    s += static_cast<char>('a' + Pick(26));
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
        std::vector<RefUnit> add;
        for (uint16_t u : units)
            add.push_back(RefUnit{u, object, font, color});
        m_ref.insert(m_ref.begin() + pos, add.begin(), add.end());
        m_pendingFont.reset();
        m_pendingColor.reset();
    }
    bool ValidInsertPos(int pos) const { return pos >= 0 && pos <= static_cast<int>(m_ref.size()); }

    void Insertc(int pos, char ch) {
        const BYTE b = static_cast<BYTE>(ch);
        const bool ok = ValidInsertPos(pos) && RoomFor(1) && b != '\n' && b != 0 && b != 2 &&
                        !CCodePage::IsLeadByte(b);
        ASSERT_EQ(m_doc.Insertc(pos, ch), ok ? 1 : 0);
        if (ok)
            RecordInsert(
                pos, {static_cast<uint16_t>(static_cast<int16_t>(static_cast<signed char>(ch)))},
                ZarniUUID());
    }
    void Inserts(int pos, const std::string& text) {
        std::vector<uint16_t> units;
        for (size_t i = 0; i < text.size(); ++i) {
            const BYTE b = static_cast<BYTE>(text[i]);
            if (CCodePage::IsLeadByte(b)) {
                if (i + 1 < text.size())
                    units.push_back(b + 256 * static_cast<BYTE>(text[++i]));
            } else if (b != 0 && b != 2) {
                units.push_back(
                    static_cast<uint16_t>(static_cast<int16_t>(static_cast<signed char>(b))));
            }
        }
        if (m_doc.GetLimit() >= 0) {
            const int room = m_doc.GetLimit() - static_cast<int>(m_ref.size());
            units.resize(std::max(0, std::min(room, static_cast<int>(units.size()))));
        }
        const bool ok = ValidInsertPos(pos) && !units.empty();
        const int got = m_doc.Inserts(pos, CString(text));
        if (!ok) {
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
    }
    void SetFont(const CRange& range, CFontInfo& font) {
        m_formats.SetFont(&font, range);
        if (range.IsEmpty()) {
            m_pendingFont = font.GetID();
            m_pendingPos = range.home;
            return;
        }
        for (int i = std::max(0, range.home); i < std::min<int>(range.end, m_ref.size()); ++i) {
            m_ref[i].font = font.GetID();
        }
    }
    void SetColor(const CRange& range, CColorInfo& color) {
        m_formats.SetColor(&color, range);
        if (range.IsEmpty()) {
            m_pendingColor = color.GetID();
            m_pendingPos = range.home;
            return;
        }
        for (int i = std::max(0, range.home); i < std::min<int>(range.end, m_ref.size()); ++i) {
            m_ref[i].color = color.GetID();
        }
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
