// CParagraph: the paragraph store, keeping paragraph attributes in step with the document.
#pragma once

#include "core/Range.h"
#include "model/ColorStick.h"
#include "model/DocListener.h"
#include "model/ParaListeners.h"
#include "model/ZarniParaInfo.h"

class IDoc;
class IParaListener;
class IParaOutputStream;

// Paragraph attributes as sections over positions. A paragraph ends with, and includes, a
// line-break unit; the last one runs to the end of the document.
// Invariants: the sections are empty exactly when the document is, and otherwise cover
// [0, document length]; all units of one paragraph carry equal values (a paragraph may
// still span several sections, since sections never merge).
// Listens to the document with priority 3 from construction to destruction; the document
// must outlive it.
class CParagraph : public IDocListener {
public:
    // doc may be null (the store then only keeps its current info). Text the document
    // already holds gets the current info.
    explicit CParagraph(IDoc* doc);
    CParagraph(const CParagraph&) = delete;
    CParagraph& operator=(const CParagraph&) = delete;

    // Gives info to every paragraph that range touches (a range ending exactly at a
    // paragraph start includes that paragraph) and tells the paragraph listeners. When the
    // range holds no paragraph (an empty last paragraph, an empty document, or a range
    // ending at 0), info becomes the current info for the next insertion there. The range is
    // clipped to [0, length]; an inverted range, or one wholly outside, is ignored (0).
    virtual int SetParaInfo(const zarni::CZarniParaInfo& info, const CRange& range);
    virtual void SetDefaultPara(const zarni::CZarniParaInfo& info);
    // The current info.
    virtual zarni::CZarniParaInfo GetDefaultPara();
    // The info in force at pos; at the document end that of the last paragraph; the current
    // info for positions outside the sections or while there are none.
    virtual zarni::CZarniParaInfo GetParaInfo(int pos);
    // Sends the pieces of range (clipped to the sections) to out, in order. 0 when there are
    // no sections or out is null, else 1.
    virtual int Output(IParaOutputStream* out, const CRange& range);
    // By ascending priority, after equal ones. 0 for null, else 1.
    virtual int AddParaListener(IParaListener* l);
    // Removes the last occurrence; 1 when found, 0 otherwise.
    virtual int DeleteParaListener(IParaListener* l);
    virtual ~CParagraph();

    DocListener_Priority GetDocPriority() override { return DLP_PARAGRAPH; }
    void N_Inserting(int pos, int count) override;
    void N_Inserted(int pos, int count) override;
    void N_Deleting(int pos, int count) override;
    void N_Deleted(int pos, int count) override;

    // Read access to the sections.
    const TColorStick<zarni::CZarniParaInfo>& GetSections() const { return m_sections; }

    // Aborts unless the stick is sound and, with a document, the invariants above hold.
    void AssertValid() const;

private:
    // Tells the listeners (with the range (0, 0)) that the current info changed while no
    // section exists.
    void AnnounceCurrentWhileEmpty();
    int DocLength() const;
    // True when the unit just before pos is a line break (pos > 0).
    bool IsBreakBefore(int pos) const;

    TColorStick<zarni::CZarniParaInfo> m_sections;
    IDoc* m_doc = nullptr;  // not owned
    // The info of the whole document while there are no sections; given to text inserted
    // at the start of a paragraph, or into an empty last paragraph while pending is set.
    zarni::CZarniParaInfo m_current;
    bool m_pending = false;  // the next insertion takes m_current
    CParaListeners m_listeners;
};
