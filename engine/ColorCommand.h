// CColorCommand: sets the text colour over a range; undo re-applies the colours it replaced.
#pragma once

#include <memory>

#include "core/Range.h"
#include "core/ZarniArray.h"
#include "engine/CommandBase.h"
#include "engine/SavedRuns.h"
#include "format/FormatOutputStream.h"
#include "format/SAttrStick.h"
#include "platform/base/WinTypes.h"

class CColorInfo;
class CFontInfo;

// With a non-empty range Do saves the colour runs now covering it (clipped to the text)
// and colours the range. With an empty range (a caret) the colour becomes the typing
// colour; the saved run is then the colour typing there would have had (the pending
// typing colour, else the colour at the caret), so undo restores that as typing colour.
// The format store streams the runs into the command through its private
// IFormatOutputStream side.
class CColorCommand : public CCommandBase, private IFormatOutputStream {
public:
    // A copy of color is kept; a null color makes Do fail.
    CColorCommand(const CColorInfo& color, const CRange& range);
    CColorCommand(const CColorInfo* color, const CRange& range);
    CColorCommand(const CColorCommand&) = delete;
    CColorCommand& operator=(const CColorCommand&) = delete;

    ICommand* Clone() override;
    // 0 without a colour, or when a non-empty range lies wholly outside the text.
    BOOL Do() override;
    // Re-applies every saved run; 0 when none was saved or one failed.
    BOOL Undo() override;

    const CRange& GetRange() const { return m_range; }
    uint32_t GetSavedCount() const { return m_saved.GetSize(); }
    // Saved run i's colour (owned by the command), or null.
    CColorInfo* GetSavedColor(uint32_t i) const;

private:
    int PutFont(CFontInfo*, const CRange&) override { return 1; }
    int PutColor(CColorInfo* color, const CRange& range) override;

    std::unique_ptr<CColorInfo> m_color;  // null: Do fails
    CRange m_range;
    CSavedRuns m_saved;  // colour records owned
};
