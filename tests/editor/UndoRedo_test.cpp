// Random edits and format changes through the editor interface, then undo and redo: every
// step back and forth must give the document exactly as it was, unit for unit, with the
// same objects and the same font and colour of every unit. The final document, links too,
// must survive saving in the editor text format and loading into a fresh editor.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "editor/EditorInterface.h"
#include "engine/UndoQueue.h"
#include "format/FormatInfo.h"
#include "links/LinkInfo.h"
#include "model/CompressStore.h"
#include "model/Doc.h"
#include "model/ZarniParaInfo.h"
#include "support/RandomRuns.h"
#include "support/TestObjects.h"

namespace {

// Unit, object, font and colour of every position.
using Snapshot = std::vector<std::tuple<uint16_t, ZarniUUID, ZarniUUID, ZarniUUID>>;

class UndoHarness {
public:
    explicit UndoHarness(uint32_t seed) : m_rng(seed) { m_history.push_back(Take()); }

    // One random operation; the history follows the undo queue so that every record has
    // the document state it leads to.
    void Step() {
        const int pos = Queue()->GetPos();
        const uint32_t op = Pick(16);
        if (op < 2) {
            if (op == 0 ? m_editor.CanUndo() : m_editor.CanRedo())
                Walk(op == 0);
            return;
        }
        if (op < 4) {
            RandomSelection();
            return;
        }
        if (op == 14) {
            if (Pick(2)) {
                m_editor.SetParagraph(zarni::CZarniParaInfo(Pick(20), 2, 4));  // not undoable
            } else {
                zarni::CLinkInfo link(RandomText(), Pick(9), 1024 + Pick(3),
                                      ZarniUUID(Pick(4), 0, 0, 0));
                m_editor.SetLink(m_editor.GetSel(), &link);  // not undoable either
            }
            return;
        }
        if (op < 7) {
            m_editor.ReplaceSel(RandomText());
        } else if (op == 7) {
            CTestObject* obj = new CTestObject(Pick(2) ? "smile" : "wave");
            m_editor.ReplaceSel(obj);
            obj->Destroy();
        } else if (op < 10) {
            m_editor.DeleteChar(static_cast<int>(Pick(2)));
        } else if (op < 12) {
            LOGFONT lf = {};
            lf.lfHeight = -10 - static_cast<LONG>(Pick(4));
            lf.lfWeight = Pick(2) ? 700 : 400;
            lf.lfItalic = static_cast<BYTE>(Pick(2));
            static const DWORD kMasks[] = {0xFFFFFF, 0x1, 0x10, 0x20 | 0x40, 0x2000};
            m_editor.SetFont(lf, kMasks[Pick(5)]);
        } else if (op < 14) {
            m_editor.SetColor(RGB(Pick(3) * 100, 0, Pick(2) * 200));
        } else {
            // An insertion against a short limit, which can fail half-way; the limit is
            // lifted again so that redo meets the same room as the edit did.
            m_editor.SetLimit(m_editor.GetLength() + Pick(3));
            m_editor.ReplaceSel(RandomText());
            m_editor.SetLimit(-1);
        }
        Follow(pos);
    }

    // Undoes everything, then redoes everything, checking every step.
    void Unwind() {
        while (m_editor.CanUndo())
            ASSERT_NO_FATAL_FAILURE(Walk(true));
        ASSERT_EQ(m_at, 0);
        while (m_editor.CanRedo())
            ASSERT_NO_FATAL_FAILURE(Walk(false));
        ASSERT_EQ(m_at + 1, static_cast<int>(m_history.size()));
    }

    // The document saved whole and loaded into a fresh editor saves to the same bytes (the
    // writer's bytes are checked on their own elsewhere).
    void RoundTrip() {
        std::string data, again;
        const int length = static_cast<int>(m_editor.GetLength());
        if (length == 0)
            return;
        ASSERT_TRUE(m_editor.SaveTo(data, CRange(0, length)));
        CEditorInterface copy;
        ASSERT_TRUE(copy.LoadFrom(data, 0));
        ASSERT_EQ(copy.GetLength(), length);
        ASSERT_TRUE(copy.SaveTo(again, CRange(0, length)));
        EXPECT_EQ(again, data);
    }

private:
    CUndoQueue* Queue() { return m_editor.GetCore().GetUndoQueue(); }
    Snapshot Take() {
        CDoc* doc = m_editor.GetCore().GetRoot()->GetDoc();
        CFormatInfo* formats = m_editor.GetCore().GetRoot()->GetFormatInfo();
        Snapshot s;
        for (int i = 0; i < doc->GetLength(); ++i)
            s.emplace_back(doc->GetUnit(i), doc->GetCOID(i), formats->GetFont(i)->GetID(),
                           formats->GetColor(i)->GetID());
        return s;
    }
    // Undoes or redoes one record: the document must be the one the history holds there.
    void Walk(bool back) {
        ASSERT_TRUE(back ? m_at > 0 : m_at + 1 < static_cast<int>(m_history.size()));
        ASSERT_TRUE(back ? m_editor.Undo() : m_editor.Redo());
        m_at += back ? -1 : 1;
        ASSERT_EQ(Take(), m_history[m_at]) << (back ? "undo" : "redo") << " to record " << m_at;
    }
    // After an edit: a pushed record gets the new state; a failure empties the history.
    void Follow(int posBefore) {
        if (Queue()->GetPos() == posBefore + 1) {
            m_history.resize(posBefore + 1);
            m_history.push_back(Take());
        } else if (Queue()->GetCount() == 0) {
            m_history.assign(1, Take());
        } else {
            ASSERT_EQ(Queue()->GetPos(), posBefore);
            ASSERT_EQ(Take(), m_history[m_at]) << "an edit that recorded nothing changed the text";
        }
        m_at = Queue()->GetPos();
        ASSERT_EQ(static_cast<int>(m_history.size()), Queue()->GetCount() + 1);
    }
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
        for (uint32_t i = 0, n = Pick(6); i < n; ++i) {
            const uint32_t kind = Pick(5);
            if (kind == 0)  // a GBK ideograph
                s += {static_cast<char>(0xB0 + Pick(0x40)), static_cast<char>(0xA1 + Pick(0x5E))};
            else
                s += kind == 1 ? (Pick(3) ? '\r' : '\n') : static_cast<char>('a' + Pick(26));
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
            CTestObjectCreator creator;
            UndoHarness h(seed);
            for (int step = 0; step < 600; ++step)
                ASSERT_NO_FATAL_FAILURE(h.Step()) << "at step " << step;
            ASSERT_NO_FATAL_FAILURE(h.Unwind());
            ASSERT_NO_FATAL_FAILURE(h.RoundTrip());
        }
        // The editor, its history and the store gave back every object.
        EXPECT_EQ(CCompressStore::Instance().GetObjectCount(), 0u);
        EXPECT_EQ(CTestObject::s_live, 0);
    }
}
