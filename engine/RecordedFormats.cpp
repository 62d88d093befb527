// Recording and re-applying the formats of inserted units.
#include "engine/RecordedFormats.h"

#include "format/ColorInfo.h"
#include "format/FontInfo.h"
#include "format/FormatInfo.h"

void CRecordedFormats::Follow(CFormatInfo* format, const CRange& inserted) {
    if (format == nullptr)
        return;
    if (!m_recorded) {
        format->Output(&m_runs, inserted);
        m_recorded = true;
        return;
    }
    for (uint32_t i = 0; i < m_runs.GetFontCount(); ++i) {
        format->SetFont(m_runs.GetFontAt(i), m_runs.GetFontSects()[i].Range());
    }
    for (uint32_t i = 0; i < m_runs.GetColorCount(); ++i) {
        format->SetColor(m_runs.GetColorAt(i), m_runs.GetColorSects()[i].Range());
    }
}

void CRecordedFormats::CopyFrom(const CRecordedFormats& other) {
    m_recorded = other.m_recorded;
    for (uint32_t i = 0; i < other.m_runs.GetFontCount(); ++i) {
        m_runs.PutFont(other.m_runs.GetFontAt(i), other.m_runs.GetFontSects()[i].Range());
    }
    for (uint32_t i = 0; i < other.m_runs.GetColorCount(); ++i) {
        m_runs.PutColor(other.m_runs.GetColorAt(i), other.m_runs.GetColorSects()[i].Range());
    }
}
