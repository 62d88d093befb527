// ICaretListener and CCaret: the insertion caret of the editor view and who is told where it is.
#pragma once

#include "core/ZarniArray.h"
#include "platform/base/Geometry.h"
#include "platform/base/WinTypes.h"

class CEditorView;

// Told where the caret stands (view-port coordinates) and when it should disappear.
class ICaretListener {
public:
    virtual void N_Changed(const CPoint& point, const CSize& size) = 0;
    virtual void N_ShowCaret(BOOL show) = 0;

protected:
    // Listeners are owned by whoever registered them.
    ~ICaretListener() = default;
};

// The caret stands on a line of the editor view before one of its units (unit 0 is the line's
// start, the line's unit count its end). Its point is in content coordinates; listeners are
// told the point relative to the view port. Placing it needs the editor view's laid-out lines.
class CCaret {
public:
    static constexpr int kDefaultWidth = 2;
    static constexpr int kDefaultHeight = 12;

    explicit CCaret(CEditorView* view) : m_view(view) {}
    CCaret(const CCaret&) = delete;
    CCaret& operator=(const CCaret&) = delete;

    // Places the caret before the unit of the line (after the line's last unit when unit is
    // its unit count). Negative values and lines or units that do not exist are ignored.
    // In wrap mode the caret is kept inside the view port's right edge; in single-line mode
    // the view port scrolls horizontally to show it. Listeners hear N_Changed while the caret
    // is visible and not hidden.
    void SetCaret(int line, int unit);
    // Places the caret at a document position: before pos, or after it when after is set
    // (after a line break that ends its line that is the start of the next line). A negative
    // pos is the very start.
    void SetCaretByPos(int pos, BOOL after);
    // A width of at least 1; the caret is placed again and listeners are told.
    void SetWidth(int width);

    // The document position last asked for (-1 for the start) and its placement flag.
    int GetPos() const { return m_pos; }
    BOOL IsAfter() const { return m_after; }
    // The position the caret stands before: where typing would insert.
    int GetDocPos() const { return m_docPos; }
    // Content coordinates of the caret's top-left corner.
    const CPoint& GetPoint() const { return m_point; }
    int GetLine() const { return m_line; }
    int GetUnit() const { return m_unit; }
    const CSize& GetSize() const { return m_size; }

    // Places the caret again at its line and unit (held inside the current lines).
    void Refresh();
    // A change of state only: showing places the caret again, hiding tells the listeners
    // N_ShowCaret(FALSE).
    void Show(BOOL visible);
    BOOL IsVisible() const { return m_visible; }
    // While hidden (the window has no focus) the caret keeps moving but tells nobody.
    void SetHidden(BOOL hidden) { m_hidden = hidden ? TRUE : FALSE; }
    BOOL IsHidden() const { return m_hidden; }

    // No duplicates; null is ignored. Listeners are not owned.
    void AddListener(ICaretListener* listener);
    void DeleteListener(ICaretListener* listener);
    uint32_t GetListenerCount() const { return m_listeners.GetSize(); }

    // Aborts unless the size is positive, line and unit are not negative and the listener
    // list holds no null and no duplicate.
    void AssertValid() const;

private:
    // The geometry of SetCaret for a line and unit already checked.
    void Place(int line, int unit);
    // The number of units of a line, its line-break unit included; -1 for no such line.
    int UnitCount(int line) const;
    void NotifyChanged();

    CEditorView* m_view;  // owner
    CPoint m_point;       // content coordinates
    CSize m_size{kDefaultWidth, kDefaultHeight};
    int m_pos = -1;  // -1: the very start
    BOOL m_after = FALSE;
    int m_docPos = 0;  // the line's home + unit when last placed
    int m_line = 0;    // >= 0
    int m_unit = 0;    // >= 0
    BOOL m_visible = TRUE;
    BOOL m_hidden = FALSE;
    CZarniArray<ICaretListener*> m_listeners;  // not owned
};
