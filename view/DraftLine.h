// CDraftLine: a line of wrap mode, filled unit by unit up to its maximum width.
#pragma once

#include <cstdint>

#include "view/Line.h"

// Wrapping is by unit: a unit that would make the content wider than the maximum width is
// left for the next line, except the first unit of a line, which is always placed. A
// line-break unit is placed without any width test and ends the line.
class CDraftLine : public ILine {
public:
    CDraftLine() = default;
    explicit CDraftLine(int maxWidth) : m_maxWidth(maxWidth) {}

    int Feed(const CLinePiece& piece, int first) override;
    void SetEnded() override { m_ended = TRUE; }
    BOOL IsEnded() const override { return m_ended; }
    CRange GetDocRange() const override { return CRange(m_home, m_end); }
    int GetContentWidth() const override { return m_right - m_left; }
    CRect GetRect() const override { return CRect(m_left, m_top, m_right, m_bottom + m_lineSpace); }
    void MoveTo(const CPoint& pt) override;
    void SetStart(int pos) override { m_home = m_end = pos; }
    void OffsetPos(int delta) override;
    void OffsetY(int delta) override;
    void Reset() override;
    void SetLineSpace(int space) override { m_lineSpace = space; }
    int GetLineSpace() const override { return m_lineSpace; }
    void AssertValid() const override;

    int GetMaxWidth() const { return m_maxWidth; }
    void SetMaxWidth(int width) { m_maxWidth = width; }

protected:
    // Grows the content height to cy and the range end by count.
    void Grow(int count, int cy);

    int32_t m_left = 0;
    int32_t m_top = 0;
    int32_t m_right = 0;   // grows as units are placed
    int32_t m_bottom = 0;  // bottom - top is the tallest unit placed so far
    int32_t m_home = 0;
    int32_t m_end = 0;  // grows by the number of units placed
    BOOL m_ended = FALSE;
    int32_t m_maxWidth = 0;  // width available for content
    int32_t m_lineSpace = 0;
};
