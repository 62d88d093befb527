// CRedrawSwitch: a nesting switch that turns repainting off and on.
#pragma once

#include "core/ZarniArray.h"
#include "platform/base/WinTypes.h"

class IRedrawListener {
public:
    virtual void N_RedrawChanged(BOOL on) = 0;

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
    // Without duplicates; null is ignored.
    void AddListener(IRedrawListener* listener);
    void RemoveListener(IRedrawListener* listener);

private:
    void Tell(BOOL on);

    int m_counter = 1;
    CZarniArray<IRedrawListener*> m_listeners;  // not owned
};

// Keeps repainting off for its lifetime; a null switch does nothing.
class CRedrawPause {
public:
    explicit CRedrawPause(CRedrawSwitch* redraw) : m_redraw(redraw) {
        if (m_redraw)
            m_redraw->SetRedraw(FALSE);
    }
    ~CRedrawPause() {
        if (m_redraw)
            m_redraw->SetRedraw(TRUE);
    }
    CRedrawPause(const CRedrawPause&) = delete;
    CRedrawPause& operator=(const CRedrawPause&) = delete;

private:
    CRedrawSwitch* m_redraw;
};
