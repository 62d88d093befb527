// The shared animation timer: its event, the pulse hand-over and the listener list.
#include "media/Timer.h"

#include "core/Messages.h"
#include "core/Owned.h"
#include "objects/TimerSenseObj.h"
#include "platform/ui/MMSystem.h"
#include "platform/ui/WinUser.h"

namespace zarni {

CTimer* CTimer::instance_ = nullptr;

namespace {
constexpr unsigned int kResolutionDivisor = 10;
}

CTimer* CTimer::Instance() {
    if (instance_ == nullptr)
        instance_ = std::unique_ptr<CTimer>(new CTimer()).release();
    return instance_;
}

void CTimer::Release() {
    CTimer* timer = instance_;
    instance_ = nullptr;
    delete timer;
}

CTimer::~CTimer() {
    KillEvent();
}

void CTimer::KillEvent() {
    UINT running = 0;
    {
        std::lock_guard<std::mutex> lock(m_stateMutex);
        running = m_timer;
        m_timer = 0;
    }
    if (running != 0)
        timeKillEvent(running);
}

int CTimer::SetTick(unsigned int ms) {
    if (ms == m_tick)
        return 1;
    m_tick = ms;
    KillEvent();
    const UINT started = timeSetEvent(ms, ms / kResolutionDivisor, &CTimer::TimerProc,
                                      reinterpret_cast<DWORD_PTR>(this), TIME_PERIODIC);
    std::lock_guard<std::mutex> lock(m_stateMutex);
    m_timer = started;
    return started != 0 ? 1 : 0;
}

int CTimer::SetSynObj(HWND window) {
    std::lock_guard<std::mutex> lock(m_stateMutex);
    if (window == nullptr)
        m_synWindows.RemoveAll();
    else
        m_synWindows.Add(window);
    return 1;
}

void CTimer::SynPulse() {
    Pulse();
    std::lock_guard<std::mutex> lock(m_stateMutex);
    m_pending = 0;
}

void CTimer::RegisterListener(ITimerSenseObj* listener) {
    std::lock_guard<std::recursive_mutex> lock(m_listenerMutex);
    m_listeners.Add(listener);
}

void CTimer::UnRegisterListener(ITimerSenseObj* listener) {
    bool empty = false;
    {
        std::lock_guard<std::recursive_mutex> lock(m_listenerMutex);
        for (uint32_t i = m_listeners.GetSize(); i > 0; --i) {
            if (m_listeners[i - 1] == listener)
                m_listeners.RemoveAt(i - 1, 1);
        }
        empty = m_listeners.GetSize() == 0;
    }
    // Deleting kills the event, which waits for a callback in progress: no lock is held.
    if (empty && instance_ == this)
        Release();
}

uint32_t CTimer::GetListenerCount() {
    std::lock_guard<std::recursive_mutex> lock(m_listenerMutex);
    return m_listeners.GetSize();
}

UINT CTimer::GetTimerId() {
    std::lock_guard<std::mutex> lock(m_stateMutex);
    return m_timer;
}

bool CTimer::IsPulsePending() {
    std::lock_guard<std::mutex> lock(m_stateMutex);
    return m_pending != 0;
}

void CTimer::EnsureEveryTick(int on) {
    std::lock_guard<std::mutex> lock(m_stateMutex);
    m_everyTick = on;
}

void CTimer::Pulse() {
    std::lock_guard<std::recursive_mutex> lock(m_listenerMutex);
    const unsigned int tick = m_tick;
    // A listener may register or unregister others from inside its pulse.
    for (uint32_t i = 0; i < m_listeners.GetSize(); ++i)
        m_listeners[i]->TimeArrive(tick);
}

HWND CTimer::PickSynObj() {
    const uint32_t n = m_synWindows.GetSize();
    uint32_t live = 0;
    while (live < n && !IsWindow(m_synWindows[live]))
        ++live;
    if (live == n)
        return nullptr;
    if (live > 0) {
        m_synWindows.RemoveAt(0, live);
        m_pending = 0;
    }
    return m_synWindows[0];
}

void CTimer::OnTimer(unsigned int timerId) {
    HWND target = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_stateMutex);
        ++m_events;
        if (timerId != m_timer || m_timer == 0)
            return;
        target = PickSynObj();
        if (target != nullptr) {
            if (!m_everyTick) {
                if (m_pending && m_events < kRepostAfterEvents)
                    return;
                m_pending = 1;
                m_events = 0;
            }
        }
    }
    if (target == nullptr)
        Pulse();
    else
        PostMessageA(target, ZEM_TIMERPULSE, 0, 0);
}

void CTimer::TimerProc(UINT timerId, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    // The event carries its timer, which kills the event before it goes away.
    reinterpret_cast<CTimer*>(user)->OnTimer(timerId);
}

}  // namespace zarni
