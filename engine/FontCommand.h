// CFontCommand: sets the font, or some of its fields, over a range; undo re-applies the
// fonts it replaced.
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
class CFormatInfo;

// The mask selects LOGFONT fields, one bit per field in declaration order; kAllFields
// replaces the whole font. With any other mask each saved run keeps its own font except
// for the selected fields, which come from the new font.
//
// With an empty range (a caret) the saved run is the font typing there would have had:
// the pending typing font when one waits at the caret (so that two field changes in a row
// add up), else the font at the caret. The result becomes the typing font.
class CFontCommand : public CCommandBase, private IFormatOutputStream {
public:
    static constexpr DWORD kHeight = 0x1;
    static constexpr DWORD kWidth = 0x2;
    static constexpr DWORD kEscapement = 0x4;
    static constexpr DWORD kOrientation = 0x8;
    static constexpr DWORD kWeight = 0x10;
    static constexpr DWORD kItalic = 0x20;
    static constexpr DWORD kUnderline = 0x40;
    static constexpr DWORD kStrikeOut = 0x80;
    static constexpr DWORD kCharSet = 0x100;
    static constexpr DWORD kOutPrecision = 0x200;
    static constexpr DWORD kClipPrecision = 0x400;
    static constexpr DWORD kQuality = 0x800;
    static constexpr DWORD kPitchAndFamily = 0x1000;
    static constexpr DWORD kFaceName = 0x2000;
    static constexpr DWORD kAllFields = 0xFFFFFF;

    // A copy of font is kept; a null font makes Do fail.
    CFontCommand(const CFontInfo& font, const CRange& range, DWORD mask);
    CFontCommand(const CFontInfo* font, const CRange& range, DWORD mask);
    CFontCommand(const CFontCommand&) = delete;
    CFontCommand& operator=(const CFontCommand&) = delete;

    // old with the fields mask selects taken from update. The face name is copied up to
    // its terminating zero and the rest of the field is zeroed, so equal faces give equal
    // font ids.
    static LOGFONTA Merge(const LOGFONTA& old, const LOGFONTA& update, DWORD mask);

    ICommand* Clone() override;
    // 0 without a font, when a non-empty range lies wholly outside the text, or when an
    // application failed. Repainting is off during the application and always back on.
    BOOL Do() override;
    // Re-applies every saved run; 0 when none was saved or one failed.
    BOOL Undo() override;

    const CRange& GetRange() const { return m_range; }
    DWORD GetMask() const { return m_mask; }
    uint32_t GetSavedCount() const { return m_saved.GetSize(); }
    // Saved run i's font (owned by the command), or null.
    CFontInfo* GetSavedFont(uint32_t i) const;

private:
    int PutFont(CFontInfo* font, const CRange& range) override;
    int PutColor(CColorInfo*, const CRange&) override { return 1; }
    BOOL Apply(CFormatInfo* format);

    std::unique_ptr<CFontInfo> m_font;  // null: Do fails
    CRange m_range;
    DWORD m_mask;
    CSavedRuns m_saved;  // font records owned
};
