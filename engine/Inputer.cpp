// Insertion at the insertion position.
#include "engine/Inputer.h"

#include "engine/ETFStream.h"
#include "engine/EditTarget.h"
#include "engine/Selector.h"
#include "model/Doc.h"
#include "objects/CompressStoreObj.h"

int CInputer::Feed(ICompressStoreObj* obj) {
    ISelector* sel = m_editor ? m_editor->GetSelector() : nullptr;
    IDoc* doc = m_editor ? m_editor->GetDocument() : nullptr;
    if (!sel || !doc || !obj)
        return 0;
    if (!doc->InsertCO(sel->GetInsertPos(), obj->GetID()))
        return 0;
    sel->OffsetSel(1);
    return 1;
}

int CInputer::Feed(const CString& text) {
    ISelector* sel = m_editor ? m_editor->GetSelector() : nullptr;
    IDoc* doc = m_editor ? m_editor->GetDocument() : nullptr;
    if (!sel || !doc || text.IsEmpty())
        return 0;
    const int before = doc->GetLength();
    const int taken = doc->Inserts(sel->GetInsertPos(), text);
    if (taken > 0)
        sel->OffsetSel(doc->GetLength() - before);
    return taken;
}

int CInputer::Feed(char c) {
    ISelector* sel = m_editor ? m_editor->GetSelector() : nullptr;
    IDoc* doc = m_editor ? m_editor->GetDocument() : nullptr;
    // Control characters and every byte from 128 up (negative as a signed byte) are refused.
    constexpr signed char kFirstPrintable = 32;
    if (!sel || !doc || static_cast<signed char>(c) < kFirstPrintable)
        return 0;
    if (!doc->Insertc(sel->GetInsertPos(), c))
        return 0;
    sel->OffsetSel(1);
    return 1;
}

int CInputer::FeedETF(const std::string& data) {
    ISelector* sel = m_editor ? m_editor->GetSelector() : nullptr;
    IDoc* doc = m_editor ? m_editor->GetDocument() : nullptr;
    if (!sel || !doc)
        return 0;
    CETFStream stream;
    if (!stream.Open(data))
        return 0;
    const int pos = sel->GetInsertPos();
    const int before = doc->GetLength();
    const int result = stream.ReadInto(m_editor, pos);
    if (doc->GetLength() > before)
        sel->OffsetSel(doc->GetLength() - before);
    return result;
}
