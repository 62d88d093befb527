// IEditorInterface and CEditorInterface: the one object through which the window drives
// the editing engine.
#pragma once

#include <memory>
#include <string>

#include "core/Range.h"
#include "editor/EditorCore.h"
#include "engine/InsertObjectCommand.h"
#include "links/LinkManager.h"
#include "model/Doc.h"
#include "objects/ZarniUUID.h"
#include "platform/base/String.h"
#include "platform/base/WinTypes.h"
#include "view/BackgroundLayer.h"
#include "view/FormatType.h"
#include "view/HitInfo.h"

class CCaret;
class CCaretNavigator;
class CEditorView;
class ICaretListener;
class ILayer;
class IMultilayerViewListener;
class IDocListener;
class IAnimate;
class IDocOutputStream;
class IExternalObj;
class ILinkInfo;
class IVCOCreator;
class IVisibleComplexObj;
namespace zarni {
class CLinkInfo;
class CZarniParaInfo;
}  // namespace zarni

// Every change of content or character format is built as a command and run through the
// executor, so that it can be undone; such operations answer the executor's result.
// Paragraph settings, defaults and limits are applied at once and are not undone.
// Special selection ends understood by SetSel: the whole text, the word, the paragraph (with
// its break) at the home, and the caret at the end of the text.
// Whether the editor may read and write a clipboard format; non-zero for yes.
class IClipBoardFormatProvider {
public:
    virtual int QuerySupportClipBoardFormat(UINT format) = 0;

protected:
    ~IClipBoardFormatProvider() = default;
};

// The provider used when the host sets none: every format is allowed.
class CDefaultClipBoardFormatProvider : public IClipBoardFormatProvider {
public:
    int QuerySupportClipBoardFormat(UINT) override { return 1; }
};

// The name under which the private clipboard format (a selection in the editor text
// format) is registered; every editor and every program using the name shares its number.
constexpr const char* kZarniClipFormatName = "ZARNIED_CLIP_FORMAT";

enum SEL_SPECIAL_END : int {
    SEL_ALL = -1,
    SEL_WORD = -2,
    SEL_PARAGRAPH = -3,
    SEL_DOC_END = -4,
};

class IEditorInterface {
public:
    virtual void SetAutoScroll(BOOL on) = 0;
    virtual BOOL RemoveLink(const ZarniUUID& outId) = 0;
    virtual SLinkRun GetLinkAt(int pos) = 0;
    virtual void SetLink(const CRange& range, ILinkInfo* link) = 0;
    virtual void SetRedraw(BOOL on) = 0;
    virtual void SetParagraph(const zarni::CZarniParaInfo& info) = 0;
    virtual void SetDefaultPara(const zarni::CZarniParaInfo& info) = 0;
    virtual CCaret* GetCaret() = 0;
    virtual long GetLength() = 0;
    virtual long GetTextLength() = 0;
    virtual int GetLineCount() = 0;
    virtual CString GetLine(int line) = 0;
    virtual int GetFirstVisibleLine() = 0;
    virtual int LineIndex(int line) = 0;
    virtual int LineLength(int line) = 0;
    virtual BOOL GetSel(IDocOutputStream* out) = 0;
    virtual CRange GetSel() = 0;
    virtual void SetSel(const CRange& range) = 0;
    virtual CString GetSelText() = 0;
    virtual BOOL ReplaceSel(zarni::CLinkInfo* link) = 0;
    virtual BOOL ReplaceSel(IExternalObj* obj) = 0;
    virtual BOOL ReplaceSel(IVisibleComplexObj* obj) = 0;
    virtual BOOL ReplaceSel(const CString& text) = 0;
    virtual BOOL ReplaceSelToETF(const std::string& content) = 0;
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
    virtual BOOL Save(const char* path) = 0;
    virtual BOOL Load(const char* path) = 0;
    virtual BOOL SaveTo(std::string& out, const CRange& range) = 0;
    virtual BOOL LoadFrom(const std::string& data, UINT pos) = 0;
    virtual long FindTextA(DWORD flags, const CRange& range, const CString& text) = 0;
    virtual int FindExternObj(const ZarniUUID& id, int from, DOC_FIND_FLAG dir) = 0;
    virtual int QueryReserved(int what) = 0;
    virtual void SetLimit(long limit) = 0;
    virtual long GetLimit() = 0;
    virtual UINT GetClipBoardFormat() = 0;
    virtual void SetClipBoardFormatProvider(IClipBoardFormatProvider* provider) = 0;
    virtual void Copy() = 0;
    virtual void Cut() = 0;
    virtual void Paste() = 0;
    virtual BOOL CanPaste(UINT format) = 0;
    virtual void SetReserved(int value) = 0;
    virtual void SetViewSize(const CSize& size) = 0;
    virtual CSize GetContentSize() = 0;
    virtual void SetViewPort(const CPoint& origin) = 0;
    virtual void ReDrawWnd(const CRect& rect, BOOL compose) = 0;
    virtual HitInfo HitTest(const CPoint& point, BOOL exact) = 0;
    virtual void SetCaretByHit(HitInfo hit) = 0;
    virtual void SetViewListener(IMultilayerViewListener* listener) = 0;
    virtual void SetCaretListener(ICaretListener* listener) = 0;
    virtual void RegisterCreator(IVCOCreator* creator) = 0;
    virtual void UnRegisterCreator(IVCOCreator* creator) = 0;
    virtual void AddDocListener(IDocListener* listener) = 0;
    virtual void DeleteDocListener(IDocListener* listener) = 0;
    virtual ~IEditorInterface() = default;
    virtual BOOL ReplaceSel(IAnimate* animation) = 0;
    virtual HGLOBAL RenderClipBoardData(UINT format) = 0;
    virtual BOOL FreeClipBoardData(HGLOBAL data) = 0;
    virtual BOOL SetBackColor(COLORREF color) = 0;
    virtual BOOL SetBackImage(const std::string& picture, IMAGE_PLACEMENT placement) = 0;
    virtual void AddLayer(ILayer* layer) = 0;
    virtual void DeleteLayer(ILayer* layer) = 0;
    virtual void SetBGLayer(ILayer* layer) = 0;
    virtual DWORD ExcuteEOCmd(ZarniUUID id, UINT cmd, DWORD param) = 0;
    virtual ILayer* GetLayerFromPoint(const CPoint& point) = 0;
    virtual void MoveHome(BOOL extend) = 0;
    virtual void MoveEnd(BOOL extend) = 0;
    virtual void MoveDocHome(BOOL extend) = 0;
    virtual void MoveDocEnd(BOOL extend) = 0;
    virtual void MovePageDown(BOOL extend) = 0;
    virtual void MovePageUp(BOOL extend) = 0;
    virtual void MoveDown(BOOL extend) = 0;
    virtual void MoveUp(BOOL extend) = 0;
    virtual void MoveLeft(BOOL extend) = 0;
    virtual void MoveRight(BOOL extend) = 0;
    virtual void MoveTo(int line, int unit, BOOL extend) = 0;
    virtual void SetEditorMode(FORMAT_TYPE mode) = 0;
};

class CEditorInterface : public IEditorInterface {
public:
    // Registers the private clipboard format.
    CEditorInterface();
    CEditorInterface(const CEditorInterface&) = delete;
    CEditorInterface& operator=(const CEditorInterface&) = delete;

    // Scrolling to the last changed line after every relayout (wrap mode).
    void SetAutoScroll(BOOL on) override;
    // The link manager's: removal by the host's out id (non-zero when a run went), the
    // run at a position (the empty link's where none lies) and a link laid over a range.
    BOOL RemoveLink(const ZarniUUID& outId) override;
    SLinkRun GetLinkAt(int pos) override;
    void SetLink(const CRange& range, ILinkInfo* link) override;
    void SetRedraw(BOOL on) override;
    // Applied at once to the paragraphs the selection touches; not undoable.
    void SetParagraph(const zarni::CZarniParaInfo& info) override;
    void SetDefaultPara(const zarni::CZarniParaInfo& info) override;
    CCaret* GetCaret() override;
    long GetLength() override;
    // Units of the whole document, each object counted by the units of its replace text.
    long GetTextLength() override;
    int GetLineCount() override;
    // The text of one view line, objects as their replace text.
    CString GetLine(int line) override;
    // No first visible line is tracked: always -1.
    int GetFirstVisibleLine() override { return -1; }
    // Home of the line's document range, and its length (0 when inverted).
    int LineIndex(int line) override;
    int LineLength(int line) override;
    // Streams the selection into out; 0 for a null stream.
    BOOL GetSel(IDocOutputStream* out) override;
    CRange GetSel() override;
    // Understands the special ends -1 (all), -2 (word), -3 (paragraph with its break) and
    // -4 (caret at the end); does nothing on an empty document.
    void SetSel(const CRange& range) override;
    // The selection's text without objects, every "\r" written as "\r\n".
    CString GetSelText() override;
    // Replaces the selection by the link's text with the link over it, by an object (added
    // to the shared store; an external object gets the view as its painting host, an
    // animation the editor's listener list as its painter) or by the text (line feeds,
    // object placeholders, zero bytes and a final lead byte without its trail removed). 0
    // when there is nothing to delete or insert, else the executor's result.
    BOOL ReplaceSel(zarni::CLinkInfo* link) override;
    BOOL ReplaceSel(IExternalObj* obj) override;
    BOOL ReplaceSel(IVisibleComplexObj* obj) override;
    BOOL ReplaceSel(const CString& text) override;
    // Replaces the selection by content in the editor text format; 0 when there is nothing
    // to delete and the content is empty, else the executor's result.
    BOOL ReplaceSelToETF(const std::string& content) override;
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
    // The whole document to a file in the editor text format; 0 for a null path or a file
    // error (shown in a message box).
    BOOL Save(const char* path) override;
    // Replaces the document by a file's content. The file is read and its header checked
    // before anything changes, so a missing or foreign file leaves the document as it was;
    // then the document and the history are cleared and the content read in.
    BOOL Load(const char* path) override;
    // The range in the editor text format, appended to out; 0 for an empty or inverted
    // range.
    BOOL SaveTo(std::string& out, const CRange& range) override;
    // Inserts the content at pos (not undoably: the history is emptied when the document
    // changed, since its positions no longer match); 0 for a position past the end or a
    // wrong header.
    BOOL LoadFrom(const std::string& data, UINT pos) override;
    // No text search is offered here: always -1.
    long FindTextA(DWORD, const CRange&, const CString&) override { return -1; }
    int FindExternObj(const ZarniUUID& id, int from, DOC_FIND_FLAG dir) override;
    int QueryReserved(int) override { return 0; }
    void SetLimit(long limit) override;
    long GetLimit() override;
    UINT GetClipBoardFormat() override { return m_clipFormat; }
    // Null restores the built-in provider, which allows every format.
    void SetClipBoardFormatProvider(IClipBoardFormatProvider* provider) override;
    // The selection to the clipboard as text and in the private format, as far as the
    // provider allows; nothing happens for an empty selection or a busy clipboard.
    void Copy() override;
    // Copy, then the selection is deleted (undoably).
    void Cut() override;
    // Inserts the clipboard's private content, or else its text, at the selection as one
    // undoable step; nothing happens when the clipboard is busy or offers neither.
    void Paste() override;
    // Non-zero only for the text and picture formats the provider allows.
    BOOL CanPaste(UINT format) override;
    void SetReserved(int) override {}
    // The window's size: the view lays the document out at its width.
    void SetViewSize(const CSize& size) override;
    CSize GetContentSize() override;
    void SetViewPort(const CPoint& origin) override;
    void ReDrawWnd(const CRect& rect, BOOL compose) override;
    // What lies under a point in view (window) coordinates.
    HitInfo HitTest(const CPoint& point, BOOL exact) override;
    void SetCaretByHit(HitInfo hit) override;
    void SetViewListener(IMultilayerViewListener* listener) override;
    void SetCaretListener(ICaretListener* listener) override;
    void RegisterCreator(IVCOCreator* creator) override;
    void UnRegisterCreator(IVCOCreator* creator) override;
    void AddDocListener(IDocListener* listener) override;
    void DeleteDocListener(IDocListener* listener) override;
    BOOL ReplaceSel(IAnimate* animation) override;
    // A shared global block holding the selection as zero-terminated text (CF_TEXT) or in
    // the private format; null for other formats, an empty selection or no memory.
    HGLOBAL RenderClipBoardData(UINT format) override;
    // 1 for null; else 1 when the block was freed.
    BOOL FreeClipBoardData(HGLOBAL data) override;
    BOOL SetBackColor(COLORREF color) override;
    BOOL SetBackImage(const std::string& picture, IMAGE_PLACEMENT placement) override;
    void AddLayer(ILayer* layer) override;
    void DeleteLayer(ILayer* layer) override;
    void SetBGLayer(ILayer* layer) override;
    DWORD ExcuteEOCmd(ZarniUUID id, UINT cmd, DWORD param) override;
    ILayer* GetLayerFromPoint(const CPoint& point) override;
    // Caret moves; with extend the selection runs from the anchor to the caret.
    void MoveHome(BOOL extend) override;
    void MoveEnd(BOOL extend) override;
    void MoveDocHome(BOOL extend) override;
    void MoveDocEnd(BOOL extend) override;
    void MovePageDown(BOOL extend) override;
    void MovePageUp(BOOL extend) override;
    void MoveDown(BOOL extend) override;
    void MoveUp(BOOL extend) override;
    void MoveLeft(BOOL extend) override;
    void MoveRight(BOOL extend) override;
    void MoveTo(int line, int unit, BOOL extend) override;
    void SetEditorMode(FORMAT_TYPE mode) override;

    CEditorCore& GetCore() { return m_core; }

private:
    CEditor* Root() { return m_core.GetRoot(); }
    // Deletes the selection and inserts the stored copy of obj as the given kind.
    BOOL ReplaceSelByObject(ICompressStoreObj* obj, EInsertedObject kind);
    // The editor view, or null.
    CEditorView* View();
    CCaretNavigator* Navigator();

    CEditorCore m_core;
    CDefaultClipBoardFormatProvider m_defaultProvider;
    IClipBoardFormatProvider* m_clipProvider = &m_defaultProvider;  // not owned
    UINT m_clipFormat = 0;
};
