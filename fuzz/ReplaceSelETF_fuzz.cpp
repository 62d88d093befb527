// Fuzz target for ReplaceSelToETF with undo and redo: arbitrary bytes replace a selection
// of a document that already holds text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "EditorFuzzing.h"
#include "engine/ETFStream.h"

using fuzzing::Check;

// The first two bytes pick the selection in "hello world": the home 0 to 15 (past the end
// from 12), the end -4 to 15 (-1 to -4 are the special ends: all, word, paragraph,
// document end). The rest replaces the selection. When that worked, undo must give back
// the document as it was and redo the document as the replacement left it.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    fuzzing::BeginInput();
    {
        CEditorInterface ed;
        fuzzing::PrepareEditor(ed);
        ed.SetSel(CRange(data[0] % 16, data[1] % 20 - 4));
        const std::string before = fuzzing::Snapshot(ed);
        const std::string content(reinterpret_cast<const char*>(data) + 2, size - 2);
        if (ed.ReplaceSelToETF(content)) {
            const std::string after = fuzzing::Snapshot(ed);
            Check(ed.Undo());
            Check(fuzzing::Snapshot(ed) == before);
            Check(ed.Redo());
            Check(fuzzing::Snapshot(ed) == after);
        } else if (!content.empty() && !CETFStream::HasHeader(content)) {
            // Content that cannot be read leaves the document alone.
            Check(fuzzing::Snapshot(ed) == before);
        }
    }
    fuzzing::CheckStoreEmpty();
    return 0;
}
