// A host program built against an installed ZarniEditor: converts text to units, makes a
// content id and round-trips values through a pack.
#include <zarni/ZarniEditor.h>

#include <cstdio>

int main() {
    CWordString units(CString("\xD6\xD0\xCE\xC4 ok"));  // two ideographs in GBK, then " ok"
    if (units.GetSize() != 5 || units.c_str() != "\xD6\xD0\xCE\xC4 ok") {
        std::fprintf(stderr, "unit conversion failed\n");
        return 1;
    }
    const ZarniUUID id = UuidFromBytes("abc", 3);
    CPack pack;
    pack << 12 << std::string("text") << id;
    int n = 0;
    std::string s;
    ZarniUUID back;
    pack >> n >> s >> back;
    if (n != 12 || s != "text" || !(back == id) || pack.Remaining() != 0) {
        std::fprintf(stderr, "pack round trip failed\n");
        return 1;
    }
    std::printf("consumer: %u units, id %08x, pack ok\n", units.GetSize(), id.words[0]);
    return 0;
}
