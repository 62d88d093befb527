// CSelHighlight: whether the selection is drawn highlighted.
#pragma once

#include "core/Range.h"
#include "engine/SelListener.h"
#include "platform/base/WinTypes.h"

class IEditor;

// Follows the selection (as a selection listener) and the window's hide requests. While
// hidden (the window wraps every edit in HideSelection TRUE/FALSE) selection changes record
// nothing, so the new selection is shown once at the end. The recorded range is the band
// of lines that must be repainted when the shown state changes.
class CSelHighlight : public ISelListener {
public:
    explicit CSelHighlight(IEditor* editor);
    virtual ~CSelHighlight();
    CSelHighlight(const CSelHighlight&) = delete;
    CSelHighlight& operator=(const CSelHighlight&) = delete;

    // Shown and not hidden.
    virtual BOOL IsShown();
    virtual void HideSelection(BOOL hide);
    // Nothing when already unshown and b is 0, or when the recorded range is empty.
    virtual void SetShown(BOOL shown);

    void N_SelChanging(const CRange& oldSel, const CRange& newSel) override;
    void N_SelChanged(const CRange& oldSel, const CRange& newSel) override;

    const CRange& GetRecorded() const { return m_recorded; }
    int GetHideCounter() const { return m_hideCounter; }

private:
    void RecordCurrentSelection();
    // Repaints the lines of the recorded range through the view.
    void RepaintBand();

    IEditor* m_editor;  // not owned
    BOOL m_shown = FALSE;
    CRange m_recorded;
    BOOL m_hidden = FALSE;
    int m_hideCounter = 0;
};
