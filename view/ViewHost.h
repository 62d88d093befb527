// IViewHost: the editor as its view sees it.
#pragma once

#include "core/Range.h"

class CEditorListeners;
class CFormatInfo;
class CLinkManager;
class CParagraph;
class CRedrawSwitch;
class IDoc;

// The view lays out and paints the document with its formats and paragraphs and follows
// their listeners. The selection belongs to the engine beside the view, which the view
// cannot see: it reads and sets it through here, and whoever holds both tells the view's
// caret navigator of selection changes. The editor root implements it; the model accessors
// may answer null.
class IViewHost {
public:
    virtual IDoc* GetDocument() = 0;
    virtual CFormatInfo* GetFormatInfo() = 0;
    virtual CParagraph* GetParagraph() = 0;
    virtual CEditorListeners* GetEditorListeners() = 0;
    virtual CRedrawSwitch* GetRedrawSwitch() = 0;
    // The links painted over the text; may answer null.
    virtual CLinkManager* GetLinks() = 0;
    virtual CRange GetSelection() = 0;
    virtual void SetSelection(const CRange& range) = 0;
    // The selection while it is shown highlighted, else an empty range.
    virtual CRange GetHighlightedSelection() = 0;

protected:
    ~IViewHost() = default;
};
