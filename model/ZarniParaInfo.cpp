// Paragraph attribute values.
#include "model/ZarniParaInfo.h"

namespace zarni {

CZarniParaInfo::CZarniParaInfo(int leftIndent, int rightIndent, int lineSpace)
    : m_leftIndent(leftIndent), m_rightIndent(rightIndent), m_lineSpace(lineSpace) {}

CZarniParaInfo::CZarniParaInfo(const CZarniParaInfo& other)
    : m_leftIndent(other.m_leftIndent),
      m_rightIndent(other.m_rightIndent),
      m_lineSpace(other.m_lineSpace) {}

CZarniParaInfo::~CZarniParaInfo() = default;

void CZarniParaInfo::SetLeftIndent(int indent) {
    m_leftIndent = indent;
}

int CZarniParaInfo::GetLeftIndent() const {
    return m_leftIndent;
}

void CZarniParaInfo::SetRightIndent(int indent) {
    m_rightIndent = indent;
}

int CZarniParaInfo::GetRightIndent() const {
    return m_rightIndent;
}

void CZarniParaInfo::SetLineSpace(int space) {
    m_lineSpace = space;
}

int CZarniParaInfo::GetLineSapce() const {
    return m_lineSpace;
}

int CZarniParaInfo::IsClosed() const {
    return 0;
}

// Never equal: the stick of paragraph sections must not merge neighbours.
int CZarniParaInfo::operator==(const CZarniParaInfo&) const {
    return 0;
}

CZarniParaInfo& CZarniParaInfo::operator=(const CZarniParaInfo& other) {
    m_leftIndent = other.m_leftIndent;
    m_rightIndent = other.m_rightIndent;
    m_lineSpace = other.m_lineSpace;
    return *this;
}

}  // namespace zarni
