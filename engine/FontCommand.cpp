// Setting a font or some of its fields over a range and restoring the replaced font runs.
#include "engine/FontCommand.h"

#include <cstring>

#include "engine/EditTarget.h"
#include "format/FontInfo.h"
#include "format/FormatInfo.h"
#include "model/RedrawSwitch.h"

CFontCommand::CFontCommand(const CFontInfo& font, const CRange& range, DWORD mask)
    : m_font(std::make_unique<CFontInfo>(font)), m_range(range), m_mask(mask) {}

CFontCommand::CFontCommand(const CFontInfo* font, const CRange& range, DWORD mask)
    : m_font(font ? std::make_unique<CFontInfo>(*font) : nullptr), m_range(range), m_mask(mask) {}

int CFontCommand::PutFont(CFontInfo* font, const CRange& range) {
    if (font == nullptr || range.IsEmpty())
        return 0;
    m_saved.Add(range, font->Clone());
    return 1;
}

CFontInfo* CFontCommand::GetSavedFont(uint32_t i) const {
    return i < m_saved.GetSize() ? static_cast<CFontInfo*>(m_saved.Info(i)) : nullptr;
}

LOGFONTA CFontCommand::Merge(const LOGFONTA& old, const LOGFONTA& update, DWORD mask) {
    LOGFONTA lf = old;
    if (mask & kHeight)
        lf.lfHeight = update.lfHeight;
    if (mask & kWidth)
        lf.lfWidth = update.lfWidth;
    if (mask & kEscapement)
        lf.lfEscapement = update.lfEscapement;
    if (mask & kOrientation)
        lf.lfOrientation = update.lfOrientation;
    if (mask & kWeight)
        lf.lfWeight = update.lfWeight;
    if (mask & kItalic)
        lf.lfItalic = update.lfItalic;
    if (mask & kUnderline)
        lf.lfUnderline = update.lfUnderline;
    if (mask & kStrikeOut)
        lf.lfStrikeOut = update.lfStrikeOut;
    if (mask & kCharSet)
        lf.lfCharSet = update.lfCharSet;
    if (mask & kOutPrecision)
        lf.lfOutPrecision = update.lfOutPrecision;
    if (mask & kClipPrecision)
        lf.lfClipPrecision = update.lfClipPrecision;
    if (mask & kQuality)
        lf.lfQuality = update.lfQuality;
    if (mask & kPitchAndFamily)
        lf.lfPitchAndFamily = update.lfPitchAndFamily;
    if (mask & kFaceName) {
        std::memset(lf.lfFaceName, 0, sizeof(lf.lfFaceName));
        const void* end = std::memchr(update.lfFaceName, 0, sizeof(update.lfFaceName));
        const size_t n =
            end ? static_cast<const char*>(end) - update.lfFaceName : sizeof(update.lfFaceName);
        std::memcpy(lf.lfFaceName, update.lfFaceName, n);
    }
    return lf;
}

ICommand* CFontCommand::Clone() {
    auto copy = MakeOwned<CFontCommand>(m_font.get(), m_range, m_mask);
    copy->m_target = m_target;
    copy->m_saved.CopyFrom(m_saved);
    return copy.release();
}

BOOL CFontCommand::Apply(CFormatInfo* format) {
    if (m_mask == kAllFields)
        return format->SetFont(m_font.get(), m_range) ? TRUE : FALSE;
    BOOL ok = TRUE;
    for (uint32_t i = 0; i < m_saved.GetSize(); ++i) {
        const auto* old = static_cast<CFontInfo*>(m_saved.Info(i));
        CFontInfo merged(Merge(old->GetLogFont(), m_font->GetLogFont(), m_mask));
        if (!format->SetFont(&merged, m_saved.Range(i)))
            ok = FALSE;
    }
    return ok;
}

BOOL CFontCommand::Do() {
    CFormatInfo* format = m_target ? m_target->GetFormatInfo() : nullptr;
    if (format == nullptr || m_font == nullptr)
        return FALSE;
    m_saved.Clear();
    if (m_range.IsEmpty()) {
        const CFontInfo* pending = format->GetPendingFont();
        CFontInfo* old = (pending != nullptr && format->GetPendingPos() == m_range.home)
                             ? CFontInfo(*pending).Clone()
                             : format->GetFont(m_range.home)->Clone();
        m_saved.Add(m_range, old);
    } else {
        format->Output(this, m_range);
        if (m_saved.GetSize() == 0)
            return FALSE;
    }
    CRedrawPause pause(m_target->GetRedrawSwitch());
    return Apply(format);
}

BOOL CFontCommand::Undo() {
    CFormatInfo* format = m_target ? m_target->GetFormatInfo() : nullptr;
    if (format == nullptr || m_saved.GetSize() == 0)
        return FALSE;
    CRedrawPause pause(m_target->GetRedrawSwitch());
    BOOL ok = TRUE;
    for (uint32_t i = 0; i < m_saved.GetSize(); ++i) {
        if (!format->SetFont(static_cast<CFontInfo*>(m_saved.Info(i)), m_saved.Range(i)))
            ok = FALSE;
    }
    return ok;
}
