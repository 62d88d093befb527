// CLineBuilder: the process-wide builder that streams formatted document content into pieces.
#pragma once

#include <cstdint>

#include "core/Range.h"
#include "format/FontInfo.h"
#include "format/FormatOutputStream.h"
#include "model/DocOutputStream.h"

class IViewHost;
class ILineConsumer;
class CLinePiece;
class CWordString;

// Build asks the format store for runs of constant font and colour over the range, has the
// document output each run's text and objects, measures every unit in the run's font and
// hands the consumer pieces of equally sized units; each object is a piece of its own.
// Line-break units have the fixed cell 4 x 12.
//
// Every position of the range reaches the consumer exactly once, in order: positions the
// streams skip (a placeholder whose object the store no longer holds, a stretch no format
// run covers) arrive as object units of size 0 x 0 without an object, or in the default
// font, so the consumer's positions never drift from the document's.
class CLineBuilder : public IMixtureOutputStream, public IDocOutputStream {
public:
    static constexpr int kBreakWidth = 4;
    static constexpr int kBreakHeight = 12;

    static CLineBuilder& Instance();

    // Nothing for a null host, a null consumer or a range that is empty once clipped to
    // the document; otherwise streams the range and ends with the consumer's EndBuild.
    // Builds may nest (a consumer may build from inside Feed).
    void Build(IViewHost* host, const CRange& range, ILineConsumer* consumer);

    // One run of constant font and colour: its text and objects go to the consumer.
    int PutMixture(const CMixtureInfo& info) override;
    // Document content of the current run.
    int OutputObject(ICompressStoreObj* obj, const CRange& range) override;
    int OutputText(const CString& text, const CRange& range) override;
    int OutputUnits(const uint16_t* units, uint32_t count, const CRange& range) override;
    void Reset() override {}

    CLineBuilder(const CLineBuilder&) = delete;
    CLineBuilder& operator=(const CLineBuilder&) = delete;

private:
    CLineBuilder() = default;

    // The state of one build.
    struct CBuildState {
        IViewHost* host = nullptr;
        ILineConsumer* consumer = nullptr;
        CFontInfo font;  // copy of the current run's font
        int next = 0;    // the next position the consumer is owed
        int end = 0;     // end of the range being built
    };

    // Has the document output r (clipped to what is still owed) in the current font.
    void OutputRange(const CRange& r);
    // Positions skipped up to pos arrive as zero-size units without an object.
    void FillTo(int pos);
    // Measures units and sends them as pieces of equal cell size.
    void EmitText(const uint16_t* units, uint32_t count);
    // Feeds one piece; false when the consumer refused it.
    bool Emit(const CLinePiece& piece);
    CFontInfo DefaultFont() const;

    CBuildState m_state;
};
