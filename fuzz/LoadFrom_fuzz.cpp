// Fuzz target for LoadFrom: arbitrary bytes loaded into a document that already holds text,
// then saved and loaded again.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "EditorFuzzing.h"

using fuzzing::Check;

// The first byte picks the load position: 0 to 11 lie in "hello world", 12 to 15 past its
// end. The rest is the data loaded there. Whatever was loaded, the text on either side of
// the position must be intact, the whole document must save, and the saved form must load
// into an empty editor with the same length and save to the same bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    fuzzing::BeginInput();
    {
        CEditorInterface ed;
        fuzzing::PrepareEditor(ed);
        const long before = ed.GetLength();
        const UINT pos = data[0] % 16;
        const std::string content(reinterpret_cast<const char*>(data) + 1, size - 1);
        if (!ed.LoadFrom(content, pos))
            Check(ed.GetLength() == before);
        // The text on either side of the position is untouched.
        const std::string start = fuzzing::kStartText;
        const size_t home = std::min<size_t>(pos, start.size());
        const std::string tail = start.substr(home);
        const std::string text = fuzzing::Text(ed);
        Check(text.size() >= start.size());
        Check(text.compare(0, home, start, 0, home) == 0);
        Check(text.compare(text.size() - tail.size(), tail.size(), tail) == 0);

        const std::string saved = fuzzing::Snapshot(ed);
        if (!saved.empty()) {
            CEditorInterface copy;
            Check(copy.LoadFrom(saved, 0));
            Check(copy.GetLength() == ed.GetLength());
            Check(fuzzing::Snapshot(copy) == saved);
        }
    }
    fuzzing::CheckStoreEmpty();
    return 0;
}
