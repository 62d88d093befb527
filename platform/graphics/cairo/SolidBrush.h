// CSolidBrush: a colour for fills and text.
#pragma once

#include "platform/graphics/Morla.h"

class CSolidBrush final : public IXBrush {
public:
    void Release() override { delete this; }
    // The high byte of the COLORREF is ignored: brushes are always opaque.
    void SetColor(COLORREF color) override { m_color = color & 0x00FFFFFF; }
    COLORREF GetColor() const { return m_color; }

private:
    COLORREF m_color = 0;  // black until set
};
