// Colouring a range and restoring the replaced colour runs.
#include "engine/ColorCommand.h"

#include "engine/EditTarget.h"
#include "format/ColorInfo.h"
#include "format/FormatInfo.h"
#include "model/RedrawSwitch.h"

CColorCommand::CColorCommand(const CColorInfo& color, const CRange& range)
    : m_color(std::make_unique<CColorInfo>(color)), m_range(range) {}

CColorCommand::CColorCommand(const CColorInfo* color, const CRange& range)
    : m_color(color ? std::make_unique<CColorInfo>(*color) : nullptr), m_range(range) {}

int CColorCommand::PutColor(CColorInfo* color, const CRange& range) {
    if (color == nullptr || range.IsEmpty())
        return 0;
    m_saved.Add(range, color->Clone());
    return 1;
}

CColorInfo* CColorCommand::GetSavedColor(uint32_t i) const {
    return i < m_saved.GetSize() ? static_cast<CColorInfo*>(m_saved.Info(i)) : nullptr;
}

ICommand* CColorCommand::Clone() {
    auto copy = MakeOwned<CColorCommand>(m_color.get(), m_range);
    copy->m_target = m_target;
    copy->m_saved.CopyFrom(m_saved);
    return copy.release();
}

BOOL CColorCommand::Do() {
    CFormatInfo* format = m_target ? m_target->GetFormatInfo() : nullptr;
    if (format == nullptr || m_color == nullptr)
        return FALSE;
    m_saved.Clear();
    if (m_range.IsEmpty()) {
        const CColorInfo* pending = format->GetPendingColor();
        CColorInfo* old = (pending != nullptr && format->GetPendingPos() == m_range.home)
                              ? CColorInfo(*pending).Clone()
                              : format->GetColor(m_range.home)->Clone();
        m_saved.Add(m_range, old);
    } else {
        format->Output(this, m_range);
        if (m_saved.GetSize() == 0)
            return FALSE;
    }
    CRedrawPause pause(m_target->GetRedrawSwitch());
    return format->SetColor(m_color.get(), m_range) ? TRUE : FALSE;
}

BOOL CColorCommand::Undo() {
    CFormatInfo* format = m_target ? m_target->GetFormatInfo() : nullptr;
    if (format == nullptr || m_saved.GetSize() == 0)
        return FALSE;
    CRedrawPause pause(m_target->GetRedrawSwitch());
    BOOL ok = TRUE;
    for (uint32_t i = 0; i < m_saved.GetSize(); ++i) {
        if (!format->SetColor(static_cast<CColorInfo*>(m_saved.Info(i)), m_saved.Range(i)))
            ok = FALSE;
    }
    return ok;
}
