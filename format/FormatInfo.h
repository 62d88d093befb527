// CFormatInfo: the format store, fonts and colours over the document's positions.
#pragma once

#include "core/Owned.h"
#include "core/Range.h"
#include "format/ColorInfo.h"
#include "format/FontInfo.h"
#include "format/SAttrStick.h"
#include "model/DocListener.h"
#include "model/DocListeners.h"

class IDoc;
class IFormatOutputStream;

// Holds the font and the colour of every position in two sticks of shared records, the
// default font and colour, the typing attributes of an empty selection and a list of
// listeners told of every format change. It follows the document as its listener of
// priority 1.
//
// Invariant: with document length L > 0 both sticks cover exactly [0, L]; with L == 0 both
// are empty. Insertions into an empty stick fill it with the default over the whole text,
// SetFont/SetColor clip their range to the text, and deletions are clipped the same way
// the document clips them.
class CFormatInfo : public IDocListener {
public:
    // Registers with doc (when not null) and covers any text it already holds with the
    // defaults. The document must outlive the store.
    explicit CFormatInfo(IDoc* doc);
    CFormatInfo(const CFormatInfo&) = delete;
    CFormatInfo& operator=(const CFormatInfo&) = delete;

    // 0 for a null font or one with the null id. An empty range (end <= home) makes the
    // font the typing font for an insertion at range.home (1, nothing else changes).
    // Otherwise the range is clipped to the text: when nothing remains, 0 and nothing
    // changes; else the listeners are told N_Inserting/N_Inserted (clipped home, length)
    // around the assignment, and 1.
    virtual int SetFont(CFontInfo* font, const CRange& range);
    // The font in force at pos (at the end of the text, that of the last unit); the default
    // font when no section holds pos. Owned by the store.
    virtual CFontInfo* GetFont(int pos);
    virtual int SetColor(CColorInfo* color, const CRange& range);
    virtual CColorInfo* GetColor(int pos);
    virtual CFontInfo GetDefaultFont();
    // Takes lf and id; a record with the null id is ignored. Text already formatted keeps
    // its font.
    virtual void SetDefaultFont(const CFontInfo& font);
    virtual void SetDefaultColor(const CColorInfo& color);
    virtual CColorInfo GetDefaultColor();
    // Sends all fonts, then all colours, over range (clipped to the text) to out. With no
    // text the defaults are sent once each with range. 0 for a null out, else 1.
    virtual int Output(IFormatOutputStream* out, const CRange& range);
    // In priority order (equal priorities in registration order); 0 for null, else 1.
    virtual int AddFormatListener(IDocListener* listener);
    // Removes every occurrence; always 1.
    virtual int DeleteFormatListener(IDocListener* listener);
    // Unregisters from the document.
    virtual ~CFormatInfo();

    // Following the document.
    DocListener_Priority GetDocPriority() override { return DLP_FORMAT; }
    void N_Inserting(int, int) override {}
    // The inserted units take the font and colour to their left (at 0, of the first unit),
    // or the typing attributes when they were set for pos; typing attributes are dropped by
    // every insertion.
    void N_Inserted(int pos, int count) override;
    // Removes the units from both sticks before they leave the text.
    void N_Deleting(int pos, int count) override;
    void N_Deleted(int, int) override {}

    IDoc* GetDoc() const { return m_doc; }
    const CSAttrStick& GetFontStick() const { return m_fonts; }
    const CSAttrStick& GetColorStick() const { return m_colors; }
    // The typing attributes, null when not set, and the position they wait for.
    const CFontInfo* GetPendingFont() const { return m_pendingFont.get(); }
    const CColorInfo* GetPendingColor() const { return m_pendingColor.get(); }
    int GetPendingPos() const { return m_pendingPos; }

    // Aborts unless both sticks are valid, hold only records of their kind, and cover the
    // document as the invariant above says.
    void AssertValid() const;

private:
    int DocLength() const;
    // Fills an empty stick with the default over the whole text.
    void CoverWithDefaults();
    // Follows an insertion on one stick.
    void Follow(CSAttrStick& stick, ICompressStoreObj* fallback, int pos, int count);
    int Apply(CSAttrStick& stick, ICompressStoreObj* record, const CRange& range);
    void DropPending();

    IDoc* m_doc;  // not owned
    CFontInfo m_defaultFont;
    CColorInfo m_defaultColor;
    CSAttrStick m_fonts;
    CSAttrStick m_colors;
    CDocListeners m_listeners;          // not owned
    TOwned<CFontInfo> m_pendingFont;    // null when not set
    TOwned<CColorInfo> m_pendingColor;  // null when not set
    int m_pendingPos = -1;              // where the typing attributes apply; -1 for none
};
