// The caret navigator: the moves of the caret and the selection that follows them.
#include "view/CaretNavigator.h"

#include <algorithm>

#include "platform/base/Check.h"
#include "view/Caret.h"
#include "view/EditorView.h"
#include "view/Line.h"
#include "view/ViewHost.h"

CCaret* CCaretNavigator::Caret() const {
    return m_view ? m_view->GetCaret() : nullptr;
}

int CCaretNavigator::LineEnd(int line) const {
    if (!m_view || line < 0 || line >= m_view->GetLineCount())
        return -1;
    const int count = m_view->GetLineDocRange(line).Length();
    const ILine* object = m_view->GetStore().GetLine(line);
    return object && object->IsEnded() && count > 0 ? count - 1 : count;
}

CRange CCaretNavigator::Selection() const {
    IViewHost* host = m_view ? m_view->GetHost() : nullptr;
    return host ? host->GetSelection() : CRange();
}

void CCaretNavigator::N_SelChanged(const CRange&, const CRange& newSel) {
    CCaret* caret = Caret();
    if (!caret)
        return;
    if (!newSel.IsEmpty()) {
        caret->Show(FALSE);
        return;
    }
    // The navigator's own moves place the caret first, so their collapsed selection lies at
    // the caret and leaves the anchor and the remembered x alone.
    if (newSel.home != caret->GetDocPos()) {
        m_anchor = -1;
        caret->SetCaretByPos(newSel.home - 1, TRUE);
        caret->Show(TRUE);
        m_x = caret->GetPoint().x;
        return;
    }
    caret->Show(TRUE);
}

template <class F>
void CCaretNavigator::Move(BOOL extend, EMove kind, F place) {
    CCaret* caret = Caret();
    IViewHost* host = m_view ? m_view->GetHost() : nullptr;
    if (!caret || !host)
        return;
    if (extend && m_anchor < 0)
        m_anchor = caret->GetDocPos();
    place(*caret);
    if (kind == EMove::Horizontal)
        m_x = caret->GetPoint().x;
    const int target = caret->GetDocPos();
    if (!extend) {
        m_anchor = -1;
        host->SetSelection(CRange(target, target));
    } else {
        host->SetSelection(CRange(std::min(m_anchor, target), std::max(m_anchor, target)));
    }
}

void CCaretNavigator::HitCaret(const CPoint& point) {
    CCaret* caret = Caret();
    const HitInfo hit = m_view->HitTest(point, FALSE);
    const int line = std::max(0, std::min(hit.line, m_view->GetLineCount() - 1));
    caret->SetCaret(line, std::max(0, std::min(hit.unit, LineEnd(line))));
}

void CCaretNavigator::MoveLeft(BOOL extend) {
    const CRange sel = Selection();
    Move(extend, EMove::Horizontal, [&](CCaret& caret) {
        if (!extend && !sel.IsEmpty()) {
            caret.SetCaretByPos(sel.home - 1, TRUE);
            return;
        }
        const int line = caret.GetLine(), unit = caret.GetUnit();
        if (unit > 0)
            caret.SetCaret(line, unit - 1);
        else if (line > 0)
            caret.SetCaret(line - 1, LineEnd(line - 1));
        else
            caret.SetCaret(0, 0);
    });
}

void CCaretNavigator::MoveRight(BOOL extend) {
    const CRange sel = Selection();
    Move(extend, EMove::Horizontal, [&](CCaret& caret) {
        if (!extend && !sel.IsEmpty()) {
            // The selector does not know the document: never past its end.
            const int length = m_view->GetLineDocRange(m_view->GetLineCount() - 1).end;
            caret.SetCaretByPos(std::min(sel.end, length) - 1, TRUE);
            return;
        }
        const int line = caret.GetLine(), unit = caret.GetUnit();
        if (unit < LineEnd(line))
            caret.SetCaret(line, unit + 1);
        else if (line + 1 < m_view->GetLineCount())
            caret.SetCaret(line + 1, 0);
        // At the end of the last line the caret stays.
    });
}

void CCaretNavigator::MoveUp(BOOL extend) {
    CCaret* caret = Caret();
    if (!caret)
        return;
    // A caret left on a line that no longer exists counts as on the last one.
    const int line = std::min(caret->GetLine(), m_view->GetLineCount() - 1);
    if (line <= 0)
        return;
    const int target = line - 1;
    Move(extend, EMove::Vertical, [&](CCaret&) {
        m_view->BringLineIntoView(target);
        const CRect rect = m_view->GetLineRect(target);
        HitCaret(CPoint(m_x, (rect.top + rect.bottom) / 2));
    });
}

void CCaretNavigator::MoveDown(BOOL extend) {
    CCaret* caret = Caret();
    if (!caret || !m_view || caret->GetLine() >= m_view->GetLineCount() - 1)
        return;
    const int target = caret->GetLine() + 1;
    Move(extend, EMove::Vertical, [&](CCaret&) {
        m_view->BringLineIntoView(target);
        const CRect rect = m_view->GetLineRect(target);
        HitCaret(CPoint(m_x, (rect.top + rect.bottom) / 2));
    });
}

void CCaretNavigator::MoveHome(BOOL extend) {
    Move(extend, EMove::Horizontal, [&](CCaret& caret) { caret.SetCaret(caret.GetLine(), 0); });
}

void CCaretNavigator::MoveEnd(BOOL extend) {
    Move(extend, EMove::Horizontal,
         [&](CCaret& caret) { caret.SetCaret(caret.GetLine(), LineEnd(caret.GetLine())); });
}

void CCaretNavigator::MoveDocHome(BOOL extend) {
    Move(extend, EMove::Horizontal, [&](CCaret& caret) {
        if (m_view->GetViewPort().TopLeft() != CPoint(0, 0))
            m_view->SetViewPort(CPoint(0, 0));
        caret.SetCaret(0, 0);
    });
}

void CCaretNavigator::MoveDocEnd(BOOL extend) {
    Move(extend, EMove::Horizontal, [&](CCaret& caret) {
        const int last = m_view->GetLineCount() - 1;
        m_view->BringLineIntoView(last);
        caret.SetCaret(last, LineEnd(last));
    });
}

void CCaretNavigator::MovePageDown(BOOL extend) {
    CCaret* caret = Caret();
    if (!caret)
        return;
    const CRect viewPort = m_view->GetViewPort();
    // At the end of the content nothing moves.
    if (viewPort.bottom >= m_view->GetContentSize().cy)
        return;
    // The caret keeps its distance from the view port's top.
    const int d = std::max(0, std::min<int>(caret->GetPoint().y - viewPort.top, viewPort.Height()));
    Move(extend, EMove::Vertical, [&](CCaret&) {
        m_view->SetViewPort(CPoint(0, viewPort.bottom));
        HitCaret(CPoint(m_x, m_view->GetViewPort().top + d));
    });
}

void CCaretNavigator::MovePageUp(BOOL extend) {
    CCaret* caret = Caret();
    if (!caret)
        return;
    const CRect viewPort = m_view->GetViewPort();
    if (viewPort.top <= 0) {
        const int x = caret->GetPoint().x;
        Move(extend, EMove::Vertical, [&](CCaret&) { HitCaret(CPoint(x, 0)); });
        return;
    }
    const int d = std::max(0, std::min<int>(caret->GetPoint().y - viewPort.top, viewPort.Height()));
    Move(extend, EMove::Vertical, [&](CCaret&) {
        // Less than a view height above the top: the view port stops at the content's top.
        m_view->SetViewPort(CPoint(0, std::max<int>(viewPort.top - viewPort.Height(), 0)));
        HitCaret(CPoint(m_x, m_view->GetViewPort().top + d));
    });
}

void CCaretNavigator::MoveTo(int line, int unit, BOOL extend) {
    if (unit < 0 || unit > LineEnd(line))
        return;
    Move(extend, EMove::Horizontal, [&](CCaret& caret) {
        m_view->BringLineIntoView(line);
        caret.SetCaret(line, unit);
    });
}

void CCaretNavigator::AssertValid() const {
    ZARNI_CHECK(m_anchor >= -1, "CCaretNavigator: anchor %d", m_anchor);
}
