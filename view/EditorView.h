// CEditorView: the layer that shows the document's lines, owns the line store, the caret
// and its navigator, and tells its listeners what to repaint.
#pragma once

#include <memory>

#include "core/ZarniArray.h"
#include "model/DocListener.h"
#include "model/EditorListeners.h"
#include "model/ParaListener.h"
#include "view/Caret.h"
#include "view/HitInfo.h"
#include "view/Layer.h"
#include "view/LayerListeners.h"
#include "view/ViewStore.h"

class IViewHost;
class ICompressStoreObj;
class CCaretNavigator;

// Told of the editor view's content size and view port changes.
class IViewSizeListener {
public:
    virtual void N_ViewSizeChanged(const CSize& contentSize) = 0;
    virtual void N_ViewPortChanged(const CPoint& origin) = 0;

protected:
    ~IViewSizeListener() = default;
};

// The layer "__view": transparent, covering a rectangle that lies inside it. Lines and
// units are placed in content coordinates; the view port is the part of the content the
// window shows, and the layer's own coordinates are relative to its top-left corner.
// It follows the document (priority 4), the format store (priority 1) and the paragraph
// store (priority 0) by relaying the changed paragraphs, scrolls the last changed line into
// view, and hands the changed band to its repaint batcher, which reports it once after the
// view's own handlers (document 7, format 1034, paragraph 1026).
class CEditorView : public ILayer, public IEditorListener {
public:
    static const char* const kName;  // "__view"

    explicit CEditorView(IViewHost* host);
    virtual ~CEditorView();
    CEditorView(const CEditorView&) = delete;
    CEditorView& operator=(const CEditorView&) = delete;

    IViewHost* GetHost() const { return m_host; }
    CCaret* GetCaret() const { return m_caret.get(); }
    CCaretNavigator* GetNavigator() const { return m_navigator.get(); }
    CViewStore& GetStore() { return m_store; }

    // Line geometry (content coordinates), as the line store answers it.
    int GetLineCount() const { return m_store.GetLineCount(); }
    CRect GetLineRect(int line) const { return m_store.GetLineRect(line); }
    CRect GetUnitRect(int line, int unit) const { return m_store.GetUnitRect(line, unit); }
    CRange GetLineDocRange(int line) const { return m_store.GetLineDocRange(line); }
    CRect GetPosRect(int pos) const { return m_store.GetPosRect(pos); }
    int GetLineOfPos(int pos) const { return m_store.GetLineOfPos(pos); }
    void GetLineUnitOfPos(int pos, int& line, int& unit) const {
        m_store.GetLineUnitOfPos(pos, line, unit);
    }
    void GetVisibleLines(int& first, int& last) const { m_store.GetVisibleLines(first, last); }
    // (view width, bottom of the last line + 12).
    CSize GetContentSize() const { return m_store.GetContentSize(); }
    // What lies under a content point: with exact FALSE the caret placement (never after a
    // line's break), with exact TRUE the unit or object hit.
    HitInfo HitTest(const CPoint& point, BOOL exact);

    // The full-width band of the lines holding range (from its home's line to the line of its
    // last unit) in layer coordinates, clipped to the view port; empty for an empty range.
    CRect GetBandOfRange(const CRange& range) const;
    // Adds a layer rectangle to what the next batch reports changed.
    void MarkChanged(const CRect& layerRect) { AddToBatch(layerRect); }
    // While layout is held the lines are stale: a range whose drawing changed is noted and
    // its band repainted when the hold ends, and TRUE is answered; otherwise FALSE.
    BOOL NoteHeldChange(const CRange& range);

    // The view port in content coordinates.
    const CRect& GetViewPort() const { return m_store.GetViewPort(); }
    // Moves the view port's top-left corner (keeping its size), tells the size listeners and
    // reports the whole layer changed.
    void SetViewPort(const CPoint& origin);
    // Scrolls vertically so that the line's rectangle lies inside the view port.
    void BringLineIntoView(int line);
    void SetMode(int mode);
    int GetMode() const { return m_store.GetMode(); }
    void SetAutoScroll(BOOL on) { m_store.SetAutoScroll(on); }
    void AddSizeListener(IViewSizeListener* listener);
    void DeleteSizeListener(IViewSizeListener* listener);

    // Repaints only the object's unit (the root's listener list carries the object).
    void N_EditorNotify(uintptr_t value) override;
    // Repaints only the object's unit when it is in the visible lines.
    void RepaintObject(ICompressStoreObj* obj);

    CString GetName() override { return CString(kName); }
    // The view size: lays the document out at the new width.
    void SetSize(const CSize& size) override;
    void Draw(IXCanvas* canvas, const CRect& rect) override;
    BOOL IsTransparent() override { return TRUE; }
    BOOL Covers(const CRect& rect) override;
    void AddListener(ILayerListener* listener) override { m_layerListeners.AddListener(listener); }
    void DeleteListener(ILayerListener* listener) override {
        m_layerListeners.DeleteListener(listener);
    }
    void OnContextMenu(const CPoint& point) override { m_layerListeners.OnContextMenu(point); }
    void OnNotify(uintptr_t) override {}
    BOOL HitTest(const CPoint& point) override;

private:
    class CDocFollower;
    class CFormatFollower;
    class CParaFollower;
    class CBatcher;
    class CHoldFollower;
    friend class CDocFollower;
    friend class CFormatFollower;
    friend class CParaFollower;
    friend class CBatcher;

    // After a relayout: auto-scroll, then content size, view port and the changed band.
    void AfterRelayout();
    void AutoScroll();
    void ReportSize();
    // The batcher's flush: one N_Changed for everything accumulated.
    void FlushBatch();
    void AddToBatch(const CRect& layerRect);

    IViewHost* m_host;  // not owned
    CViewStore m_store;
    std::unique_ptr<CCaret> m_caret;
    std::unique_ptr<CCaretNavigator> m_navigator;
    zarni::CLayerListeners m_layerListeners;
    CZarniArray<IViewSizeListener*> m_sizeListeners;  // not owned
    std::unique_ptr<CDocFollower> m_docFollower;
    std::unique_ptr<CFormatFollower> m_formatFollower;
    std::unique_ptr<CParaFollower> m_paraFollower;
    std::unique_ptr<CBatcher> m_batcher;
    std::unique_ptr<CHoldFollower> m_holdFollower;
    CRect m_batch;                              // layer coordinates; empty when nothing is pending
    CRange m_heldChange;                        // noted while held; empty when none
    ICompressStoreObj* m_soleObject = nullptr;  // painted alone while set
    CRect m_solePlace;                          // its cell, in view coordinates
};
