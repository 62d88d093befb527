// Random edits and format changes through the editor interface, then undo and redo: every
// step back and forth must give the document exactly as it was, unit for unit, with the
// same objects and the same font and colour of every unit.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "editor/EditorInterface.h"
#include "engine/UndoQueue.h"
#include "format/FormatInfo.h"
#include "model/CompressStore.h"
#include "model/Doc.h"
#include "model/ZarniParaInfo.h"
#include "support/RandomRuns.h"
#include "support/TestObjects.h"

namespace {

struct UnitState {
    uint16_t unit;
    ZarniUUID object;
    ZarniUUID font;
    ZarniUUID color;
    bool operator==(const UnitState& o) const {
        return unit == o.unit && object == o.object && font == o.font && color == o.color;
    }
};
using Snapshot = std::vector<UnitState>;

void PrintTo(const UnitState& u, std::ostream* os) {
    *os << "{unit " << u.unit << (u.object.IsNull() ? "" : " object") << " font " << std::hex
        << u.font.words[0] << " colour " << u.color.words[0] << std::dec << "}";
}

class UndoHarness {
public:
    explicit UndoHarness(uint32_t seed) : m_rng(seed) { m_history.push_back(Take()); }

    Snapshot Take() {
        CEditor* root = m_editor.GetCore().GetRoot();
        CDoc* doc = root->GetDoc();
        CFormatInfo* formats = root->GetFormatInfo();
        Snapshot s;
        for (int i = 0; i < doc->GetLength(); ++i) {
            s.push_back(UnitState{doc->GetUnit(i), doc->GetCOID(i), formats->GetFont(i)->GetID(),
                                  formats->GetColor(i)->GetID()});
        }
        return s;
    }

    // One random operation; the history follows the undo queue so that every record has
    // the document state it leads to.
    void Step() {
        CUndoQueue* queue = m_editor.GetCore().GetUndoQueue();
        const int pos = queue->GetPos();
        switch (Pick(16)) {
            case 0:
                if (m_editor.CanUndo()) {
                    ASSERT_TRUE(m_editor.Undo());
                    ASSERT_EQ(Take(), m_history[--m_at]) << "undo to record " << m_at;
                }
                return;
            case 1:
                if (m_editor.CanRedo()) {
                    ASSERT_TRUE(m_editor.Redo());
                    ASSERT_EQ(Take(), m_history[++m_at]) << "redo to record " << m_at;
                }
                return;
            case 2:
            case 3:
                RandomSelection();
                return;
            case 4:
            case 5:
            case 6:
                m_editor.ReplaceSel(RandomText());
                break;
            case 7: {
                CTestObject* obj = new CTestObject(Pick(2) ? "smile" : "wave");
                m_editor.ReplaceSel(obj);
                obj->Destroy();
                break;
            }
            case 8:
            case 9:
                m_editor.DeleteChar(static_cast<int>(Pick(2)));
                break;
            case 10:
            case 11: {
                LOGFONT lf = {};
                lf.lfHeight = -10 - static_cast<LONG>(Pick(4));
                lf.lfWeight = Pick(2) ? 700 : 400;
                lf.lfItalic = static_cast<BYTE>(Pick(2));
                static const DWORD kMasks[] = {0xFFFFFF, 0x1, 0x10, 0x20 | 0x40, 0x2000};
                m_editor.SetFont(lf, kMasks[Pick(5)]);
                break;
            }
            case 12:
            case 13:
                m_editor.SetColor(RGB(Pick(3) * 100, 0, Pick(2) * 200));
                break;
            case 14:
                m_editor.SetParagraph(zarni::CZarniParaInfo(Pick(20), 2, 4));  // not undoable
                return;
            case 15:
                // An insertion against a short limit, which can fail half-way; the limit
                // is lifted again so that redo meets the same room as the edit did.
                m_editor.SetLimit(m_editor.GetLength() + Pick(3));
                m_editor.ReplaceSel(RandomText());
                m_editor.SetLimit(-1);
                break;
        }
        Follow(pos);
    }

    // After an edit: a pushed record gets the new state; a failure empties the history.
    void Follow(int posBefore) {
        CUndoQueue* queue = m_editor.GetCore().GetUndoQueue();
        if (queue->GetPos() == posBefore + 1) {
            m_history.resize(posBefore + 1);
            m_history.push_back(Take());
            m_at = queue->GetPos();
        } else if (queue->GetCount() == 0) {
            m_history.assign(1, Take());
            m_at = 0;
        } else {
            ASSERT_EQ(queue->GetPos(), posBefore);
            ASSERT_EQ(Take(), m_history[m_at]) << "an edit that recorded nothing changed the text";
        }
        ASSERT_EQ(static_cast<int>(m_history.size()), queue->GetCount() + 1);
    }

    // Undoes everything, then redoes everything, checking every step.
    void Unwind() {
        while (m_editor.CanUndo()) {
            ASSERT_TRUE(m_editor.Undo());
            ASSERT_EQ(Take(), m_history[--m_at]) << "undo to record " << m_at;
        }
        ASSERT_EQ(m_at, 0);
        while (m_editor.CanRedo()) {
            ASSERT_TRUE(m_editor.Redo());
            ASSERT_EQ(Take(), m_history[++m_at]) << "redo to record " << m_at;
        }
        ASSERT_EQ(m_at + 1, static_cast<int>(m_history.size()));
    }

    void CheckInvariants() {
        CEditor* root = m_editor.GetCore().GetRoot();
        root->GetDoc()->AssertValid();
        root->GetFormatInfo()->AssertValid();
        CCompressStore::Instance().AssertValid();
    }

private:
    uint32_t Pick(uint32_t n) { return m_rng() % n; }
    void RandomSelection() {
        const int len = static_cast<int>(m_editor.GetLength());
        const int a = static_cast<int>(Pick(len + 1)), b = static_cast<int>(Pick(len + 1));
        static const int kSpecial[] = {-1, -2, -3, -4};
        const int end = Pick(5) == 0 ? kSpecial[Pick(4)] : std::max(a, b);
        m_editor.SetSel(CRange(std::min(a, b), end));
    }
    CString RandomText() {
        std::string s;
        const uint32_t n = Pick(6);
        for (uint32_t i = 0; i < n; ++i) {
            switch (Pick(5)) {
                case 0:  // a GBK ideograph
                    s += static_cast<char>(0xB0 + Pick(0x40));
                    s += static_cast<char>(0xA1 + Pick(0x5E));
                    break;
                case 1:
                    s += Pick(3) ? '\r' : '\n';
                    break;
                default:
                    s += static_cast<char>('a' + Pick(26));
            }
        }
        return CString(s);
    }

    std::mt19937 m_rng;
    CEditorInterface m_editor;
    std::vector<Snapshot> m_history;  // m_history[i]: the document after i done records
    int m_at = 0;
};

}  // namespace

TEST(UndoRedo, RandomEditsUndoAndRedoExactly) {
    const uint32_t seeds = RandomSeeds(6);
    for (uint32_t seed = 1; seed <= seeds; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        {
            UndoHarness h(seed);
            for (int step = 0; step < 600; ++step) {
                h.Step();
                h.CheckInvariants();
                if (::testing::Test::HasFatalFailure()) {
                    ADD_FAILURE() << "seed " << seed << " failed at step " << step;
                    return;
                }
            }
            h.Unwind();
            if (::testing::Test::HasFatalFailure())
                return;
        }
        // The editor, its history and the store gave back every object.
        EXPECT_EQ(CCompressStore::Instance().GetObjectCount(), 0u);
        EXPECT_EQ(CTestObject::s_live, 0);
    }
}
