// Fuzz target for CPack: arbitrary bytes as pack content, driven through every read.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "persist/Pack.h"

namespace {

void Check(bool condition) {
    if (!condition)
        __builtin_trap();
}

}  // namespace

// The first byte gives the length of an operation script taken from the bytes after it;
// the rest is the pack's content. The script is run over and over for a bounded number of
// steps, so reads meet the content at every alignment that skips and drops produce.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const size_t scriptLength = data[0] % 32 < size - 1 ? data[0] % 32 : size - 1;
    const uint8_t* script = data + 1;
    CPack pack(data + 1 + scriptLength, size - 1 - scriptLength);
    if (scriptLength == 0)
        return 0;

    for (size_t step = 0; step < 512; ++step) {
        const uint8_t op = script[step % scriptLength];
        const uint32_t before = pack.Remaining();
        const uint32_t length = pack.GetLength();
        int i = 0;
        unsigned int u = 0;
        long l = 0;
        unsigned long ul = 0;
        std::string s;
        CString cs;
        ZarniUUID id;
        switch (op % 20) {
            case 0:
                pack >> i;
                break;
            case 1:
                pack >> u;
                break;
            case 2:
                pack >> l;
                break;
            case 3:
                pack >> ul;
                break;
            case 4: {
                const uint32_t total = pack.PeekString(s);
                pack >> s;
                Check(pack.Remaining() == before - total);
                Check(total == 0 || s.size() == total - 8);
                break;
            }
            case 5:
                pack >> cs;
                break;
            case 6:
                pack >> id;
                break;
            case 7:
                Check(pack.PeekInt(i) == (before >= 8 ? 8u : 0u));
                break;
            case 8:
                Check(pack.PeekUUID(id) == (before >= 16 ? 16u : 0u));
                break;
            case 9: {
                const uint32_t got = pack.PeekBytes(s, op);
                Check(got == 0 || s.size() == got);
                const char* raw = pack.PeekRaw(op);
                Check((raw == nullptr) == (before < op));
                Check(raw == nullptr || std::memcmp(raw, s.data(), op) == 0);
                break;
            }
            case 10: {
                const uint32_t got = pack.ReadBytes(s, op / 4);
                Check(got == (before >= op / 4u ? op / 4u : before));
                break;
            }
            case 11: {
                const uint32_t count = op & 1 ? 16 : op / 64;
                const uint32_t dropped = op & 1 ? pack.DropUUID() : pack.Drop(count);
                Check(dropped == (before >= count ? count : 0u));
                Check(pack.Remaining() == before - dropped);
                break;
            }
            case 12:
                pack.Skip(op / 16);
                break;
            case 13:
                pack.Reset();
                break;
            case 14:
                pack.BeginBlock();
                break;
            case 15:
                pack.EndBlock();
                break;
            case 16:
                pack << static_cast<int>(op) << std::string(op % 7, 'z');
                break;
            case 17:
                pack << ZarniUUID();
                break;
            case 18:
                Check(pack.GetBuffer().size() == pack.GetLength());
                break;
            default:
                pack.Attach(script, op % 3 < scriptLength ? op % 3 : scriptLength);
                break;
        }
        Check(pack.AssertValid());
        Check(pack.GetReadPosition() <= pack.GetLength());
        // Reads never grow the pack.
        if (op % 20 <= 12)
            Check(pack.GetLength() <= length);
    }
    return 0;
}
