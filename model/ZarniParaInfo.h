// zarni::CZarniParaInfo: the attributes of one paragraph (indents and line space).
#pragma once

#include <cstdint>

namespace zarni {

// A value with a virtual table, handed to and from hosts. The values are pixels: the indents
// narrow the paragraph's lines from the left and the right, the line space is added to the
// height of each of its lines. Equality never holds, so two paragraphs given equal values
// keep separate sections.
class CZarniParaInfo {
public:
    CZarniParaInfo() = default;
    CZarniParaInfo(int leftIndent, int rightIndent, int lineSpace);
    CZarniParaInfo(const CZarniParaInfo& other);

    virtual ~CZarniParaInfo();
    virtual void SetLeftIndent(int indent);
    virtual int GetLeftIndent() const;
    virtual void SetRightIndent(int indent);
    virtual int GetRightIndent() const;
    virtual void SetLineSpace(int space);
    // The getter of the line space keeps its established name.
    virtual int GetLineSapce() const;
    // Always 0.
    virtual int IsClosed() const;
    // Always 0, equal fields or not.
    virtual int operator==(const CZarniParaInfo& other) const;
    // Copies the three fields.
    virtual CZarniParaInfo& operator=(const CZarniParaInfo& other);

private:
    int32_t m_leftIndent = 2;
    int32_t m_rightIndent = 2;
    int32_t m_lineSpace = 4;
};

}  // namespace zarni
