// CRedrawSwitch: a nesting switch that turns repainting off and on.
#pragma once

#include "core/ZarniArray.h"
#include "platform/base/WinTypes.h"

class IRedrawListener {
public:
    virtual void N_RedrawChanged(BOOL on) = 0;
    // A layout hold began (TRUE) or the last one ended (FALSE).
    virtual void N_LayoutHeld(BOOL) {}

protected:
    ~IRedrawListener() = default;
};

// The counter starts at 1 (on). Each SetRedraw(FALSE) lowers it and the one that leaves 1
// tells the listeners "off"; SetRedraw(TRUE) raises it back and the one that reaches 1
// tells them "on". n calls with FALSE need n calls with TRUE; TRUE while on does nothing.
class CRedrawSwitch {
public:
    void SetRedraw(BOOL on);
    BOOL IsOn() const { return m_counter == 1 ? TRUE : FALSE; }
    int GetCounter() const { return m_counter; }
    // Bulk changes (loading a document) hold layout: followers that lay out may only note
    // what changed while held and lay it out once when the last hold ends. Nesting like
    // SetRedraw; FALSE without a hold does nothing.
    void HoldLayout(BOOL hold);
    BOOL IsLayoutHeld() const { return m_holds > 0 ? TRUE : FALSE; }
    // Without duplicates; null is ignored.
    void AddListener(IRedrawListener* listener);
    void RemoveListener(IRedrawListener* listener);

private:
    void Tell(BOOL on);

    int m_counter = 1;
    int m_holds = 0;
    CZarniArray<IRedrawListener*> m_listeners;  // not owned
};

// Calls Set with kDuring when made and with the opposite when gone; a null switch does
// nothing.
template <void (CRedrawSwitch::*Set)(BOOL), BOOL kDuring>
class TRedrawScope {
public:
    explicit TRedrawScope(CRedrawSwitch* redraw) : m_redraw(redraw) {
        if (m_redraw)
            (m_redraw->*Set)(kDuring);
    }
    ~TRedrawScope() {
        if (m_redraw)
            (m_redraw->*Set)(kDuring ? FALSE : TRUE);
    }
    TRedrawScope(const TRedrawScope&) = delete;
    TRedrawScope& operator=(const TRedrawScope&) = delete;

private:
    CRedrawSwitch* m_redraw;
};

// Keeps repainting off for its lifetime.
using CRedrawPause = TRedrawScope<&CRedrawSwitch::SetRedraw, FALSE>;
// Holds layout for its lifetime.
using CLayoutHold = TRedrawScope<&CRedrawSwitch::HoldLayout, TRUE>;
