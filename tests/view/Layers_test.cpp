// The layer stack: order, composition from the lowest opaque covering layer, background
// replacement, redraw switching and what reaches the host.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/Editor.h"
#include "model/RedrawSwitch.h"
#include "platform/base/CodePage.h"
#include "platform/ui/headless/HeadlessUi.h"
#include "view/MultilayerView.h"

namespace {

// A host layer that records what it is asked to draw.
class RecordingLayer : public ILayer {
public:
    RecordingLayer(const char* name, std::vector<std::string>* log, bool opaque = false)
        : m_name(name), m_log(log), m_opaque(opaque) {}
    CString GetName() override { return CString(m_name); }
    void SetSize(const CSize& size) override { m_size = size; }
    void Draw(IXCanvas*, const CRect& r) override {
        m_log->push_back(std::string(m_name) + " " + std::to_string(r.left) + "," +
                         std::to_string(r.top) + "," + std::to_string(r.right) + "," +
                         std::to_string(r.bottom));
    }
    BOOL IsTransparent() override { return m_opaque ? FALSE : TRUE; }
    BOOL Covers(const CRect&) override { return m_opaque ? TRUE : FALSE; }
    void AddListener(ILayerListener* l) override { m_listeners.AddListener(l); }
    void DeleteListener(ILayerListener* l) override { m_listeners.DeleteListener(l); }
    void OnContextMenu(const CPoint&) override {}
    void OnNotify(uintptr_t) override {}
    BOOL HitTest(const CPoint& p) override {
        return CRect(0, 0, m_size.cx, m_size.cy).PtInRect(p) ? TRUE : FALSE;
    }
    void Change(const CRect& r) { m_listeners.N_Changed(this, r); }
    CSize m_size;

private:
    const char* m_name;
    std::vector<std::string>* m_log;
    bool m_opaque;
    zarni::CLayerListeners m_listeners;
};

class HostListener : public IMultilayerViewListener {
public:
    void N_Changed(IXCanvas* surface, const CRect& r) override {
        changed.push_back(r);
        lastSurface = surface;
    }
    void N_ReservePaintRgn(const ZarniUUID&, const CRect&) override {}
    void OnContextMenu(const CPoint&) override {}
    void N_EditorViewSizeChanged(const CSize&) override { ++sizeReports; }
    void N_EditorViewPortChanged(const CPoint& p) override { ports.push_back(p); }
    std::vector<CRect> changed;
    std::vector<CPoint> ports;
    IXCanvas* lastSurface = nullptr;
    int sizeReports = 0;
};

std::vector<std::string> Names(CMultilayerView& view) {
    std::vector<std::string> names;
    for (uint32_t i = 0; i < view.GetLayerCount(); ++i) {
        names.push_back(view.GetLayer(i)->GetName().GetString());
    }
    return names;
}

}  // namespace

TEST(Layers, HostLayersStackAboveTheBuiltInOnes) {
    CEditor editor;
    CMultilayerView& view = *editor.GetView();
    std::vector<std::string> log;
    RecordingLayer first("first", &log), second("second", &log), named("__view", &log);
    view.AddLayer(&first);
    view.AddLayer(&second);
    view.AddLayer(&named);
    view.AddLayer(nullptr);
    EXPECT_EQ(Names(view),
              (std::vector<std::string>{"__background", "__view", "__view", "first", "second"}));
    view.SetSize(CSize(100, 50));
    EXPECT_EQ(first.m_size, CSize(100, 50));
    EXPECT_EQ(view.GetLayerFromPoint(CPoint(10, 10)), &second);
    EXPECT_EQ(view.GetLayerFromPoint(CPoint(100, 10)), nullptr);
    view.DeleteLayer(&named);
    view.DeleteLayer(&named);  // absent: nothing
    EXPECT_EQ(view.GetLayerCount(), 4u);
    view.DeleteLayer(&first);
    view.DeleteLayer(&second);
}

TEST(Layers, ChangesComposeFromTheLowestOpaqueCoveringLayer) {
    CEditor editor;
    CMultilayerView& view = *editor.GetView();
    HostListener host;
    view.AddListener(&host);
    view.SetSize(CSize(200, 100));
    ASSERT_NE(view.GetSurface(), nullptr);
    std::vector<std::string> log;
    RecordingLayer cover("cover", &log, true), top("top", &log);
    view.AddLayer(&cover);
    view.AddLayer(&top);
    host.changed.clear();

    top.Change(CRect(1, 2, 3, 4));  // "cover" is opaque and covers it: composing starts there
    EXPECT_EQ(log, (std::vector<std::string>{"cover 1,2,3,4", "top 1,2,3,4"}));
    ASSERT_EQ(host.changed.size(), 1u);
    EXPECT_EQ(host.changed[0], CRect(1, 2, 3, 4));
    EXPECT_EQ(host.lastSurface, view.GetSurface());

    log.clear();
    top.Change(CRect(5, 5, 5, 9));  // empty: never passed on
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(host.changed.size(), 1u);

    // While redraw is off nothing is composed or reported; switching on repaints it all.
    host.sizeReports = 0;
    host.ports.clear();
    editor.GetRedrawSwitch()->SetRedraw(FALSE);
    top.Change(CRect(0, 0, 10, 10));
    view.ReDrawWnd(CRect(0, 0, 10, 10), TRUE);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(host.changed.size(), 1u);
    editor.GetRedrawSwitch()->SetRedraw(TRUE);
    EXPECT_EQ(host.changed.back(), CRect(0, 0, 200, 100));
    EXPECT_EQ(host.sizeReports, 1);
    EXPECT_EQ(host.ports.size(), 1u);

    view.SetViewPort(CPoint(0, -5));  // a negative y means the top
    EXPECT_EQ(host.ports.back(), CPoint(0, 0));
    view.DeleteLayer(&cover);
    view.DeleteLayer(&top);
    view.DeleteListener(&host);
}

TEST(Layers, HostBackgroundRefusesColourAndPictureUntilRestored) {
    CEditor editor;
    CMultilayerView& view = *editor.GetView();
    view.SetSize(CSize(40, 30));
    CHeadlessUi& ui = CHeadlessUi::Instance();
    ui.ClearMessageBoxes();
    EXPECT_TRUE(view.SetBackColor(RGB(1, 2, 3)));
    std::vector<std::string> log;
    RecordingLayer host("mybg", &log, true);
    view.SetBGLayer(&host);
    EXPECT_EQ(view.GetLayer(0), &host);
    EXPECT_EQ(host.m_size, CSize(40, 30));
    EXPECT_FALSE(log.empty());  // the new background was painted at once
    EXPECT_FALSE(view.SetBackColor(RGB(1, 2, 3)));
    EXPECT_FALSE(view.SetBackImage("", IP_TILE));
    ASSERT_EQ(ui.GetMessageBoxes().size(), 2u);
    EXPECT_EQ(ui.GetMessageBoxes()[0].type, MB_OK);
    EXPECT_EQ(std::string(ui.GetMessageBoxes()[0].text.GetString()),
              CCodePage::FromUtf8("自定义背景类不支持背景颜色的设置"));
    view.SetBGLayer(nullptr);
    EXPECT_EQ(Names(view)[0], "__background");
    EXPECT_TRUE(view.SetBackColor(RGB(1, 2, 3)));
    ui.ClearMessageBoxes();
}
