// IEditor and CEditor: the editor root that creates, owns and wires one editor's components.
#pragma once

#include <memory>

#include "engine/EditTarget.h"
#include "engine/SelListener.h"
#include "links/LinkManager.h"
#include "objects/ZarniUUID.h"
#include "platform/base/WinTypes.h"
#include "view/ViewHost.h"

class CCaret;
class CCaretNavigator;
class IMultilayerViewListener;
class CDoc;
class CEditorListeners;
class CFormatCreator;
class CFormatInfo;
class CLinkManager;
class CMultilayerView;
class CParagraph;
class CRedrawSwitch;
class CSelHighlight;
class CSelector;
class IDoc;
class IDocListener;
class ISelector;
class IVCOCreator;

// Components receive the root at construction and find each other only through its
// accessors, so the construction order is binding: later components look earlier ones up.
// The engine and the view sit side by side and do not see each other: each receives the root
// through its own narrow interface (IEditTarget, IViewHost), and the root carries between
// them what one needs of the other (the caret after a deletion, selection changes for the
// caret navigator, the highlighted selection for painting).
class IEditor {
public:
    virtual CEditorListeners* GetEditorListeners() = 0;
    virtual CRedrawSwitch* GetRedrawSwitch() = 0;
    virtual ISelector* GetSelector() = 0;
    virtual CCaret* GetCaret() = 0;
    virtual IDoc* GetDocument() = 0;
    virtual CFormatInfo* GetFormatInfo() = 0;
    virtual CMultilayerView* GetView() = 0;
    virtual void SetViewListener(IMultilayerViewListener* listener) = 0;
    virtual CParagraph* GetParagraph() = 0;
    virtual CSelHighlight* GetSelHighlight() = 0;
    virtual CLinkManager* GetLinks() = 0;
    // The result of the command operation of the object with this id in the shared object
    // store; 0 when no object has the id or it takes no commands.
    virtual DWORD ExcuteEOCmd(ZarniUUID id, UINT cmd, DWORD param) = 0;
    virtual void RegisterCreator(IVCOCreator* creator) = 0;
    virtual void UnRegisterCreator(IVCOCreator* creator) = 0;
    virtual int AddDocListener(IDocListener* listener) = 0;
    virtual int DeleteDocListener(IDocListener* listener) = 0;
    virtual ~IEditor() = default;
    virtual CCaretNavigator* GetNavigator() = 0;
};

class CEditor : public IEditor,
                public IEditTarget,
                public IViewHost,
                public ILinkManagerHost,
                private ICaretPlacer,
                private ISelListener {
public:
    // Creates the listener list, the redraw switch, the document, the selector, the format
    // store, the paragraph store, the view, the link manager and the selection highlighter,
    // in that order, then registers the built-in object and format creators.
    CEditor();
    // Destroys in the reverse dependency order and unregisters the creators.
    ~CEditor() override;
    CEditor(const CEditor&) = delete;
    CEditor& operator=(const CEditor&) = delete;

    CEditorListeners* GetEditorListeners() override { return m_listeners.get(); }
    CRedrawSwitch* GetRedrawSwitch() override { return m_redrawSwitch.get(); }
    ISelector* GetSelector() override;
    CCaret* GetCaret() override;
    IDoc* GetDocument() override;
    CFormatInfo* GetFormatInfo() override { return m_formatInfo.get(); }
    CMultilayerView* GetView() override { return m_view.get(); }
    void SetViewListener(IMultilayerViewListener* listener) override;
    CParagraph* GetParagraph() override { return m_paragraph.get(); }
    CSelHighlight* GetSelHighlight() override { return m_selHighlight.get(); }
    CLinkManager* GetLinks() override { return m_links.get(); }
    DWORD ExcuteEOCmd(ZarniUUID id, UINT cmd, DWORD param) override;
    void RegisterCreator(IVCOCreator* creator) override;
    void UnRegisterCreator(IVCOCreator* creator) override;
    int AddDocListener(IDocListener* listener) override;
    int DeleteDocListener(IDocListener* listener) override;
    CCaretNavigator* GetNavigator() override;

    // IEditTarget: the caret placer is the root itself while the view has a caret.
    ICaretPlacer* GetCaretPlacer() override;
    IObjectPaintHost* GetObjectPaintHost() override;
    // IViewHost: the selector's range, and that range while the highlighter shows it.
    CRange GetSelection() override;
    void SetSelection(const CRange& range) override;
    CRange GetHighlightedSelection() override;

    // The concrete document and selector, for the engine's own checks.
    CDoc* GetDoc() const { return m_document.get(); }
    CSelector* GetSel() const { return m_selector.get(); }

private:
    void PlaceCaret(int pos, BOOL after) override;
    // Link changes repaint the lines they cover.
    void RepaintLinks(const CRange& range, BOOL now) override;
    // Selection changes reach the view's caret navigator through the root.
    void N_SelChanging(const CRange& oldSel, const CRange& newSel) override;
    void N_SelChanged(const CRange& oldSel, const CRange& newSel) override;

    std::unique_ptr<CEditorListeners> m_listeners;
    std::unique_ptr<CRedrawSwitch> m_redrawSwitch;
    std::unique_ptr<CDoc> m_document;
    std::unique_ptr<CSelector> m_selector;
    std::unique_ptr<CFormatInfo> m_formatInfo;
    std::unique_ptr<CParagraph> m_paragraph;
    std::unique_ptr<CMultilayerView> m_view;
    std::unique_ptr<CLinkManager> m_links;
    std::unique_ptr<CSelHighlight> m_selHighlight;
    IVCOCreator* m_objectCreator = nullptr;  // process-wide, not owned
    std::unique_ptr<CFormatCreator> m_formatCreator;
};
