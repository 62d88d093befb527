// Inserting text through the inputer and deleting it again on undo.
#include "engine/InsertTextCommand.h"

#include "engine/Editor.h"
#include "engine/Inputer.h"
#include "engine/Modifier.h"
#include "engine/Selector.h"
#include "format/ColorInfo.h"
#include "format/FontInfo.h"
#include "format/FormatInfo.h"
#include "model/Doc.h"
#include "model/DocOutputStream.h"
#include "model/WordString.h"

namespace {

// Collects the text of the runs it is shown.
class CTextCollector : public IDocOutputStream {
public:
    int OutputObject(ICompressStoreObj*, const CRange&) override { return 0; }
    int OutputText(const CString& text, const CRange&) override {
        m_text += text;
        return 1;
    }
    void Reset() override { m_text.Empty(); }
    const CString& GetText() const { return m_text; }

private:
    CString m_text;
};

}  // namespace

ICommand* CInsertTextCommand::Clone() {
    auto* copy = new CInsertTextCommand(m_pos, m_text);
    copy->m_target = m_target;
    copy->m_recorded = m_recorded;
    for (uint32_t i = 0; i < m_formats.GetFontCount(); ++i)
        copy->m_formats.PutFont(m_formats.GetFontAt(i), m_formats.GetFontSects()[i].Range());
    for (uint32_t i = 0; i < m_formats.GetColorCount(); ++i)
        copy->m_formats.PutColor(m_formats.GetColorAt(i), m_formats.GetColorSects()[i].Range());
    return copy;
}

BOOL CInsertTextCommand::Do() {
    ISelector* sel = m_target ? m_target->GetSelector() : nullptr;
    IDoc* doc = m_target ? m_target->GetDocument() : nullptr;
    if (sel == nullptr || doc == nullptr || m_text.IsEmpty())
        return FALSE;
    const int before = doc->GetLength();
    if (m_pos < 0 || m_pos > before)
        return FALSE;
    const CRange oldSel = sel->GetSel();
    sel->SetInsertPos(m_pos);
    const int taken = CInputer(m_target).Feed(m_text);
    if (taken <= 0) {
        sel->SetSel(oldSel);
        return FALSE;
    }
    const CRange range(m_pos, m_pos + doc->GetLength() - before);
    if (taken != m_text.GetLength()) {
        // Keep what the document holds now, read back from it: a plain cut of the bytes
        // would be wrong when the document dropped bytes from the middle of the text.
        CTextCollector inserted;
        doc->Output(&inserted, range);
        m_text = inserted.GetText();
    }
    if (CFormatInfo* format = m_target->GetFormatInfo()) {
        if (!m_recorded) {
            format->Output(&m_formats, range);
            m_recorded = true;
        } else {
            for (uint32_t i = 0; i < m_formats.GetFontCount(); ++i)
                format->SetFont(m_formats.GetFontAt(i), m_formats.GetFontSects()[i].Range());
            for (uint32_t i = 0; i < m_formats.GetColorCount(); ++i)
                format->SetColor(m_formats.GetColorAt(i), m_formats.GetColorSects()[i].Range());
        }
    }
    return TRUE;
}

BOOL CInsertTextCommand::Undo() {
    ISelector* sel = m_target ? m_target->GetSelector() : nullptr;
    IDoc* doc = m_target ? m_target->GetDocument() : nullptr;
    if (sel == nullptr || doc == nullptr || m_text.IsEmpty() || m_pos < 0)
        return FALSE;
    const int units = static_cast<int>(CWordString(m_text).GetSize());
    if (units == 0 || m_pos > doc->GetLength() - units)
        return FALSE;
    sel->SetSel(CRange(m_pos, m_pos + units));
    return CModifier(m_target).Delete();
}
