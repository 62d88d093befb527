// IEditor and CEditor: the editor root that creates, owns and wires one editor's components.
#pragma once

#include "objects/ZarniUUID.h"
#include "platform/base/WinTypes.h"

class CCaret;
class CCaretNavigator;
class IMultilayerViewListener;
class CDoc;
class CEditorListeners;
class CFormatCreator;
class CFormatInfo;
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

class CEditor : public IEditor {
public:
    // Creates the listener list, the redraw switch, the document, the selector, the format
    // store, the paragraph store, the view and the selection highlighter, in that order,
    // then registers the built-in object and format creators.
    CEditor();
    // Destroys in the reverse dependency order and unregisters the creators.
    ~CEditor() override;
    CEditor(const CEditor&) = delete;
    CEditor& operator=(const CEditor&) = delete;

    CEditorListeners* GetEditorListeners() override { return m_listeners; }
    CRedrawSwitch* GetRedrawSwitch() override { return m_redrawSwitch; }
    ISelector* GetSelector() override;
    CCaret* GetCaret() override;
    IDoc* GetDocument() override;
    CFormatInfo* GetFormatInfo() override { return m_formatInfo; }
    CMultilayerView* GetView() override { return m_view; }
    void SetViewListener(IMultilayerViewListener* listener) override;
    CParagraph* GetParagraph() override { return m_paragraph; }
    CSelHighlight* GetSelHighlight() override { return m_selHighlight; }
    DWORD ExcuteEOCmd(ZarniUUID id, UINT cmd, DWORD param) override;
    void RegisterCreator(IVCOCreator* creator) override;
    void UnRegisterCreator(IVCOCreator* creator) override;
    int AddDocListener(IDocListener* listener) override;
    int DeleteDocListener(IDocListener* listener) override;
    CCaretNavigator* GetNavigator() override;

    // The concrete document and selector, for the engine's own checks.
    CDoc* GetDoc() const { return m_document; }
    CSelector* GetSel() const { return m_selector; }

private:
    CEditorListeners* m_listeners = nullptr;
    CRedrawSwitch* m_redrawSwitch = nullptr;
    CDoc* m_document = nullptr;
    CSelector* m_selector = nullptr;
    CFormatInfo* m_formatInfo = nullptr;
    CParagraph* m_paragraph = nullptr;
    CMultilayerView* m_view = nullptr;
    CSelHighlight* m_selHighlight = nullptr;
    IVCOCreator* m_objectCreator = nullptr;  // process-wide, not owned
    CFormatCreator* m_formatCreator = nullptr;
};
