// The caret: placement on the editor view's lines, visibility and listener notices.
#include "view/Caret.h"

#include <algorithm>
#include <vector>

#include "platform/base/Check.h"
#include "view/EditorView.h"
#include "view/Line.h"

int CCaret::UnitCount(int line) const {
    if (!m_view || line < 0 || line >= m_view->GetLineCount())
        return -1;
    return m_view->GetLineDocRange(line).Length();
}

void CCaret::SetCaret(int line, int unit) {
    const int count = UnitCount(line);
    if (count < 0 || unit < 0 || unit > count)
        return;
    // Kept as "after the unit before" unless at a line start, so that placing the caret by
    // this position again (after a relayout) keeps it at the end of a wrapped line.
    const int pos = m_view->GetLineDocRange(line).home + unit;
    m_pos = unit > 0 ? pos - 1 : pos;
    m_after = unit > 0 ? TRUE : FALSE;
    Place(line, unit);
}

void CCaret::SetCaretByPos(int pos, BOOL after) {
    if (!m_view)
        return;
    if (pos < 0) {
        m_pos = -1;
        m_after = FALSE;
        Place(0, 0);
        return;
    }
    int line = 0, unit = -1;
    m_view->GetLineUnitOfPos(pos, line, unit);
    const CRange range = m_view->GetLineDocRange(line);
    if (unit < 0) {
        // At or beyond the end of the text: after the last line's last unit.
        unit = range.Length();
    } else if (after) {
        const ILine* object = m_view->GetStore().GetLine(line);
        if (object && object->IsEnded() && pos == range.end - 1 &&
            line + 1 < m_view->GetLineCount()) {
            ++line;
            unit = 0;
        } else {
            ++unit;
        }
    }
    m_pos = pos;
    m_after = after ? TRUE : FALSE;
    Place(line, unit);
}

void CCaret::Place(int line, int unit) {
    m_line = line;
    m_unit = unit;
    const CRange range = m_view->GetLineDocRange(line);
    m_docPos = range.home + unit;
    int x = 0;
    const CRange window = m_view->GetStore().GetDetailStore().GetWindow();
    if (line < m_view->GetStore().GetLineObjectCount() &&
        (range.IsEmpty() || range.home < window.home || range.end > window.end)) {
        // No unit cells to stand on (an empty line, or one outside the detail store's
        // window): the line's own rectangle places the caret at its start or its end, on the
        // line's bottom, so that it is never shown away from its line.
        const CRect rect = m_view->GetLineRect(line);
        x = unit < range.Length() ? rect.left : rect.right;
        m_point.y = std::max<int>(rect.top, rect.bottom - kDefaultHeight);
        m_size.cy = kDefaultHeight;
    } else {
        const CRect rect =
            unit == 0 ? m_view->GetUnitRect(line, 0) : m_view->GetUnitRect(line, unit - 1);
        x = unit == 0 ? rect.left : rect.right;
        m_point.y = rect.top;
        m_size.cy = rect.Height() > 0 ? rect.Height() : kDefaultHeight;
    }
    const CRect viewPort = m_view->GetViewPort();
    const int viewWidth = viewPort.Width();
    if (viewWidth > 0) {
        if (m_view->GetMode() != FT_SINGLELINE) {
            x = std::min<int>(x, viewPort.right - m_size.cx);
        } else if (x >= viewPort.right) {
            // Scroll so that the caret ends in the middle of the view.
            m_view->SetViewPort(CPoint(x - viewWidth / 2, viewPort.top));
        } else if (x < viewPort.left) {
            m_view->SetViewPort(CPoint(std::max(x - viewWidth / 2, 0), viewPort.top));
        }
    }
    m_point.x = x;
    NotifyChanged();
}

void CCaret::SetWidth(int width) {
    if (width < 1)
        return;
    m_size.cx = width;
    Refresh();
}

void CCaret::Refresh() {
    if (!m_view)
        return;
    // The lines may have changed since the caret was placed: stay inside them.
    const int line = std::max(0, std::min(m_line, m_view->GetLineCount() - 1));
    const int unit = std::max(0, std::min(m_unit, std::max(UnitCount(line), 0)));
    Place(line, unit);
}

void CCaret::Show(BOOL visible) {
    visible = visible ? TRUE : FALSE;
    if (visible == m_visible)
        return;
    m_visible = visible;
    if (visible) {
        Refresh();
        return;
    }
    const std::vector<ICaretListener*> listeners(m_listeners.GetData(),
                                                 m_listeners.GetData() + m_listeners.GetSize());
    for (ICaretListener* listener : listeners)
        listener->N_ShowCaret(FALSE);
}

void CCaret::NotifyChanged() {
    if (!m_visible || m_hidden)
        return;
    const CPoint point = m_point - m_view->GetViewPort().TopLeft();
    // A listener may remove itself while being told.
    const std::vector<ICaretListener*> listeners(m_listeners.GetData(),
                                                 m_listeners.GetData() + m_listeners.GetSize());
    for (ICaretListener* listener : listeners)
        listener->N_Changed(point, m_size);
}

void CCaret::AddListener(ICaretListener* listener) {
    if (!listener)
        return;
    for (uint32_t i = 0; i < m_listeners.GetSize(); ++i) {
        if (m_listeners[i] == listener)
            return;
    }
    m_listeners.Add(listener);
}

void CCaret::DeleteListener(ICaretListener* listener) {
    for (uint32_t i = m_listeners.GetSize(); i > 0; --i) {
        if (m_listeners[i - 1] == listener)
            m_listeners.RemoveAt(i - 1, 1);
    }
}

void CCaret::AssertValid() const {
    m_listeners.AssertValid();
    ZARNI_CHECK(m_size.cx >= 1 && m_size.cy >= 1, "CCaret: size %d x %d", m_size.cx, m_size.cy);
    ZARNI_CHECK(m_line >= 0 && m_unit >= 0, "CCaret: line %d unit %d", m_line, m_unit);
    ZARNI_CHECK(m_pos >= -1 && !(m_pos < 0 && m_after) && m_docPos >= 0,
                "CCaret: position %d after %d at %d", m_pos, m_after, m_docPos);
    for (uint32_t i = 0; i < m_listeners.GetSize(); ++i) {
        ZARNI_CHECK(m_listeners[i] != nullptr, "CCaret: listener %u is null", i);
        for (uint32_t j = i + 1; j < m_listeners.GetSize(); ++j)
            ZARNI_CHECK(m_listeners[i] != m_listeners[j], "CCaret: a listener registered twice");
    }
}
