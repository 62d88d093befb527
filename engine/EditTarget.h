// IEditTarget and ICaretPlacer: the editor as its engine sees it.
#pragma once

#include "platform/base/WinTypes.h"

class CEditorListeners;
class CFormatInfo;
class CLinkManager;
class CRedrawSwitch;
class IObjectPaintHost;
class IDoc;
class ISelector;

// Puts the caret at a document position: before pos, or after it when after is set; a
// negative pos is the very start. The caret belongs to the view, which the engine cannot
// see, so whoever holds both implements this.
class ICaretPlacer {
public:
    virtual void PlaceCaret(int pos, BOOL after) = 0;

protected:
    ~ICaretPlacer() = default;
};

// What commands and the short-lived workers (inputer, modifier, selection output) change
// and consult. The editor root implements it; every accessor may answer null, and the
// engine then fails the operation instead of changing half of the editor.
class IEditTarget {
public:
    virtual ISelector* GetSelector() = 0;
    virtual IDoc* GetDocument() = 0;
    virtual CFormatInfo* GetFormatInfo() = 0;
    virtual CRedrawSwitch* GetRedrawSwitch() = 0;
    virtual ICaretPlacer* GetCaretPlacer() = 0;
    // Animations inserted into the document ask for repaints through the listener list.
    virtual CEditorListeners* GetEditorListeners() = 0;
    // The view, as the painting host of external objects.
    virtual IObjectPaintHost* GetObjectPaintHost() = 0;
    virtual CLinkManager* GetLinks() = 0;

protected:
    ~IEditTarget() = default;
};
