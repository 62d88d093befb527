// CFixedMetricFactory: drawing objects without pixels and text of known sizes.
#include "support/FixedMetricFactory.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "platform/base/CodePage.h"
#include "view/Measure.h"

namespace {

using CState = CFixedMetricFactory::CState;

// Every object counts itself in the shared state while alive.
template <class Interface>
class CFixedObject : public Interface {
public:
    explicit CFixedObject(std::shared_ptr<CState> state) : m_state(std::move(state)) {
        ++m_state->live;
    }
    void Release() override { delete this; }

protected:
    virtual ~CFixedObject() { --m_state->live; }
    std::shared_ptr<CState> m_state;
};

class CFixedFont : public CFixedObject<IXFont> {
public:
    using CFixedObject::CFixedObject;
    void SetLogFont(int, const LOGFONTA* lf) override {
        if (lf)
            m_lf = *lf;
    }
    const LOGFONTA& LogFont() const { return m_lf; }

private:
    LOGFONTA m_lf{};
};

class CFixedBrush : public CFixedObject<IXBrush> {
public:
    using CFixedObject::CFixedObject;
    void SetColor(COLORREF) override {}
};

class CFixedImage : public CFixedObject<IXImage> {
public:
    using CFixedObject::CFixedObject;
    BOOL Load(const void*, DWORD, DWORD) override { return FALSE; }
    int GetWidth() override { return 0; }
    int GetHeight() override { return 0; }
    BOOL Encode(int, BYTE** buffer, DWORD* length) override {
        if (buffer)
            *buffer = nullptr;
        if (length)
            *length = 0;
        return FALSE;
    }
    void FreeBuffer(BYTE*) override {}
    IXImage* Duplicate() override { return nullptr; }
    int GetFrameCount() override { return 0; }
    BOOL SelectFrame(int) override { return FALSE; }
    std::vector<int> GetFrameDelays() override { return {}; }
};

class CFixedCanvas : public CFixedObject<IXCanvas> {
public:
    using CFixedObject::CFixedObject;
    int GetWidth() override { return m_cx; }
    int GetHeight() override { return m_cy; }
    BOOL CopyToDC(HDC, int, int, int, int, int, int) override { return TRUE; }
    BOOL CopyTo(IXCanvas* dst, int, int, int, int, int, int) override { return dst ? TRUE : FALSE; }
    BOOL StretchTo(IXCanvas* dst, int, int, int, int, int, int, int, int) override {
        return dst ? TRUE : FALSE;
    }
    BOOL FillRect(IXBrush*, const RECT*) override { return TRUE; }
    BOOL Create(HDC, int cx, int cy) override {
        if (cx < 0 || cy < 0)
            return FALSE;
        m_cx = cx;
        m_cy = cy;
        return TRUE;
    }
    BOOL DrawImageBlend(IXImage*, const RECT*, int, int, int, int, int) override { return TRUE; }
    BOOL DrawImage(IXImage*, const RECT*) override { return TRUE; }
    BOOL DrawImagePart(IXImage*, const RECT*, int, int, int, int) override { return TRUE; }
    BOOL DrawText(const CString& text, IXFont*, RECT* rect, UINT, IXBrush*) override {
        m_state->drawn += std::string(text.GetString()) + "@" +
                          (rect ? std::to_string(rect->left) + "," + std::to_string(rect->top)
                                : std::string("-")) +
                          " ";
        return TRUE;
    }
    BOOL CalcText(const CString& text, IXFont* font, UINT, const RECT* bounds,
                  RECT* result) override {
        ++m_state->calcCalls;
        if (result == nullptr)
            return FALSE;
        CSize single = m_state->single, dbcs = m_state->dbcs;
        bool heightSizes = false;
        if (auto* fixed = dynamic_cast<CFixedFont*>(font)) {
            auto found = m_state->heights.find(std::abs(fixed->LogFont().lfHeight));
            if (found != m_state->heights.end()) {
                single = found->second.first;
                dbcs = found->second.second;
                heightSizes = true;
            }
        }
        int cx = 0, cy = 0;
        const int length = text.GetLength();
        for (int i = 0; i < length; ++i) {
            const unsigned char b = static_cast<unsigned char>(text[i]);
            CSize size = single;
            if (CCodePage::IsLeadByte(b) && i + 1 < length) {
                size = dbcs;
                ++i;
            } else if (!heightSizes) {
                auto own = m_state->chars.find(b);
                if (own != m_state->chars.end())
                    size = own->second;
            }
            cx += size.cx;
            cy = std::max<int>(cy, size.cy);
        }
        const int left = bounds ? bounds->left : 0;
        const int top = bounds ? bounds->top : 0;
        *result = RECT{left, top, left + cx, top + cy};
        return TRUE;
    }
    BOOL Clear(COLORREF) override { return TRUE; }
    BOOL SetClip(const RECT*) override { return TRUE; }

private:
    int m_cx = 0;
    int m_cy = 0;
};

CFixedMetricScope* g_innermost = nullptr;

}  // namespace

CFixedMetricFactory::CFixedMetricFactory() : m_state(std::make_shared<CState>()) {}

IXObject* CFixedMetricFactory::Create(int kind) {
    switch (kind) {
        case XKIND_IMAGE:
            return new CFixedImage(m_state);
        case XKIND_FONT:
            return new CFixedFont(m_state);
        case XKIND_BRUSH:
            return new CFixedBrush(m_state);
        case XKIND_CANVAS:
            return new CFixedCanvas(m_state);
        default:
            return nullptr;
    }
}

CFixedMetricScope::CFixedMetricScope() : m_outer(g_innermost) {
    g_innermost = this;
    SetMorlaFactory(&m_factory);
    CMeasure::Reset();
}

CFixedMetricScope::~CFixedMetricScope() {
    g_innermost = m_outer;
    SetMorlaFactory(m_outer ? &m_outer->m_factory : nullptr);
    CMeasure::Reset();
}
