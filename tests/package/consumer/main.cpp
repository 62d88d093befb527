// A host program built against an installed ZarniEditor.
#include <zarni/ZarniEditor.h>

#include <cstdio>

int main() {
    CString text("consumer");
    const ZarniUUID id = UuidFromBytes(text.GetString(), text.GetLength());
    if (id.IsNull()) {
        std::fprintf(stderr, "unexpected null id\n");
        return 1;
    }
    std::printf("consumer: %s -> %08x\n", text.GetString(), id.words[0]);
    return 0;
}
