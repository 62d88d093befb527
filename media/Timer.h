// ITimer and zarni::CTimer: the one multimedia timer that drives every animation.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "core/ZarniArray.h"
#include "platform/base/WinTypes.h"

class ITimerSenseObj;

class ITimer {
public:
    // Milliseconds between pulses; restarts the periodic timer. 1 when it runs.
    virtual int SetTick(unsigned int ms) = 0;
    // Appends a window that receives the pulse message; null empties the list.
    virtual int SetSynObj(HWND window) = 0;
    // Handles a pulse message: pulses every listener, then clears the pending flag.
    virtual void SynPulse() = 0;
    virtual void RegisterListener(ITimerSenseObj* listener) = 0;
    // Removes every occurrence; the timer deletes itself once no listener is left.
    virtual void UnRegisterListener(ITimerSenseObj* listener) = 0;
    virtual ~ITimer() = default;
};

namespace zarni {

// The timer fires on a thread of its own and hands each pulse to the user-interface thread
// by posting ZEM_TIMERPULSE to the first live synchronisation window; with no window it
// pulses its listeners itself on the timer thread. While a posted pulse waits, further
// events post nothing unless the every-tick flag is set, or five events have passed (in
// case the message was lost).
//
// Threads: the window list, the pending flag, the event count and the running event's id
// are guarded by m_stateMutex, which the timer thread holds only briefly and never while
// posting or pulsing. The listener list is guarded by m_listenerMutex (recursive, since a
// listener may register another from inside its pulse), held for a whole pulse so that an
// animation cannot be destroyed while the timer thread pulses it. The running event is
// killed, waiting for a callback in progress, with neither lock held.
class CTimer : public ITimer {
public:
    static CTimer* instance_;
    // The single timer, created on first use.
    static CTimer* Instance();
    // Deletes the timer (killing its event); the next Instance() makes a new one.
    static void Release();

    int SetTick(unsigned int ms) override;
    int SetSynObj(HWND window) override;
    void SynPulse() override;
    void RegisterListener(ITimerSenseObj* listener) override;
    void UnRegisterListener(ITimerSenseObj* listener) override;
    ~CTimer() override;

    // Calls TimeArrive(tick) on every listener in registration order.
    void Pulse();
    // One event of the multimedia timer, on the timer's thread.
    void OnTimer(unsigned int timerId);
    // With the flag set, every event posts a pulse whatever is pending.
    void EnsureEveryTick(int on);

    // Calls f with every listener, in order, under the listener lock.
    template <class F>
    void ForEachListener(F f) {
        std::lock_guard<std::recursive_mutex> lock(m_listenerMutex);
        for (uint32_t i = 0; i < m_listeners.GetSize(); ++i)
            f(m_listeners[i]);
    }

    unsigned int GetTick() const { return m_tick; }
    uint32_t GetListenerCount();
    // The running event's id, 0 when none.
    UINT GetTimerId();
    bool IsPulsePending();

    // Events after which a pulse is posted again although one is still pending.
    static constexpr uint32_t kRepostAfterEvents = 5;

private:
    CTimer() = default;
    // The first live window, dropping dead ones in front of it; null when none is live.
    // Requires m_stateMutex.
    HWND PickSynObj();
    // Stops the running event, waiting for a callback in progress; takes the state lock only
    // to read and clear the id, so the callback can finish.
    void KillEvent();
    static void TimerProc(UINT timerId, UINT msg, DWORD_PTR user, DWORD_PTR, DWORD_PTR);

    std::atomic<unsigned int> m_tick{0};
    std::recursive_mutex m_listenerMutex;
    CZarniArray<ITimerSenseObj*> m_listeners;  // not owned; duplicates allowed
    std::mutex m_stateMutex;
    UINT m_timer = 0;  // the running event, 0 when none
    CZarniArray<HWND> m_synWindows;
    int m_everyTick = 0;
    int m_pending = 0;
    uint32_t m_events = 0;  // events since the last posted pulse
};

}  // namespace zarni
