// CCaretNavigator: caret moves from the keyboard and the mouse, and the caret following the
// selection.
#pragma once

#include "core/Range.h"
#include "platform/base/Geometry.h"
#include "platform/base/WinTypes.h"

class CCaret;
class CEditorView;

// Every move places the caret on the editor view's lines and then sets the selection through
// the selector: without extend it collapses at the caret, with extend it spans from the
// anchor (where the caret stood when the first extending move began) to the caret.
// Told of every selection change (by whoever holds both the selection and the view), it
// hides the caret over a non-empty selection and moves it to an empty selection set by
// anyone else.
class CCaretNavigator {
public:
    // Reads and sets the selection through the view's host.
    explicit CCaretNavigator(CEditorView* view) : m_view(view) {}
    CCaretNavigator(const CCaretNavigator&) = delete;
    CCaretNavigator& operator=(const CCaretNavigator&) = delete;

    void N_SelChanged(const CRange& oldSel, const CRange& newSel);

    // One unit left; collapses a selection at its start when not extending.
    void MoveLeft(BOOL extend);
    // One unit right; collapses a selection at its end when not extending.
    void MoveRight(BOOL extend);
    // The line above or below at the remembered x, brought into view first. Nothing happens
    // on the first (last) line.
    void MoveUp(BOOL extend);
    void MoveDown(BOOL extend);
    // Start of the caret's line; end of it, before its line break.
    void MoveHome(BOOL extend);
    void MoveEnd(BOOL extend);
    // The very start (view port back to the top) and after the last unit of the last line.
    void MoveDocHome(BOOL extend);
    void MoveDocEnd(BOOL extend);
    // One view height up or down, the caret keeping its place in the view port.
    void MovePageUp(BOOL extend);
    void MovePageDown(BOOL extend);
    // To a line and unit (the mouse), brought into view; a line or unit that does not exist
    // is ignored.
    void MoveTo(int line, int unit, BOOL extend);

    // Where the extending moves started, -1 when none.
    int GetAnchor() const { return m_anchor; }
    // The x (content coordinates) that vertical moves aim for.
    int GetRememberedX() const { return m_x; }

    // Aborts unless the anchor is -1 or a position.
    void AssertValid() const;

private:
    enum class EMove { Horizontal, Vertical };

    CCaret* Caret() const;
    // The units of a line before its line-break unit (all of them when it is not ended);
    // -1 for no such line.
    int LineEnd(int line) const;
    // The caret placement for a content point, kept on an existing line and unit.
    void HitCaret(const CPoint& point);
    // The shared frame around a move: the anchor, the placement (done by place) and the
    // selection afterwards.
    template <class F>
    void Move(BOOL extend, EMove kind, F place);

    // The selection through the view's host; (0, 0) without one.
    CRange Selection() const;

    CEditorView* m_view;  // owner
    int m_anchor = -1;    // -1 or a document position
    int m_x = 0;          // remembered for vertical moves
};
