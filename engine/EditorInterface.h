// IEditorInterface and CEditorInterface: the one object through which the window drives
// the editing engine.
#pragma once

#include <memory>

#include "engine/EditorCore.h"
#include "model/Doc.h"
#include "model/Range.h"
#include "objects/ZarniUUID.h"
#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

class CCaret;
class IDocListener;
class IDocOutputStream;
class IVCOCreator;
class IVisibleComplexObj;
namespace zarni {
class CZarniParaInfo;
}

// Every change of content or character format is built as a command and run through the
// executor, so that it can be undone; such operations answer the executor's result.
// Paragraph settings, defaults and limits are applied at once and are not undone.
class IEditorInterface {
public:
    virtual void SetRedraw(BOOL on) = 0;
    virtual void SetParagraph(const zarni::CZarniParaInfo& info) = 0;
    virtual void SetDefaultPara(const zarni::CZarniParaInfo& info) = 0;
    virtual CCaret* GetCaret() = 0;
    virtual long GetLength() = 0;
    virtual long GetTextLength() = 0;
    virtual int GetFirstVisibleLine() = 0;
    virtual BOOL GetSel(IDocOutputStream* out) = 0;
    virtual CRange GetSel() = 0;
    virtual void SetSel(const CRange& range) = 0;
    virtual CString GetSelText() = 0;
    virtual BOOL ReplaceSel(IVisibleComplexObj* obj) = 0;
    virtual BOOL ReplaceSel(const CString& text) = 0;
    virtual BOOL DeleteChar(int forward) = 0;
    virtual BOOL SetFont(const LOGFONT& lf, DWORD mask) = 0;
    virtual BOOL GetFont(LOGFONT& lf) = 0;
    virtual BOOL SetColor(const COLORREF& color) = 0;
    virtual COLORREF GetColor() = 0;
    virtual void SetDefaultColor(const COLORREF& color) = 0;
    virtual COLORREF GetDefaultColor() = 0;
    virtual void SetDefaultFont(const LOGFONT& lf) = 0;
    virtual BOOL GetDefaultFont(LOGFONT& lf) = 0;
    virtual void HideSelection(BOOL hide) = 0;
    virtual void Clear() = 0;
    virtual void UndoLimited(int limit) = 0;
    virtual BOOL CanUndo() = 0;
    virtual BOOL Undo() = 0;
    virtual BOOL CanRedo() = 0;
    virtual BOOL Redo() = 0;
    virtual void EmptyUndoQueue() = 0;
    virtual long FindTextA(DWORD flags, const CRange& range, const CString& text) = 0;
    virtual int FindExternObj(const ZarniUUID& id, int from, DOC_FIND_FLAG dir) = 0;
    virtual int QueryReserved(int what) = 0;
    virtual void SetLimit(long limit) = 0;
    virtual long GetLimit() = 0;
    virtual void SetReserved(int value) = 0;
    virtual void RegisterCreator(IVCOCreator* creator) = 0;
    virtual void UnRegisterCreator(IVCOCreator* creator) = 0;
    virtual void AddDocListener(IDocListener* listener) = 0;
    virtual void DeleteDocListener(IDocListener* listener) = 0;
    virtual ~IEditorInterface() = default;
    virtual DWORD ExcuteEOCmd(ZarniUUID id, UINT cmd, DWORD param) = 0;
};

class CEditorInterface : public IEditorInterface {
public:
    CEditorInterface() = default;
    CEditorInterface(const CEditorInterface&) = delete;
    CEditorInterface& operator=(const CEditorInterface&) = delete;

    void SetRedraw(BOOL on) override;
    // Applied at once to the paragraphs the selection touches; not undoable.
    void SetParagraph(const zarni::CZarniParaInfo& info) override;
    void SetDefaultPara(const zarni::CZarniParaInfo& info) override;
    CCaret* GetCaret() override;
    long GetLength() override;
    // Units of the whole document, each object counted by the units of its replace text.
    long GetTextLength() override;
    // No first visible line is tracked: always -1.
    int GetFirstVisibleLine() override { return -1; }
    // Streams the selection into out; 0 for a null stream.
    BOOL GetSel(IDocOutputStream* out) override;
    CRange GetSel() override;
    // Understands the special ends -1 (all), -2 (word), -3 (paragraph with its break) and
    // -4 (caret at the end); does nothing on an empty document.
    void SetSel(const CRange& range) override;
    // The selection's text without objects, every "\r" written as "\r\n".
    CString GetSelText() override;
    // Replaces the selection by the object (added to the shared store) or by the text
    // (line feeds, object placeholders, zero bytes and a final lead byte without its trail
    // removed). 0 when there is nothing to delete or insert, else the executor's result.
    BOOL ReplaceSel(IVisibleComplexObj* obj) override;
    BOOL ReplaceSel(const CString& text) override;
    // Deletes the selection, or one unit before (forward 0) or after the insertion
    // position.
    BOOL DeleteChar(int forward) override;
    // The font over the selection; mask selects the LOGFONT fields that change (0xFFFFFF
    // all). With an empty selection it becomes the typing font.
    BOOL SetFont(const LOGFONT& lf, DWORD mask) override;
    // The font at the selection's home; always 1.
    BOOL GetFont(LOGFONT& lf) override;
    BOOL SetColor(const COLORREF& color) override;
    COLORREF GetColor() override;
    void SetDefaultColor(const COLORREF& color) override;
    COLORREF GetDefaultColor() override;
    void SetDefaultFont(const LOGFONT& lf) override;
    BOOL GetDefaultFont(LOGFONT& lf) override;
    void HideSelection(BOOL hide) override;
    // Empties the document and the undo history.
    void Clear() override;
    // -1 means unlimited, 0 keeps nothing.
    void UndoLimited(int limit) override;
    BOOL CanUndo() override;
    BOOL Undo() override;
    BOOL CanRedo() override;
    BOOL Redo() override;
    void EmptyUndoQueue() override;
    // No text search is offered here: always -1.
    long FindTextA(DWORD, const CRange&, const CString&) override { return -1; }
    int FindExternObj(const ZarniUUID& id, int from, DOC_FIND_FLAG dir) override;
    int QueryReserved(int) override { return 0; }
    void SetLimit(long limit) override;
    long GetLimit() override;
    void SetReserved(int) override {}
    void RegisterCreator(IVCOCreator* creator) override;
    void UnRegisterCreator(IVCOCreator* creator) override;
    void AddDocListener(IDocListener* listener) override;
    void DeleteDocListener(IDocListener* listener) override;
    DWORD ExcuteEOCmd(ZarniUUID id, UINT cmd, DWORD param) override;

    CEditorCore& GetCore() { return m_core; }

private:
    IEditor* Root() { return m_core.GetRoot(); }

    CEditorCore m_core;
};
