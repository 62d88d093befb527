// The multimedia timer and messages posted from its thread to a headless window.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>
#include <utility>
#include <vector>

#include "platform/ui/MMSystem.h"
#include "platform/ui/headless/HeadlessUi.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
const milliseconds kDelay(10);
const milliseconds kGenerous(10000);

struct Calls {
    std::mutex mutex;
    std::condition_variable entered;
    std::vector<Clock::time_point> times;  // when each call began
    int left = 0;
    std::set<std::pair<std::thread::id, UINT>> callers;  // thread and event id
};

// Records the call; the first one overruns five periods, the others take a little while.
void Record(UINT id, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    Calls& calls = *reinterpret_cast<Calls*>(user);
    size_t count = 0;
    {
        std::lock_guard<std::mutex> lock(calls.mutex);
        calls.times.push_back(Clock::now());
        calls.callers.emplace(std::this_thread::get_id(), id);
        count = calls.times.size();
    }
    calls.entered.notify_all();
    std::this_thread::sleep_for(count == 1 ? 5 * kDelay : milliseconds(2));
    std::lock_guard<std::mutex> lock(calls.mutex);
    ++calls.left;
}

std::vector<MMRESULT> g_selfKills;  // touched by the event's thread until it ends
void KillSelf(UINT id, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) {
    g_selfKills.push_back(timeKillEvent(id));
}

}  // namespace

TEST(MMTimer, PeriodicEventRunsOnItsThreadSkipsMissedDeadlinesAndKillWaitsForIt) {
    const size_t threads = MMTimerThreadCount();
    Calls calls;
    const Clock::time_point before = Clock::now();
    const UINT id =
        timeSetEvent(kDelay.count(), 1, Record, reinterpret_cast<DWORD_PTR>(&calls), TIME_PERIODIC);
    ASSERT_NE(id, 0u);
    EXPECT_EQ(MMTimerThreadCount(), threads + 1);
    {
        std::unique_lock<std::mutex> lock(calls.mutex);
        ASSERT_TRUE(
            calls.entered.wait_for(lock, kGenerous, [&] { return calls.times.size() >= 3; }));
    }
    EXPECT_EQ(timeKillEvent(id), TIMERR_NOERROR);
    EXPECT_EQ(MMTimerThreadCount(), threads);  // joined: no call can start any more
    std::lock_guard<std::mutex> lock(calls.mutex);
    EXPECT_EQ(calls.left, static_cast<int>(calls.times.size()));  // the running call finished
    ASSERT_EQ(calls.callers.size(), 1u);
    EXPECT_NE(calls.callers.begin()->first, std::this_thread::get_id());
    EXPECT_EQ(calls.callers.begin()->second, id);
    // The overrun covered deadlines 2..6: the third call is due at deadline 8 at the earliest.
    EXPECT_GE(calls.times[2] - before, 8 * kDelay);
    EXPECT_EQ(timeKillEvent(id), MMSYSERR_INVALPARAM);
}

TEST(MMTimer, OneShotAndSelfKilledEventsEndTheirThreadsAndBadArgumentsAreRefused) {
    const size_t threads = MMTimerThreadCount();
    const UINT periodic = timeSetEvent(1, 0, KillSelf, 0, TIME_PERIODIC);
    Calls calls;
    const UINT oneShot =
        timeSetEvent(1, 0, Record, reinterpret_cast<DWORD_PTR>(&calls), TIME_ONESHOT);
    ASSERT_TRUE(periodic != 0 && oneShot != 0 && periodic != oneShot);
    const Clock::time_point deadline = Clock::now() + kGenerous;
    while (MMTimerThreadCount() != threads && Clock::now() < deadline)
        std::this_thread::sleep_for(milliseconds(1));
    ASSERT_EQ(MMTimerThreadCount(), threads);
    EXPECT_EQ(g_selfKills, std::vector<MMRESULT>{TIMERR_NOERROR});
    EXPECT_EQ(calls.times.size(), 1u);
    EXPECT_EQ(timeKillEvent(periodic), MMSYSERR_INVALPARAM);
    EXPECT_EQ(timeKillEvent(oneShot), MMSYSERR_INVALPARAM);

    EXPECT_EQ(timeSetEvent(0, 0, Record, 0, TIME_PERIODIC), 0u);
    EXPECT_EQ(timeSetEvent(10, 0, nullptr, 0, TIME_PERIODIC), 0u);
    EXPECT_EQ(timeSetEvent(10, 0, Record, 0, 0x80), 0u);
}

namespace {
std::vector<WPARAM> g_received;  // handler side, on the pumping thread only
std::set<std::thread::id> g_handlerThreads;

LRESULT RecordProc(HWND, UINT msg, WPARAM wParam, LPARAM) {
    g_received.push_back(msg == WM_DESTROY ? WPARAM(~0u) : wParam);
    g_handlerThreads.insert(std::this_thread::get_id());
    return 0;
}

// Posts the tick number to the window passed as the user value.
void PostTick(UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    static WPARAM tick = 0;
    PostMessageA(reinterpret_cast<HWND>(user), WM_TIMER, tick++, 0);
}
}  // namespace

TEST(PostedMessages, FromTheTimerThreadReachTheHandlerOnThePumpingThreadInOrder) {
    CHeadlessUi& ui = CHeadlessUi::Instance();
    const HWND window = ui.CreateWindow(RecordProc);
    const UINT id =
        timeSetEvent(1, 0, PostTick, reinterpret_cast<DWORD_PTR>(window), TIME_PERIODIC);
    ASSERT_NE(id, 0u);
    const Clock::time_point deadline = Clock::now() + kGenerous;
    while (g_received.size() < 20 && ui.WaitForMessage(kGenerous) && Clock::now() < deadline)
        ui.PumpMessages();
    ASSERT_EQ(timeKillEvent(id), TIMERR_NOERROR);
    ui.PumpMessages();  // what was posted before the kill
    ASSERT_GE(g_received.size(), 20u);
    for (size_t i = 0; i < g_received.size(); ++i)
        ASSERT_EQ(g_received[i], i);
    EXPECT_EQ(g_handlerThreads, std::set<std::thread::id>{std::this_thread::get_id()});

    // Destroying drops what is still queued; a dead or null window takes no more.
    g_received.clear();
    ASSERT_TRUE(PostMessageA(window, WM_USER, 1, 0));
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(DestroyWindow(window));
    EXPECT_EQ(g_received, std::vector<WPARAM>{WPARAM(~0u)});  // WM_DESTROY only
    EXPECT_EQ(ui.PumpMessages(), 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(PostMessageA(window, WM_USER, 2, 0));
    EXPECT_FALSE(PostMessageA(nullptr, WM_USER, 3, 0));
    EXPECT_FALSE(DestroyWindow(window));
    EXPECT_TRUE(IsWindow(GetDesktopWindow()));
}
