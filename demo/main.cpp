// Demo host: shows what the control's foundation does with real text.
#include <zarni/ZarniEditor.h>

#include <cstdio>

int main() {
    CString text("hello");
    const ZarniUUID id = UuidFromBytes(text.GetString(), text.GetLength());
    std::printf("%s -> %08x\n", text.GetString(), id.words[0]);
    return 0;
}
