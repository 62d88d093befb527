// CDeleteRangeCommand: deletes a range, keeping its units, objects and fonts and colours in
// a private scratch document so that undo can put them back exactly.
#pragma once

#include <memory>

#include "core/Range.h"
#include "engine/CommandBase.h"

class CDoc;
class CFormatInfo;

// The scratch document holds the removed units with their objects (each object keeps one
// store reference through it, so it survives while the command lives) and the scratch
// format store their font and colour runs, based at 0. Both are made on first use and
// emptied by every Do. Links and paragraph settings of the range are not kept.
class CDeleteRangeCommand : public CCommandBase {
public:
    explicit CDeleteRangeCommand(const CRange& range) : m_range(range) {}
    ~CDeleteRangeCommand() override;
    CDeleteRangeCommand(const CDeleteRangeCommand&) = delete;
    CDeleteRangeCommand& operator=(const CDeleteRangeCommand&) = delete;

    // A deep copy: the scratch content and its formats are copied into the clone's own
    // scratch stores.
    ICommand* Clone() override;
    // Clips the range to the text (0 when nothing remains, so an empty range or one wholly
    // outside fails), keeps its content and formats, selects it and deletes it.
    BOOL Do() override;
    // Inserts the kept content at range.home, re-applies its fonts and colours there and
    // puts the insertion position at range.end. The document's limit is lifted for the
    // insertion: undo restores what was there, even past a limit lowered since.
    BOOL Undo() override;

    // The range, clipped to the text by the last Do.
    const CRange& GetRange() const { return m_range; }
    // The kept content, null before the first Do.
    CDoc* GetScratchDoc() const { return m_scratchDoc.get(); }
    CFormatInfo* GetScratchFormat() const { return m_scratchFormat.get(); }

    // Aborts unless the scratch stores are valid and hold exactly the range's length.
    void AssertValid() const;

private:
    // Makes empty scratch stores, dropping any earlier content.
    void ResetScratch();
    void DropScratch();

    CRange m_range;
    std::unique_ptr<CDoc> m_scratchDoc;  // null until the first Do
    // Follows m_scratchDoc, and leaves its listeners before the document goes.
    std::unique_ptr<CFormatInfo> m_scratchFormat;
};
