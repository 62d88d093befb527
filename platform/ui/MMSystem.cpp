// The multimedia timer: a registry of events, each sleeping on a steady clock in a thread of
// its own until its next deadline or a stop request.
#include "platform/ui/MMSystem.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "platform/base/Check.h"
#include "platform/ui/headless/HeadlessUi.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr UINT kKnownFlags = TIME_PERIODIC | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS;
// The callback's msg argument is reserved and always 0.
constexpr UINT kCallbackMsg = 0;
constexpr UINT kFirstId = 1;

// The deadline after `previous`: start + k * delay for the smallest k that is still ahead of
// `now`, so an overrun skips the deadlines it missed instead of firing them late.
Clock::time_point NextDeadline(Clock::time_point start, Clock::duration delay,
                               Clock::time_point previous, Clock::time_point now) {
    Clock::time_point next = previous + delay;
    if (next <= now)
        next = start + ((now - start) / delay + 1) * delay;
    return next;
}

// One event: what it calls and when, its thread, and the stop request that thread sleeps on.
struct CTimerEvent {
    UINT id = 0;
    Clock::time_point start;
    Clock::duration delay{};  // > 0
    LPTIMECALLBACK callback = nullptr;
    DWORD_PTR user = 0;
    bool periodic = false;

    std::mutex mutex;
    std::condition_variable wake;
    bool stopped = false;  // guarded by mutex; once set, no callback starts
    // Owned by whoever holds the event: the registry (under its mutex) or a killer that took
    // it out of the registry.
    std::thread thread;
    // The thread's last act; after it the thread never touches the event again, so joining it
    // cannot wait on a callback.
    std::atomic<bool> finished{false};

    void RequestStop() {
        {
            std::lock_guard<std::mutex> lock(mutex);
            stopped = true;
        }
        wake.notify_all();
    }
};

class CTimerRegistry {
public:
    static CTimerRegistry& Instance() {
        static CTimerRegistry instance;
        return instance;
    }

    CTimerRegistry(const CTimerRegistry&) = delete;
    CTimerRegistry& operator=(const CTimerRegistry&) = delete;

    // Process exit: stops every event and waits for its thread, so no callback runs while the
    // statics it may use are destroyed.
    ~CTimerRegistry() {
        std::map<UINT, std::unique_ptr<CTimerEvent>> live;
        std::vector<std::unique_ptr<CTimerEvent>> retired;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            live.swap(m_live);
            retired.swap(m_retired);
        }
        for (auto& entry : live) {
            entry.second->RequestStop();
            retired.push_back(std::move(entry.second));
        }
        for (auto& event : retired) {
            if (event->thread.get_id() == std::this_thread::get_id()) {
                // The exit began inside this event's callback: the thread still needs the
                // event after the callback returns, so it is left to it.
                event->thread.detach();
                static_cast<void>(event.release());
            } else {
                event->thread.join();
            }
        }
    }

    UINT Start(UINT delayMs, LPTIMECALLBACK callback, DWORD_PTR user, UINT flags) {
        if (!callback || delayMs == 0 || (flags & ~kKnownFlags) != 0)
            return 0;
        auto event = std::make_unique<CTimerEvent>();
        event->delay = std::chrono::milliseconds(delayMs);
        event->callback = callback;
        event->user = user;
        event->periodic = (flags & TIME_PERIODIC) != 0;
        UINT id = 0;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            ReapFinishedLocked();
            if (m_nextId == 0)
                return 0;  // every id has been handed out
            event->id = m_nextId;
            event->start = Clock::now();
            try {
                event->thread = std::thread(&CTimerRegistry::Run, this, event.get());
            } catch (const std::system_error&) {
                return 0;
            }
            id = m_nextId++;  // wraps to 0 after the last id, which then refuses new events
            m_live.emplace(id, std::move(event));
        }
        ZARNI_ASSERT_VALID(*this);
        return id;
    }

    MMRESULT Kill(UINT id) {
        std::unique_ptr<CTimerEvent> event;
        bool fromOwnCallback = false;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            ReapFinishedLocked();
            auto it = m_live.find(id);
            if (it == m_live.end())
                return MMSYSERR_INVALPARAM;
            event = std::move(it->second);
            m_live.erase(it);
            fromOwnCallback = event->thread.get_id() == std::this_thread::get_id();
            if (fromOwnCallback) {
                // The thread cannot wait for itself: it ends after this callback returns and
                // is joined by a later registry call or at exit.
                event->RequestStop();
                m_retired.push_back(std::move(event));
            }
        }
        if (!fromOwnCallback) {
            event->RequestStop();
            event->thread.join();
        }
        ZARNI_ASSERT_VALID(*this);
        return TIMERR_NOERROR;
    }

    size_t LiveThreads() {
        std::lock_guard<std::mutex> lock(m_mutex);
        ReapFinishedLocked();
        return m_live.size() + m_retired.size();
    }

    void AssertValid() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (const auto& entry : m_live) {
            const CTimerEvent& event = *entry.second;
            ZARNI_CHECK(event.id == entry.first && event.id >= kFirstId, "event %u filed as %u",
                        event.id, entry.first);
            ZARNI_CHECK(m_nextId == 0 || event.id < m_nextId, "event %u not yet handed out",
                        event.id);
            ZARNI_CHECK(event.callback && event.delay.count() > 0, "event %u has no callback",
                        event.id);
        }
        for (const auto& event : m_retired)
            ZARNI_CHECK(event->thread.joinable(), "retired event %u already joined", event->id);
    }

private:
    // Timer threads post to the window system, so its backend is built first and therefore
    // destroyed after the registry has stopped them.
    CTimerRegistry() { CHeadlessUi::Instance(); }

    void Run(CTimerEvent* event) {
        Clock::time_point deadline = event->start + event->delay;
        std::unique_lock<std::mutex> lock(event->mutex);
        while (!event->wake.wait_until(lock, deadline, [event] { return event->stopped; })) {
            lock.unlock();
            event->callback(event->id, kCallbackMsg, event->user, 0, 0);
            lock.lock();
            if (!event->periodic)
                break;
            deadline = NextDeadline(event->start, event->delay, deadline, Clock::now());
        }
        lock.unlock();
        if (!event->periodic)
            RetireOneShot(event);
        event->finished.store(true, std::memory_order_release);
    }

    // A one-shot event whose callback has returned leaves the live list unless a kill has
    // already taken it.
    void RetireOneShot(CTimerEvent* event) {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_live.find(event->id);
        if (it != m_live.end() && it->second.get() == event) {
            m_retired.push_back(std::move(it->second));
            m_live.erase(it);
        }
    }

    // Joins the retired threads that have finished; each join returns at once.
    void ReapFinishedLocked() {
        for (auto it = m_retired.begin(); it != m_retired.end();) {
            if ((*it)->finished.load(std::memory_order_acquire)) {
                (*it)->thread.join();
                it = m_retired.erase(it);
            } else {
                ++it;
            }
        }
    }

    mutable std::mutex m_mutex;  // guards the members below
    // Running events by id; each has a started thread and no stop request.
    std::map<UINT, std::unique_ptr<CTimerEvent>> m_live;
    // Events whose threads end on their own (one-shots that fired, events killed from their own
    // callback); each thread is joined once it has finished.
    std::vector<std::unique_ptr<CTimerEvent>> m_retired;
    UINT m_nextId = kFirstId;  // ids below it have been handed out; 0 once all have been
};

}  // namespace

UINT timeSetEvent(UINT delayMs, UINT /*resolutionMs*/, LPTIMECALLBACK callback, DWORD_PTR user,
                  UINT flags) {
    return CTimerRegistry::Instance().Start(delayMs, callback, user, flags);
}

MMRESULT timeKillEvent(UINT id) {
    return CTimerRegistry::Instance().Kill(id);
}

size_t MMTimerThreadCount() {
    return CTimerRegistry::Instance().LiveThreads();
}
