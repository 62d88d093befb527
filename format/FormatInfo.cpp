// CFormatInfo: applying fonts and colours, following the document, and output.
#include "format/FormatInfo.h"

#include <algorithm>
#include <cstring>

#include "core/ZarniArray.h"
#include "format/FormatOutputStream.h"
#include "model/Doc.h"
#include "platform/base/Check.h"
#include "platform/base/StockObjects.h"

namespace {

CFontInfo StockDefaultFont() {
    LOGFONTA lf;
    std::memset(&lf, 0, sizeof(lf));
    // Without the stock font the all-zero LOGFONT still gets a proper id.
    GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof(LOGFONTA), &lf);
    return CFontInfo(lf);
}

template <class T>
bool StickHolds(const CSAttrStick& stick) {
    for (int i = 0; i < stick.GetSize(); ++i) {
        if (dynamic_cast<T*>(stick.GetSect(i).Info()) == nullptr)
            return false;
    }
    return true;
}

bool CoversExactly(const CSAttrStick& stick, int length) {
    if (length == 0)
        return stick.IsEmpty();
    return !stick.IsEmpty() && stick.GetCovered() == CRange(0, length);
}

}  // namespace

CFormatInfo::CFormatInfo(IDoc* doc)
    : m_doc(doc), m_defaultFont(StockDefaultFont()), m_defaultColor(0) {
    if (m_doc == nullptr)
        return;
    CoverWithDefaults();
    m_doc->AddListener(this);
}

CFormatInfo::~CFormatInfo() {
    if (m_doc != nullptr)
        m_doc->DeleteListener(this);
    DropPending();
}

int CFormatInfo::DocLength() const {
    return m_doc ? std::max(m_doc->GetLength(), 0) : 0;
}

void CFormatInfo::CoverWithDefaults() {
    const int length = DocLength();
    if (length == 0)
        return;
    if (m_fonts.IsEmpty())
        m_fonts.AssignAttr(&m_defaultFont, CRange(0, length));
    if (m_colors.IsEmpty())
        m_colors.AssignAttr(&m_defaultColor, CRange(0, length));
}

int CFormatInfo::Apply(CSAttrStick& stick, ICompressStoreObj* record, const CRange& range) {
    const CRange clipped(std::max(range.home, 0), std::min(range.end, DocLength()));
    if (clipped.IsEmpty())
        return 0;
    // The sticks always cover the text here; this only matters if the store was somehow
    // left behind, and keeps an assignment from creating a partial cover.
    CoverWithDefaults();
    m_listeners.N_Inserting(clipped.home, clipped.Length());
    stick.AssignAttr(record, clipped);
    ZARNI_ASSERT_VALID(*this);
    m_listeners.N_Inserted(clipped.home, clipped.Length());
    return 1;
}

int CFormatInfo::SetFont(CFontInfo* font, const CRange& range) {
    if (font == nullptr || font->ID().IsNull())
        return 0;
    if (range.IsEmpty()) {
        m_pendingFont.reset(font->Clone());
        m_pendingPos = range.home;
        return 1;
    }
    return Apply(m_fonts, font, range);
}

int CFormatInfo::SetColor(CColorInfo* color, const CRange& range) {
    if (color == nullptr || color->ID().IsNull())
        return 0;
    if (range.IsEmpty()) {
        m_pendingColor.reset(color->Clone());
        m_pendingPos = range.home;
        return 1;
    }
    return Apply(m_colors, color, range);
}

CFontInfo* CFormatInfo::GetFont(int pos) {
    auto* font = dynamic_cast<CFontInfo*>(m_fonts.GetSectAt(pos).Info());
    return font ? font : &m_defaultFont;
}

CColorInfo* CFormatInfo::GetColor(int pos) {
    auto* color = dynamic_cast<CColorInfo*>(m_colors.GetSectAt(pos).Info());
    return color ? color : &m_defaultColor;
}

CFontInfo CFormatInfo::GetDefaultFont() {
    return m_defaultFont;
}

void CFormatInfo::SetDefaultFont(const CFontInfo& font) {
    if (!font.ID().IsNull())
        m_defaultFont = font;
}

void CFormatInfo::SetDefaultColor(const CColorInfo& color) {
    if (!color.ID().IsNull())
        m_defaultColor = color;
}

CColorInfo CFormatInfo::GetDefaultColor() {
    return m_defaultColor;
}

int CFormatInfo::Output(IFormatOutputStream* out, const CRange& range) {
    if (out == nullptr)
        return 0;
    if (m_fonts.IsEmpty() || m_colors.IsEmpty()) {
        out->PutFont(&m_defaultFont, range);
        out->PutColor(&m_defaultColor, range);
        return 1;
    }
    CZarniArray<CSAttrSectInfo> infos;
    CRange clipped;
    if (CRange::Intersect(range, m_fonts.GetCovered(), clipped)) {
        m_fonts.GetInfos(clipped, infos);
        for (uint32_t i = 0; i < infos.GetSize(); ++i) {
            out->PutFont(static_cast<CFontInfo*>(infos[i].Info()), infos[i].Range());
        }
    }
    if (CRange::Intersect(range, m_colors.GetCovered(), clipped)) {
        m_colors.GetInfos(clipped, infos);
        for (uint32_t i = 0; i < infos.GetSize(); ++i) {
            out->PutColor(static_cast<CColorInfo*>(infos[i].Info()), infos[i].Range());
        }
    }
    return 1;
}

int CFormatInfo::AddFormatListener(IDocListener* listener) {
    if (listener == nullptr)
        return 0;
    m_listeners.Add(listener);
    return 1;
}

int CFormatInfo::DeleteFormatListener(IDocListener* listener) {
    m_listeners.Delete(listener);
    return 1;
}

void CFormatInfo::DropPending() {
    m_pendingFont.reset();
    m_pendingColor.reset();
    m_pendingPos = -1;
}

void CFormatInfo::Follow(CSAttrStick& stick, ICompressStoreObj* fallback, int pos, int count) {
    // An empty stick means there was no text before (or the store never saw it): the
    // default then covers the whole text. Otherwise the insertion lengthens the section
    // to its left.
    if (stick.IsEmpty()) {
        const int length = DocLength();
        if (length > 0)
            stick.AssignAttr(fallback, CRange(0, length));
    } else {
        stick.Extend(pos, count);
    }
}

void CFormatInfo::N_Inserted(int pos, int count) {
    if (count <= 0)
        return;
    Follow(m_fonts, &m_defaultFont, pos, count);
    Follow(m_colors, &m_defaultColor, pos, count);
    if (pos == m_pendingPos) {
        const CRange inserted(pos, pos + count);
        if (m_pendingFont != nullptr)
            m_fonts.AssignAttr(m_pendingFont.get(), inserted);
        if (m_pendingColor != nullptr)
            m_colors.AssignAttr(m_pendingColor.get(), inserted);
    }
    DropPending();
    ZARNI_ASSERT_VALID(*this);
}

void CFormatInfo::N_Deleting(int pos, int count) {
    // Clipped as the document clips its deletion, so the sticks lose exactly what the
    // text loses.
    const int length = DocLength();
    if (pos < 0 || pos >= length || count <= 0)
        return;
    count = std::min(count, length - pos);
    m_fonts.Cut(pos, count);
    m_colors.Cut(pos, count);
}

void CFormatInfo::AssertValid() const {
    m_fonts.AssertValid();
    m_colors.AssertValid();
    ZARNI_CHECK(StickHolds<CFontInfo>(m_fonts) && StickHolds<CColorInfo>(m_colors),
                "CFormatInfo: a stick holds a record of the wrong kind");
    if (m_doc != nullptr) {
        const int length = DocLength();
        ZARNI_CHECK(CoversExactly(m_fonts, length) && CoversExactly(m_colors, length),
                    "CFormatInfo: the sticks do not cover exactly the %d units", length);
    } else {
        ZARNI_CHECK(m_fonts.IsEmpty() && m_colors.IsEmpty(),
                    "CFormatInfo: a store without a document has sections");
    }
}
