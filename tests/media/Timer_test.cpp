// The shared timer: the pulse hand-over rules, self-deletion, and animations in an editor
// advancing on the real timer thread.
#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "core/Messages.h"
#include "editor/EditorInterface.h"
#include "media/Animate.h"
#include "media/Timer.h"
#include "model/CompressStore.h"
#include "objects/TimerSenseObj.h"
#include "platform/ui/MMSystem.h"
#include "platform/ui/headless/HeadlessUi.h"
#include "support/ChangeRecorder.h"
#include "support/DataFiles.h"
#include "view/MultilayerView.h"

using zarni::CTimer;

namespace {

std::vector<UINT> g_received;  // messages the test window got, on the test's thread

LRESULT RecordingProc(HWND, UINT msg, WPARAM, LPARAM) {
    g_received.push_back(msg);
    return 0;
}

// Hands every pulse message to the timer, as an editor window does.
LRESULT PulsingProc(HWND, UINT msg, WPARAM, LPARAM) {
    if (msg == ZEM_TIMERPULSE && CTimer::instance_)
        CTimer::instance_->SynPulse();
    return 0;
}

struct CTickCounter : ITimerSenseObj {
    void TimeArrive(unsigned int tick) override { ticks.push_back(tick); }
    std::vector<unsigned int> ticks;
};

}  // namespace

TEST(Timer, PendingPulsesHoldBackPostsUntilTheFifthEvent) {
    CHeadlessUi& ui = CHeadlessUi::Instance();
    CTickCounter listener;
    CTimer* timer = CTimer::Instance();
    timer->RegisterListener(&listener);
    ASSERT_EQ(timer->SetTick(1000000), 1);  // the real event stays far away
    EXPECT_EQ(timer->SetTick(1000000), 1);
    const UINT id = timer->GetTimerId();
    ASSERT_NE(id, 0u);
    HWND dead = ui.CreateWindow(&RecordingProc);
    HWND window = ui.CreateWindow(&RecordingProc);
    timer->SetSynObj(dead);
    timer->SetSynObj(window);
    ui.DestroyWindow(dead);

    g_received.clear();
    timer->OnTimer(id + 1);  // not the running event
    for (int event = 0; event < 5; ++event)
        timer->OnTimer(id);
    ui.PumpMessages();
    EXPECT_EQ(g_received, (std::vector<UINT>{ZEM_TIMERPULSE}));
    timer->OnTimer(id);  // five events since the post: it may have been lost
    ui.PumpMessages();
    EXPECT_EQ(g_received, (std::vector<UINT>{ZEM_TIMERPULSE, ZEM_TIMERPULSE}));
    EXPECT_TRUE(timer->IsPulsePending());
    timer->SynPulse();
    EXPECT_FALSE(timer->IsPulsePending());
    EXPECT_EQ(listener.ticks, (std::vector<unsigned int>{1000000}));

    g_received.clear();
    timer->EnsureEveryTick(1);
    for (int event = 0; event < 3; ++event)
        timer->OnTimer(id);
    ui.PumpMessages();
    EXPECT_EQ(g_received.size(), 3u);

    // Without a live window the event pulses right away.
    ui.DestroyWindow(window);
    timer->OnTimer(id);
    EXPECT_EQ(listener.ticks.size(), 2u);

    timer->UnRegisterListener(&listener);  // the last one: the timer goes
    EXPECT_EQ(CTimer::instance_, nullptr);
    EXPECT_EQ(MMTimerThreadCount(), 0u);
    EXPECT_EQ(CTimer::Instance()->GetTick(), 0u);
    CTimer::Release();
}

TEST(Timer, AnimationInAnEditorAdvancesOnTheTimerThreadAndRepaintsItsOwnUnit) {
    CHeadlessUi& ui = CHeadlessUi::Instance();
    {
        CEditorInterface ed;
        CChangeRecorder recorder;
        ed.SetViewListener(&recorder);
        ed.SetViewSize(CSize(300, 100));
        ASSERT_TRUE(ed.ReplaceSel(CString("ab")));
        auto* animation = new zarni::CAnimate(0);
        ASSERT_EQ(animation->SetAnimate(ReadTestData("anim.gif"), {}, "[anim]"), 1);
        ASSERT_TRUE(ed.ReplaceSel(animation));
        const ZarniUUID id = animation->GetID();
        animation->Destroy();
        auto* stored = dynamic_cast<zarni::CAnimate*>(CCompressStore::Instance().Find(id));
        ASSERT_NE(stored, nullptr);

        HWND window = ui.CreateWindow(&PulsingProc);
        CTimer::Instance()->SetSynObj(window);
        ASSERT_EQ(CTimer::Instance()->SetTick(10), 1);
        // Pumps the pulses until the animation shows another frame and has been repainted.
        const auto awaitNextFrame = [&] {
            recorder.changed.clear();
            const uint32_t shown = stored->GetCurFrame();
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            while ((stored->GetCurFrame() == shown || recorder.changed.empty()) &&
                   std::chrono::steady_clock::now() < deadline) {
                ui.WaitForMessage(std::chrono::milliseconds(200));
                ui.PumpMessages();
            }
            return stored->GetCurFrame() != shown && !recorder.changed.empty();
        };
        ASSERT_TRUE(awaitNextFrame());
        CEditorView* view = ed.GetCore().GetRoot()->GetView()->GetEditorView();
        EXPECT_EQ(recorder.changed.front(), view->GetPosRect(2));
        EXPECT_EQ(view->GetPosRect(2).Size(), CSize(6, 4));

        // Undo gives the document's reference back; redo brings the same object.
        EXPECT_EQ(CCompressStore::Instance().GetRefCount(id), 2);  // document and command
        ASSERT_TRUE(ed.Undo());
        EXPECT_EQ(CCompressStore::Instance().GetRefCount(id), 1);
        ASSERT_TRUE(ed.Redo());
        EXPECT_EQ(ed.FindExternObj(id, 0, DFF_FORWARD), 2);
        // Text typed before it moves the rectangle that is repainted.
        ed.SetSel(CRange(0, 0));
        ASSERT_TRUE(ed.ReplaceSel(CString("x")));
        ASSERT_TRUE(awaitNextFrame());
        EXPECT_EQ(recorder.changed.front(), view->GetPosRect(3));
        ui.DestroyWindow(window);
    }
    // The editor and its history held the last references: the animation, its data and
    // frames, and with them the timer and its thread are gone.
    EXPECT_EQ(CCompressStore::Instance().GetObjectCount(), 0u);
    EXPECT_EQ(CCompressStore::Instance().GetSubObjectCount(), 0u);
    EXPECT_EQ(CTimer::instance_, nullptr);
    EXPECT_EQ(MMTimerThreadCount(), 0u);
}
