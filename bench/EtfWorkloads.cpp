// The editor text format workloads: a generated document (GBK text with paragraph breaks,
// font and colour runs every 50-200 units, host links, pictures placed many times) is built
// through the editor interface, saved with SaveTo and Save, and loaded with LoadFrom and Load
// into fresh editors, each part in a forked child.
#include "bench/EtfWorkloads.h"

#include <malloc.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <set>
#include <sstream>

#include "bench/ChildRun.h"
#include "bench/GifWorkloads.h"
#include "bench/Stopwatch.h"
#include "core/Range.h"
#include "editor/Editor.h"
#include "editor/EditorInterface.h"
#include "engine/ETFStream.h"
#include "format/ColorInfo.h"
#include "format/FontInfo.h"
#include "format/FormatInfo.h"
#include "links/LinkInfo.h"
#include "media/Image.h"
#include "model/Doc.h"
#include "model/DocListener.h"
#include "model/RedrawSwitch.h"
#include "objects/ClassIds.h"
#include "objects/ZarniUUID.h"
#include "platform/base/Geometry.h"
#include "platform/base/String.h"
#include "platform/base/WinTypes.h"
#include "platform/graphics/Morla.h"

// Under callgrind started with --instr-atstart=no, only the timed regions are collected.
#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define ETF_PROFILE_BEGIN() CALLGRIND_START_INSTRUMENTATION
#define ETF_PROFILE_END(name)           \
    do {                                \
        CALLGRIND_DUMP_STATS_AT(name);  \
        CALLGRIND_STOP_INSTRUMENTATION; \
    } while (0)
#else
#define ETF_PROFILE_BEGIN() \
    do {                    \
    } while (0)
#define ETF_PROFILE_END(name) \
    do {                      \
    } while (0)
#endif

namespace {

constexpr const char* kPrefix = "etf";  // every key of these workloads starts with it

constexpr int kViewWidth = 800;
constexpr int kViewHeight = 600;
constexpr double kMb = 1e6;          // MB and MB/s in these workloads are 10^6 bytes
constexpr double kKb = 1024.0;       // /proc/self/status counts kB of 1024 bytes
constexpr double kRateTarget = 100;  // MB/s, each way
constexpr double kPeakTarget = 3;    // peak extra RSS while loading, times the saved size
constexpr size_t kPrologueLength = CETFStream::kHeaderLength + CETFStream::kStampLength;

// The document's make-up.
constexpr int kMinPara = 40, kMaxPara = 400;   // units per paragraph, break included
constexpr int kMinRun = 50, kMaxRun = 200;     // units per font run and per colour run
constexpr int kMinGap = 2000, kMaxGap = 6000;  // units between pictures
constexpr int kMinLinkGap = 1000, kMaxLinkGap = 2000;
constexpr int kMinLink = 6, kMaxLink = 30;  // units under a link
constexpr int kFirstLinkType = 2000, kLinkTypes = 100;
constexpr double kIdeographTokens =
    0.32;  // share of tokens that are ideograph runs (~20 % of units)
constexpr int kDistinctPictures = 4;
constexpr int kPictureSide = 16;
constexpr double kWarmBytes = 60e3;  // saved size of the untimed warm-up document

const char* const kFaces[] = {"DejaVu Sans", "DejaVu Serif", "DejaVu Sans Mono",
                              "WenQuanYi Micro Hei"};
const LONG kHeights[] = {12, 14, 16};
constexpr int kFontStyles = 24;  // faces x heights x (regular, bold)
constexpr int kColours = 24;

// ---- Records ----

void Emit(FILE* out, const char* kind, const std::string& key, double value,
          std::string text = "-") {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    std::fprintf(out, "%s\t%s\t%.9g\t%s\n", kind, key.c_str(), value, text.c_str());
}
void EmitValue(FILE* out, const std::string& name, const std::string& size, double value) {
    Emit(out, "value", std::string(kPrefix) + "_" + name + "@" + size, value);
}
void EmitCheck(FILE* out, const std::string& size, const std::string& what,
               const std::string& failure) {
    Emit(out, "check", std::string(kPrefix) + " " + size + " " + what, 0,
         failure.empty() ? "ok" : failure);
}
void EmitNote(FILE* out, const std::string& text) {
    Emit(out, "note", kPrefix, 0, text);
}

void Collect(const CChildRun::SResult& result, int run, const std::string& what,
             std::vector<SRecord>& records) {
    gifbench::Collect(result, run, kPrefix, what, records);
}

double FindValue(const std::vector<SRecord>& records, const std::string& key) {
    for (const SRecord& r : records) {
        if (r.kind == "value" && r.key == key)
            return r.value;
    }
    return NAN;
}

std::string SizeLabel(double mb) {
    char buf[32];
    std::snprintf(buf, sizeof(buf), "%gMB", mb);
    return buf;
}

std::string Fixed(double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof(buf), "%.*f", decimals, v);
    return buf;
}

bool ReadFile(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

// Where two byte strings first differ, for a failed round trip.
std::string Difference(const std::string& got, const std::string& want) {
    size_t at = 0;
    while (at < got.size() && at < want.size() && got[at] == want[at])
        ++at;
    return std::to_string(got.size()) + " bytes instead of " + std::to_string(want.size()) +
           ", first difference at byte " + std::to_string(at);
}

// ---- Pictures ----

uint32_t Crc32(const std::string& bytes, size_t from) {
    static uint32_t table[256];
    static bool made = false;
    if (!made) {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        made = true;
    }
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = from; i < bytes.size(); ++i)
        crc = table[(crc ^ static_cast<uint8_t>(bytes[i])) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void PutBig32(std::string& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((v >> shift) & 0xFF);
}

void PutChunk(std::string& png, const char* type, const std::string& data) {
    PutBig32(png, static_cast<uint32_t>(data.size()));
    const size_t from = png.size();
    png.append(type, 4);
    png += data;
    PutBig32(png, Crc32(png, from));
}

// A side x side RGBA PNG: a disc of a seed-dependent colour on another, with a stripe. The
// pixels go into stored (uncompressed) deflate blocks, which every PNG decoder reads.
std::string MakePng(uint64_t seed, int side) {
    std::mt19937_64 random(seed);
    const uint32_t paper = static_cast<uint32_t>(random()), ink = static_cast<uint32_t>(random());
    std::string raw;
    const int centre = side / 2, radius = side / 2 - 1;
    for (int y = 0; y < side; ++y) {
        raw += '\0';  // filter: none
        for (int x = 0; x < side; ++x) {
            const int dx = x - centre, dy = y - centre;
            const bool disc = dx * dx + dy * dy <= radius * radius;
            const bool stripe = (x + y + static_cast<int>(seed % 5)) % 7 == 0;
            const uint32_t c = stripe ? ~ink : disc ? ink : paper;
            raw += static_cast<char>(c & 0xFF);
            raw += static_cast<char>((c >> 8) & 0xFF);
            raw += static_cast<char>((c >> 16) & 0xFF);
            raw += static_cast<char>(disc || stripe ? 0xFF : 0x80);
        }
    }
    std::string zlib("\x78\x01", 2);
    for (size_t at = 0; at < raw.size() || at == 0;) {
        const size_t n = std::min<size_t>(raw.size() - at, 65535);
        const bool last = at + n == raw.size();
        zlib += static_cast<char>(last ? 1 : 0);
        zlib += static_cast<char>(n & 0xFF);
        zlib += static_cast<char>(n >> 8);
        zlib += static_cast<char>(~n & 0xFF);
        zlib += static_cast<char>((~n >> 8) & 0xFF);
        zlib.append(raw, at, n);
        at += n;
        if (last)
            break;
    }
    uint32_t a = 1, b = 0;
    for (char c : raw) {
        a = (a + static_cast<uint8_t>(c)) % 65521;
        b = (b + a) % 65521;
    }
    PutBig32(zlib, (b << 16) | a);
    std::string header;
    PutBig32(header, static_cast<uint32_t>(side));
    PutBig32(header, static_cast<uint32_t>(side));
    header += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, no interlace
    std::string png("\x89PNG\r\n\x1a\n", 8);
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", zlib);
    PutChunk(png, "IEND", std::string());
    return png;
}

// ---- The document ----

// Text up to a picture (none for the last piece).
struct SPiece {
    std::string text;  // GBK, paragraphs ended by '\r'
    int picture = -1;
};

struct SRun {
    int32_t home = 0, end = 0;
    int style = 0;
};

struct SLink {
    int32_t home = 0, end = 0;
    unsigned int type = 0;
    unsigned long value = 0;
    ZarniUUID outId;
    std::string text;
};

struct SPlan {
    std::vector<SPiece> pieces;
    std::vector<SRun> fonts, colours;
    std::vector<SLink> links;
    std::vector<std::string> pngs;  // the distinct pictures
    int32_t units = 0;
    long ideographs = 0, paragraphs = 0, pictures = 0;
};

LOGFONTA FontStyle(int style) {
    LOGFONTA lf;
    std::memset(&lf, 0, sizeof(lf));
    const int face = style % 4, height = (style / 4) % 3;
    lf.lfHeight = -kHeights[height];
    lf.lfWeight = (style / 12) % 2 ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(lf.lfFaceName, kFaces[face], sizeof(lf.lfFaceName) - 1);
    return lf;
}

// The colour of palette entry index: a red byte of its own (so entries below 64 never
// coincide), green and blue from the seed, dark enough to read.
COLORREF Colour(uint64_t seed, int index) {
    std::mt19937_64 random(seed ^ (0x636F6C6F7572ull + static_cast<uint64_t>(index)));
    const uint32_t mixed = static_cast<uint32_t>(random());
    return RGB(static_cast<BYTE>(index * 4), static_cast<BYTE>((mixed >> 8) & 0x9F),
               static_cast<BYTE>((mixed >> 16) & 0x9F));
}

// Paragraphs of ASCII words and runs of GB2312 ideographs (lead 0xB0-0xD6, trail 0xA1-0xFE,
// 0xD6 0xD0 among them), pictures between them every kMinGap-kMaxGap units, until the
// estimated saved size reaches target bytes; then the font, colour and link runs over it.
SPlan MakePlan(uint64_t seed, double target) {
    std::mt19937_64 random(seed);
    auto below = [&](int n) { return static_cast<int>(random() % static_cast<uint64_t>(n)); };
    SPlan plan;
    for (int i = 0; i < kDistinctPictures; ++i)
        plan.pngs.push_back(MakePng(seed + static_cast<uint64_t>(i) * 7919, kPictureSide));
    // Saved bytes per unit of the runs and links, averaged (font record 124 bytes, colour
    // 64, link about 100); text and pictures count as generated.
    const double perUnit =
        (124.0 + 64.0) / ((kMinRun + kMaxRun) / 2.0) + 100.0 / ((kMinLinkGap + kMaxLinkGap) / 2.0);
    const double pictureRecord = 16 + 8 + 16 + 8 + 8 + 8 + 8 + plan.pngs[0].size();
    double estimate = kPrologueLength;
    int32_t nextPicture = kMinGap + below(kMaxGap - kMinGap + 1);
    plan.pieces.emplace_back();
    while (estimate < target) {
        const int length = kMinPara + below(kMaxPara - kMinPara + 1);
        std::string& text = plan.pieces.back().text;
        const size_t before = text.size();
        int used = 0;
        while (used < length - 1) {
            if (random() % 1000 < kIdeographTokens * 1000) {
                const int n = std::min(1 + below(6), length - 1 - used);
                for (int k = 0; k < n; ++k) {
                    text += static_cast<char>(0xB0 + below(0xD6 - 0xB0 + 1));
                    text += static_cast<char>(0xA1 + below(0xFE - 0xA1 + 1));
                }
                used += n;
                plan.ideographs += n;
            } else {
                const int n = std::min(2 + below(8), length - 1 - used);
                for (int k = 0; k < n; ++k)
                    text += static_cast<char>((k == 0 && below(8) == 0 ? 'A' : 'a') + below(26));
                used += n;
                if (used < length - 1) {
                    text += ' ';
                    ++used;
                }
            }
        }
        text += '\r';
        ++plan.paragraphs;
        plan.units += length;
        estimate += static_cast<double>(text.size() - before) + length * perUnit;
        if (plan.units >= nextPicture) {
            plan.pieces.back().picture = below(kDistinctPictures);
            ++plan.pictures;
            ++plan.units;
            estimate += pictureRecord + 4 + 32;  // its replace text, the next text record
            nextPicture = plan.units + kMinGap + below(kMaxGap - kMinGap + 1);
            plan.pieces.emplace_back();
        }
    }
    // Font and colour runs: lengths of kMinRun-kMaxRun units, each run unlike the one
    // before, so that no two neighbours merge.
    auto makeRuns = [&](std::vector<SRun>& runs, int styles) {
        int previous = -1;
        for (int32_t home = 0; home < plan.units;) {
            const int32_t end =
                std::min<int32_t>(plan.units, home + kMinRun + below(kMaxRun - kMinRun + 1));
            int style = below(styles);
            if (style == previous)
                style = (style + 1) % styles;
            runs.push_back({home, end, style});
            previous = style;
            home = end;
        }
    };
    makeRuns(plan.fonts, kFontStyles);
    makeRuns(plan.colours, kColours);
    for (int32_t home = kMinLinkGap + below(kMaxLinkGap - kMinLinkGap + 1);
         home + kMaxLink < plan.units;) {
        SLink link;
        link.home = home;
        link.end = home + kMinLink + below(kMaxLink - kMinLink + 1);
        link.type = static_cast<unsigned int>(kFirstLinkType + below(kLinkTypes));
        link.value = plan.links.size() + 1;
        const uint32_t n = static_cast<uint32_t>(plan.links.size());
        link.outId = ZarniUUID(static_cast<uint32_t>(seed), n, 0x6C696E6Bu, link.type);
        link.text = "host link " + std::to_string(n);
        plan.links.push_back(link);
        home = link.end + kMinLinkGap + below(kMaxLinkGap - kMinLinkGap + 1);
    }
    return plan;
}

std::unique_ptr<CEditorInterface> MakeEditor() {
    std::unique_ptr<CEditorInterface> editor(new CEditorInterface());
    editor->UndoLimited(0);
    editor->SetViewSize(CSize(kViewWidth, kViewHeight));
    return editor;
}

// Appends text and pictures in order, then sets font and colour runs by selection, then
// links. Empty when all went in, else what failed first.
std::string BuildContent(CEditorInterface& editor, const SPlan& plan, uint64_t seed,
                         const std::vector<zarni::CImage*>& pictures) {
    for (const SPiece& piece : plan.pieces) {
        const long length = editor.GetLength();
        editor.SetSel(CRange(static_cast<int>(length), static_cast<int>(length)));
        if (!piece.text.empty() && !editor.ReplaceSel(CString(piece.text)))
            return "text not inserted at " + std::to_string(length);
        if (piece.picture >= 0) {
            const long at = editor.GetLength();
            editor.SetSel(CRange(static_cast<int>(at), static_cast<int>(at)));
            if (!editor.ReplaceSel(static_cast<IVisibleComplexObj*>(pictures[piece.picture])))
                return "picture not inserted at " + std::to_string(at);
        }
    }
    if (editor.GetLength() != plan.units)
        return "document of " + std::to_string(editor.GetLength()) + " units instead of " +
               std::to_string(plan.units);
    for (const SRun& run : plan.fonts) {
        editor.SetSel(CRange(run.home, run.end));
        if (!editor.SetFont(FontStyle(run.style), 0xFFFFFF))
            return "font not set over " + std::to_string(run.home);
    }
    for (const SRun& run : plan.colours) {
        editor.SetSel(CRange(run.home, run.end));
        if (!editor.SetColor(Colour(seed, run.style)))
            return "colour not set over " + std::to_string(run.home);
    }
    for (const SLink& l : plan.links) {
        zarni::CLinkInfo link(CString(l.text), l.value, l.type, l.outId);
        editor.SetLink(CRange(l.home, l.end), &link);
    }
    editor.SetSel(CRange(0, 0));
    return std::string();
}

// Builds the planned document through the editor interface. Building is untimed; with
// auto-scroll off meanwhile it does not repaint the whole view once per run, and the editor
// scrolls as usual again afterwards.
std::string Build(CEditorInterface& editor, const SPlan& plan, uint64_t seed) {
    std::vector<zarni::CImage*> pictures;
    std::string failure;
    for (size_t i = 0; i < plan.pngs.size() && failure.empty(); ++i) {
        pictures.push_back(new zarni::CImage());
        if (!pictures.back()->SetImage(plan.pngs[i], "[pic" + std::to_string(i) + "]"))
            failure = "picture " + std::to_string(i) + " does not decode";
    }
    if (failure.empty()) {
        editor.SetAutoScroll(FALSE);
        failure = BuildContent(editor, plan, seed, pictures);
        editor.SetAutoScroll(TRUE);
    }
    for (zarni::CImage* picture : pictures)
        picture->Destroy();
    return failure;
}

// Counts the records of saved bytes by class and checks them against the plan.
std::string CheckRecords(const std::string& saved, const SPlan& plan) {
    auto bytes = [](const ZarniUUID& id) {
        uint8_t b[16];
        id.ToBytes(b);
        return std::string(reinterpret_cast<char*>(b), 16);
    };
    const std::string text = bytes(TextRunClassId()), link = bytes(LinkRunClassId()),
                      image = bytes(ImageClassId()), font = bytes(CFontInfo::ClassId()),
                      colour = bytes(CColorInfo::ClassId());
    long texts = 0, links = 0, images = 0, fonts = 0, colours = 0, others = 0;
    size_t at = kPrologueLength;
    while (at + 24 <= saved.size()) {
        const std::string id = saved.substr(at, 16);
        const unsigned long length = std::strtoul(saved.substr(at + 16, 8).c_str(), nullptr, 16);
        if (length < 8)
            break;
        texts += id == text;
        links += id == link;
        images += id == image;
        fonts += id == font;
        colours += id == colour;
        others += id != text && id != link && id != image && id != font && id != colour;
        at += 16 + length;
    }
    long pieces = 0;
    for (const SPiece& piece : plan.pieces)
        pieces += piece.text.empty() ? 0 : 1;
    std::string failure;
    if (at != saved.size())
        failure =
            "records end at byte " + std::to_string(at) + " of " + std::to_string(saved.size());
    else if (texts != pieces || images != plan.pictures ||
             fonts != static_cast<long>(plan.fonts.size()) ||
             colours != static_cast<long>(plan.colours.size()) ||
             links != static_cast<long>(plan.links.size()) || others != 0)
        failure = "records: " + std::to_string(texts) + " text, " + std::to_string(images) +
                  " picture, " + std::to_string(fonts) + " font, " + std::to_string(colours) +
                  " colour, " + std::to_string(links) + " link, " + std::to_string(others) +
                  " other; planned " + std::to_string(pieces) + ", " +
                  std::to_string(plan.pictures) + ", " + std::to_string(plan.fonts.size()) + ", " +
                  std::to_string(plan.colours.size()) + ", " + std::to_string(plan.links.size()) +
                  ", 0";
    return failure;
}

double Rate(size_t bytes, double ms) {
    return ms > 0 ? static_cast<double>(bytes) / kMb / (ms / 1000.0) : 0;
}

std::string RateFailure(double rate) {
    return rate >= kRateTarget ? "" : Fixed(rate, rate < 10 ? 3 : 1) + " MB/s";
}

uint64_t SizeSeed(uint64_t seed, double mb) {
    return seed ^ static_cast<uint64_t>(std::llround(mb * kMb));
}

// Time, CPU time, rate (bytes saved over wall time) and peak extra memory (peakKb over the
// saved size) of one save, and its rate check.
void EmitSaveFigures(FILE* out, const std::string& size, const std::string& key,
                     const std::string& call, const STiming& t, size_t bytes, int64_t peakKb) {
    EmitValue(out, key + "_ms", size, t.wall);
    EmitValue(out, key + "_cpu_ms", size, t.cpu);
    const double rate = Rate(bytes, t.wall);
    EmitValue(out, key + "_mbs", size, rate);
    EmitValue(out, key + "_peak_x", size,
              static_cast<double>(peakKb) * kKb / static_cast<double>(bytes));
    EmitCheck(out, size, call + " at least 100 MB/s", RateFailure(rate));
}

// The save child: builds the document (untimed), then times SaveTo into a string and Save
// to path, and checks that the file holds the same bytes.
void RunSave(FILE* out, uint64_t seed, double mb, const std::string& path) {
    const std::string size = SizeLabel(mb);
    const SPlan plan = MakePlan(SizeSeed(seed, mb), mb * kMb);
    std::unique_ptr<CEditorInterface> editor = MakeEditor();
    const CStopwatch buildWatch;
    const std::string built = Build(*editor, plan, SizeSeed(seed, mb));
    EmitValue(out, "build_s", size, buildWatch.Elapsed().wall / 1000);
    EmitCheck(out, size, "document built through the editor interface", built);
    if (!built.empty())
        return;
    const int32_t units = plan.units;
    EmitValue(out, "units", size, units);
    EmitValue(out, "paragraphs", size, static_cast<double>(plan.paragraphs));
    EmitValue(out, "ideograph_pct", size, 100.0 * static_cast<double>(plan.ideographs) / units);
    EmitValue(out, "fonts", size, static_cast<double>(plan.fonts.size()));
    EmitValue(out, "colours", size, static_cast<double>(plan.colours.size()));
    EmitValue(out, "links", size, static_cast<double>(plan.links.size()));
    EmitValue(out, "pictures", size, static_cast<double>(plan.pictures));
    EmitValue(out, "height", size, static_cast<double>(editor->GetContentSize().cy));
    {
        // The first save of the process (code, first allocations) goes untimed.
        std::string warm;
        editor->SaveTo(warm, CRange(0, std::min<int32_t>(units, 20000)));
    }

    malloc_trim(0);
    bool reset = gifbench::ResetPeak();
    int64_t before = gifbench::StatusKb("VmRSS");
    std::string saved;
    const CStopwatch saveToWatch;
    const BOOL savedTo = editor->SaveTo(saved, CRange(0, units));
    const STiming saveTo = saveToWatch.Elapsed();
    const int64_t saveToPeak = gifbench::StatusKb("VmHWM");
    EmitCheck(out, size, "SaveTo answers non-zero", savedTo ? "" : "SaveTo answered 0");
    EmitValue(out, "saved_mb", size, static_cast<double>(saved.size()) / kMb);
    EmitSaveFigures(out, size, "saveto", "SaveTo", saveTo, saved.size(), saveToPeak - before);
    EmitCheck(out, size, "saved records match the document", CheckRecords(saved, plan));

    malloc_trim(0);
    reset = gifbench::ResetPeak() && reset;
    before = gifbench::StatusKb("VmRSS");
    const CStopwatch saveWatch;
    const BOOL savedFile = editor->Save(path.c_str());
    const STiming save = saveWatch.Elapsed();
    const int64_t savePeak = gifbench::StatusKb("VmHWM");
    std::string file;
    const bool read = ReadFile(path, file);
    EmitCheck(out, size, "Save writes the bytes SaveTo gives",
              !savedFile      ? "Save answered 0"
              : !read         ? "cannot read " + path
              : file != saved ? Difference(file, saved)
                              : "");
    EmitSaveFigures(out, size, "save", "Save to a file", save, saved.size(), savePeak - before);
    if (!reset)
        EmitNote(out, "the kernel refused to reset VmHWM: save peaks include the build");
}

// An untimed load of a small document of other pictures into a throwaway editor, through
// the same path as the measured one, so that code, fonts and first allocations count in no
// figure.
// The glyph warm-up of BENCHMARKING.md ("first use of each glyph dominates otherwise"):
// every ideograph the documents can hold and every printable ASCII character, drawn once
// in each of the 24 styles through the drawing library (shaped, and rasterised on the
// canvas), untimed.
void WarmUpGlyphs() {
    constexpr int kSide = 1200, kRowHeight = 20, kPerRow = 60;
    std::unique_ptr<IXCanvas, XReleaser> canvas(XCreateCanvas());
    std::unique_ptr<IXFont, XReleaser> font(XCreateFont());
    std::unique_ptr<IXBrush, XReleaser> ink(XCreateBrush());
    if (!canvas || !font || !ink || !canvas->Create(nullptr, kSide, kSide))
        return;
    ink->SetColor(RGB(0, 0, 0));
    std::vector<std::string> rows(1);
    for (int c = 0x20; c < 0x7F; ++c)
        rows.back() += static_cast<char>(c);
    for (int lead = 0xB0; lead <= 0xD6; ++lead) {
        for (int trail = 0xA1; trail <= 0xFE; ++trail) {
            if (rows.back().size() >= 2 * kPerRow)
                rows.emplace_back();
            rows.back() += static_cast<char>(lead);
            rows.back() += static_cast<char>(trail);
        }
    }
    for (int style = 0; style < kFontStyles; ++style) {
        const LOGFONTA lf = FontStyle(style);
        font->SetLogFont(0, &lf);
        int y = 0;
        for (const std::string& row : rows) {
            RECT r{0, y, kSide, y + kRowHeight};
            canvas->DrawText(CString(row.c_str()), font.get(), &r, XTEXT_DRAW_FORMAT, ink.get());
            y = (y + kRowHeight) % (kSide - kRowHeight);
        }
    }
}

void WarmUpLoad(uint64_t seed, bool file, const std::string& dir) {
    WarmUpGlyphs();
    const SPlan plan = MakePlan(~seed, kWarmBytes);
    std::unique_ptr<CEditorInterface> source = MakeEditor();
    if (!Build(*source, plan, ~seed).empty())
        return;
    std::unique_ptr<CEditorInterface> target = MakeEditor();
    if (file) {
        const std::string path = dir + "/warm-" + std::to_string(getpid()) + ".etf";
        source->Save(path.c_str());
        target->Load(path.c_str());
        unlink(path.c_str());
    } else {
        std::string data;
        source->SaveTo(data, CRange(0, plan.units));
        target->LoadFrom(data, 0);
    }
}

// A load child: LoadFrom of the file's bytes (file false) or Load of the file into a fresh
// editor, timed with the layout brought up to date; peak and kept memory; the round trip.
void RunLoad(FILE* out, uint64_t seed, double mb, const std::string& path, const std::string& dir,
             long units, bool file) {
    const std::string size = SizeLabel(mb);
    const std::string name = file ? "load" : "loadfrom";
    const std::string call = file ? "Load" : "LoadFrom";
    std::string data;
    if (!ReadFile(path, data) || data.empty()) {
        EmitCheck(out, size, call + " input", "cannot read " + path);
        return;
    }
    if (file)
        std::string().swap(data);  // Load reads the file itself
    WarmUpLoad(SizeSeed(seed, mb), file, dir);
    std::unique_ptr<CEditorInterface> editor = MakeEditor();
    malloc_trim(0);
    const bool reset = gifbench::ResetPeak();
    const int64_t before = gifbench::StatusKb("VmRSS");
    const double heapBefore = gifbench::LiveHeap();
    ETF_PROFILE_BEGIN();
    const CStopwatch watch;
    const BOOL loaded = file ? editor->Load(path.c_str()) : editor->LoadFrom(data, 0);
    volatile long height = editor->GetContentSize().cy;
    const STiming t = watch.Elapsed();
    ETF_PROFILE_END(file ? "etf Load" : "etf LoadFrom");
    const int64_t peak = gifbench::StatusKb("VmHWM");
    const int64_t after = gifbench::StatusKb("VmRSS");
    const double heapAfter = gifbench::LiveHeap();

    if (file && !ReadFile(path, data))
        data.clear();
    const double bytes = static_cast<double>(data.size());
    const long length = editor->GetLength();
    EmitCheck(out, size, call + " loads the whole document",
              !loaded ? call + " answered 0"
              : length != units
                  ? std::to_string(length) + " units instead of " + std::to_string(units)
                  : "");
    EmitValue(out, name + "_ms", size, t.wall);
    EmitValue(out, name + "_cpu_ms", size, t.cpu);
    const double rate = Rate(data.size(), t.wall);
    EmitValue(out, name + "_mbs", size, rate);
    const double peakTimes = static_cast<double>(peak - before) * kKb / bytes;
    EmitValue(out, name + "_peak_x", size, peakTimes);
    EmitValue(out, name + "_kept_mb", size, static_cast<double>(after - before) * kKb / kMb);
    EmitValue(out, name + "_kept_x", size, static_cast<double>(after - before) * kKb / bytes);
    EmitValue(out, name + "_heap_mb", size, (heapAfter - heapBefore) / kMb);
    EmitValue(out, name + "_lines", size, editor->GetLineCount());
    EmitValue(out, name + "_height", size, static_cast<double>(height));
    EmitCheck(out, size, call + " peak extra RSS at most 3x the saved size",
              peakTimes <= kPeakTarget ? "" : Fixed(peakTimes, 2) + "x");
    EmitCheck(out, size, call + " lays the document out",
              height > 0 ? "" : "content height 0 after loading");
    std::string again;
    editor->SaveTo(again, CRange(0, static_cast<int>(length)));
    EmitCheck(out, size, call + " round trip: SaveTo of the loaded document gives the same bytes",
              again == data ? "" : Difference(again, data));
    if (!reset)
        EmitNote(out, "the kernel refused to reset VmHWM: load peaks include the warm-up");

    // The same load again, warm: the first editor is gone (its objects left the store), so
    // this one loads like the first, except that cairo now holds the first screen's glyphs
    // rasterised. The warm-up cannot give that: it draws more glyphs than cairo keeps.
    editor.reset();
    malloc_trim(0);
    std::unique_ptr<CEditorInterface> second = MakeEditor();
    ETF_PROFILE_BEGIN();
    const CStopwatch againWatch;
    const BOOL reloaded = file ? second->Load(path.c_str()) : second->LoadFrom(data, 0);
    height = second->GetContentSize().cy;
    const double againMs = againWatch.Elapsed().wall;
    ETF_PROFILE_END(file ? "etf Load again" : "etf LoadFrom again");
    EmitCheck(out, size, call + " again loads the whole document",
              reloaded && second->GetLength() == length ? "" : "not the same length");
    EmitValue(out, name + "_again_ms", size, againMs);
    const double warmRate = Rate(data.size(), againMs);
    EmitValue(out, name + "_again_mbs", size, warmRate);
    EmitCheck(out, size, call + " with the first screen's glyphs rasterised at least 100 MB/s",
              RateFailure(warmRate));
}

// ---- Where a load's time goes ----

// The stages of a load the stamps tell apart. Each stamp adds the time since the one before
// to its stage, so the stages add up to the time between the first and the last stamp.
enum EStage : size_t {
    kContentOutside,  // content pass outside the document's insertions: record parsing,
                      // picture decoding and store, text conversion before the insertion
    kContentBefore,   // the document's -ing listeners
    kContentDoc,      // the document's own change (text and object tables)
    kContentFormats,  // the format store following the insertion (priority 1)
    kContentLinks,    // the link manager: shifting links, address detection (priority 2)
    kContentParas,    // the paragraph store (priority 3)
    kContentLayout,   // the view's relayout, auto-scroll and caret (priority 4)
    kContentPaint,    // the view's batched repaint: composition and drawing (priority 7)
    kContentRest,     // later listeners
    kFormatOutside,   // format pass outside the runs' application: record parsing, link runs
    kFormatBefore,    // the format store's -ing listeners
    kFormatStick,     // the run assigned to its stick
    kFormatLayout,    // the view's relayout, auto-scroll and caret (priority 1)
    kFormatPaint,     // the view's batched repaint (priority 1034)
    kFormatRest,      // later listeners
    kStages
};

const char* const kStageKeys[kStages] = {
    "c_outside", "c_before",  "c_doc",    "c_formats", "c_links",  "c_paras", "c_layout", "c_paint",
    "c_rest",    "f_outside", "f_before", "f_stick",   "f_layout", "f_paint", "f_rest"};

class CStageClock {
public:
    void Restart() { m_last = std::chrono::steady_clock::now(); }
    void Stamp(size_t stage) {
        const auto now = std::chrono::steady_clock::now();
        m_ms[stage] += std::chrono::duration<double, std::milli>(now - m_last).count();
        ++m_count[stage];
        m_last = now;
    }
    double Ms(size_t stage) const { return m_ms[stage]; }
    long Count(size_t stage) const { return m_count[stage]; }

private:
    std::chrono::steady_clock::time_point m_last = std::chrono::steady_clock::now();
    double m_ms[kStages] = {};
    long m_count[kStages] = {};
};

// A listener that only stamps: registered after the editor's own listeners, it runs after
// those of its priority and before those of the next.
class CStamp : public IDocListener {
public:
    CStamp(CStageClock& clock, int32_t priority, size_t stage, bool before)
        : m_clock(clock), m_priority(priority), m_stage(stage), m_before(before) {}
    DocListener_Priority GetDocPriority() override {
        return static_cast<DocListener_Priority>(m_priority);
    }
    void N_Inserting(int, int) override {
        if (m_before)
            m_clock.Stamp(m_stage);
    }
    void N_Inserted(int, int) override {
        if (!m_before)
            m_clock.Stamp(m_stage);
    }
    void N_Deleting(int, int) override {}
    void N_Deleted(int, int) override {}

private:
    CStageClock& m_clock;
    int32_t m_priority;
    size_t m_stage;
    bool m_before;
};

constexpr int32_t kFirst = INT32_MIN;
constexpr int32_t kLast = INT32_MAX;

// The phases child: what LoadFrom does, step by step through the same public classes
// (CETFStream, CEditorETFSink), with stamping listeners on the document and the format
// store, and the resident size after each step.
void RunPhases(FILE* out, uint64_t seed, double mb, const std::string& path, const std::string& dir,
               bool autoScroll) {
    const std::string size = SizeLabel(mb);
    const std::string p = autoScroll ? "ph_" : "phn_";
    std::string data;
    if (!ReadFile(path, data) || data.empty()) {
        EmitCheck(out, size, "phases input", "cannot read " + path);
        return;
    }
    WarmUpLoad(SizeSeed(seed, mb), false, dir);
    std::unique_ptr<CEditorInterface> editor = MakeEditor();
    editor->SetAutoScroll(autoScroll ? TRUE : FALSE);
    CEditor* root = editor->GetCore().GetRoot();
    IDoc* doc = root->GetDocument();
    CFormatInfo* formats = root->GetFormatInfo();
    CStageClock clock;
    std::vector<std::unique_ptr<CStamp>> stamps;
    auto onDoc = [&](int32_t priority, size_t stage, bool before) {
        stamps.emplace_back(new CStamp(clock, priority, stage, before));
        doc->AddListener(stamps.back().get());
    };
    auto onFormats = [&](int32_t priority, size_t stage, bool before) {
        stamps.emplace_back(new CStamp(clock, priority, stage, before));
        formats->AddFormatListener(stamps.back().get());
    };
    onDoc(kFirst, kContentOutside, true);
    onDoc(kLast, kContentBefore, true);
    onDoc(kFirst, kContentDoc, false);
    onDoc(DLP_FORMAT, kContentFormats, false);
    onDoc(DLP_LINK, kContentLinks, false);
    onDoc(DLP_PARAGRAPH, kContentParas, false);
    onDoc(DLP_VIEW, kContentLayout, false);
    onDoc(DLP_VIEW_BATCHER, kContentPaint, false);
    onDoc(kLast, kContentRest, false);
    onFormats(kFirst, kFormatOutside, true);
    onFormats(kLast, kFormatBefore, true);
    onFormats(kFirst, kFormatStick, false);
    onFormats(DLP_FORMAT, kFormatLayout, false);
    onFormats(DLP_FORMAT_BATCHER, kFormatPaint, false);
    onFormats(kLast, kFormatRest, false);

    malloc_trim(0);
    gifbench::ResetPeak();
    const int64_t before = gifbench::StatusKb("VmRSS");
    const double bytes = static_cast<double>(data.size());
    auto memory = [&](const std::string& step) {
        EmitValue(out, p + step + "_peak_x", size,
                  static_cast<double>(gifbench::StatusKb("VmHWM") - before) * kKb / bytes);
        EmitValue(out, p + step + "_rss_x", size,
                  static_cast<double>(gifbench::StatusKb("VmRSS") - before) * kKb / bytes);
    };
    ETF_PROFILE_BEGIN();
    const CStopwatch all;
    CStopwatch watch;
    CETFStream stream;
    const int opened = stream.Open(data);
    EmitValue(out, p + "open_ms", size, watch.Elapsed().wall);
    memory("open");
    CEditorETFSink sink(root);
    // As ReadInto: layout held over both passes. Redraw is off too, so that the layout when
    // the hold ends and the paint of the view are timed apart.
    editor->SetRedraw(FALSE);
    auto hold = std::make_unique<CLayoutHold>(root->GetRedrawSwitch());
    watch = CStopwatch();
    clock.Restart();
    stream.ReadContent(&sink, 0);
    clock.Stamp(kContentOutside);
    EmitValue(out, p + "content_ms", size, watch.Elapsed().wall);
    memory("content");
    watch = CStopwatch();
    clock.Restart();
    stream.ReadFormats(formats, root->GetLinks(), 0);
    clock.Stamp(kFormatOutside);
    EmitValue(out, p + "formats_ms", size, watch.Elapsed().wall);
    memory("formats");
    watch = CStopwatch();
    hold.reset();
    volatile long height = editor->GetContentSize().cy;
    (void)height;
    const double layoutMs = watch.Elapsed().wall;
    watch = CStopwatch();
    editor->SetRedraw(TRUE);
    const double paintMs = watch.Elapsed().wall, totalMs = all.Elapsed().wall;
    ETF_PROFILE_END("etf steps");
    EmitValue(out, p + "layout_ms", size, layoutMs);
    EmitValue(out, p + "paint_ms", size, paintMs);
    EmitValue(out, p + "total_ms", size, totalMs);
    for (size_t stage = 0; stage < kStages; ++stage) {
        EmitValue(out, p + kStageKeys[stage], size, clock.Ms(stage));
        EmitValue(out, p + kStageKeys[stage] + "_n", size, static_cast<double>(clock.Count(stage)));
    }
    std::string again;
    editor->SaveTo(again, CRange(0, static_cast<int>(editor->GetLength())));
    EmitCheck(out, size,
              std::string("phases") + (autoScroll ? "" : " (auto-scroll off)") +
                  " load the same document",
              !opened         ? "Open answered 0"
              : again == data ? ""
                              : Difference(again, data));
    for (const std::unique_ptr<CStamp>& stamp : stamps) {
        doc->DeleteListener(stamp.get());
        formats->DeleteFormatListener(stamp.get());
    }
}

// The rows of the table, in order: key (without "etf_" and the size), label, decimals.
struct SEtfRow {
    const char* name;
    const char* label;
    int decimals;
};

const SEtfRow kRows[] = {
    {"saved_mb", "saved size (MB)", 3},
    {"units", "document units", 0},
    {"paragraphs", "paragraphs", 0},
    {"ideograph_pct", "double-byte characters (% of units)", 1},
    {"fonts", "font runs", 0},
    {"colours", "colour runs", 0},
    {"links", "host links (type 2000+)", 0},
    {"pictures", "picture placements (4 distinct PNGs)", 0},
    {"build_s", "build through the editor, untimed (s)", 1},
    {"saveto_ms", "SaveTo into a string (ms)", 1},
    {"saveto_cpu_ms", "SaveTo, process CPU (ms)", 1},
    {"saveto_mbs", "SaveTo (MB/s)", 1},
    {"saveto_peak_x", "SaveTo peak extra RSS (x saved size)", 2},
    {"save_ms", "Save to a file (ms)", 1},
    {"save_cpu_ms", "Save, process CPU (ms)", 1},
    {"save_mbs", "Save (MB/s)", 1},
    {"save_peak_x", "Save peak extra RSS (x saved size)", 2},
    {"loadfrom_ms", "LoadFrom a string, cold glyphs (ms)", 1},
    {"loadfrom_cpu_ms", "LoadFrom, process CPU (ms)", 1},
    {"loadfrom_mbs", "LoadFrom, cold glyphs (MB/s)", 3},
    {"loadfrom_peak_x", "LoadFrom peak extra RSS (x saved size)", 2},
    {"loadfrom_again_ms", "LoadFrom, glyphs rasterised (ms)", 1},
    {"loadfrom_again_mbs", "LoadFrom, glyphs rasterised (MB/s)", 3},
    {"loadfrom_kept_mb", "LoadFrom RSS kept (MB)", 1},
    {"loadfrom_kept_x", "LoadFrom RSS kept (x saved size)", 2},
    {"loadfrom_heap_mb", "LoadFrom live heap kept (MB)", 1},
    {"load_ms", "Load a file, cold glyphs (ms)", 1},
    {"load_cpu_ms", "Load, process CPU (ms)", 1},
    {"load_mbs", "Load, cold glyphs (MB/s)", 3},
    {"load_peak_x", "Load peak extra RSS (x saved size)", 2},
    {"load_again_ms", "Load, glyphs rasterised (ms)", 1},
    {"load_again_mbs", "Load, glyphs rasterised (MB/s)", 3},
    {"load_kept_mb", "Load RSS kept (MB)", 1},
    {"load_kept_x", "Load RSS kept (x saved size)", 2},
    {"load_heap_mb", "Load live heap kept (MB)", 1},
    {"loadfrom_lines", "view lines after loading", 0},
    {"loadfrom_height", "content height after loading (px)", 0},
};

// The phase rows, once with auto-scroll on ("ph_") and once off ("phn_").
const SEtfRow kPhaseRows[] = {
    {"open_ms", "Open: bytes into the stream (ms)", 1},
    {"open_peak_x", "  peak extra RSS after Open (x saved)", 2},
    {"content_ms", "ReadContent: text and pictures (ms)", 1},
    {"c_outside", "  parsing, decoding, conversion (ms)", 1},
    {"c_before", "  -ing listeners (ms)", 1},
    {"c_doc", "  document change (ms)", 1},
    {"c_formats", "  format store follows (ms)", 1},
    {"c_links", "  link manager, detection (ms)", 1},
    {"c_paras", "  paragraph store (ms)", 1},
    {"c_layout", "  view relayout + auto-scroll (ms)", 1},
    {"c_paint", "  view repaint, batched (ms)", 1},
    {"c_rest", "  later listeners (ms)", 1},
    {"c_doc_n", "  insertions", 0},
    {"content_peak_x", "  peak extra RSS after content (x saved)", 2},
    {"content_rss_x", "  RSS kept after content (x saved)", 2},
    {"formats_ms", "ReadFormats: font, colour, link runs (ms)", 1},
    {"f_outside", "  parsing, records, link runs (ms)", 1},
    {"f_before", "  -ing listeners (ms)", 1},
    {"f_stick", "  run assigned to its stick (ms)", 1},
    {"f_layout", "  view relayout + auto-scroll (ms)", 1},
    {"f_paint", "  view repaint, batched (ms)", 1},
    {"f_rest", "  later listeners (ms)", 1},
    {"f_stick_n", "  runs applied", 0},
    {"formats_peak_x", "  peak extra RSS after formats (x saved)", 2},
    {"formats_rss_x", "  RSS kept after formats (x saved)", 2},
    {"layout_ms", "layout when the hold ends (ms)", 1},
    {"paint_ms", "painting the view when redraw comes back on (ms)", 1},
    {"total_ms", "all steps (ms)", 1},
};

constexpr int kLabelWidth = 42;
constexpr int kCellWidth = 26;

}  // namespace

std::vector<SRecord> RunEtfWorkloads(const SEtfBenchOptions& o) {
    std::vector<SRecord> records;
    const char* tmp = std::getenv("TMPDIR");
    std::string dir = std::string(tmp && *tmp ? tmp : "/tmp") + "/zarni-etf-XXXXXX";
    if (mkdtemp(dir.data()) == nullptr) {
        records.push_back({"check", o.run, CResultTable::kOurs,
                           std::string(kPrefix) + " temporary folder", 0,
                           "mkdtemp failed for " + dir});
        return records;
    }
    for (double mb : o.sizesMb) {
        const std::string size = SizeLabel(mb);
        const std::string path = dir + "/doc-" + size + ".etf";
        std::vector<SRecord> saved;
        std::fprintf(stderr, "[run %d] editor text format %s: build and save ...\n", o.run,
                     size.c_str());
        Collect(CChildRun::Run(o.childTimeout, [&](FILE* out) { RunSave(out, o.seed, mb, path); }),
                o.run, size + " save process", saved);
        records.insert(records.end(), saved.begin(), saved.end());
        const double units = FindValue(saved, std::string(kPrefix) + "_units@" + size);
        if (std::isnan(units) || access(path.c_str(), R_OK) != 0) {
            records.push_back({"check", o.run, CResultTable::kOurs,
                               std::string(kPrefix) + " " + size + " loads", 0,
                               "not run: the save child left no document"});
            continue;
        }
        for (bool file : {false, true}) {
            if (o.parts.count(file ? "load" : "loadfrom") == 0)
                continue;
            std::fprintf(stderr, "[run %d] editor text format %s: %s ...\n", o.run, size.c_str(),
                         file ? "Load" : "LoadFrom");
            Collect(CChildRun::Run(o.childTimeout,
                                   [&](FILE* out) {
                                       RunLoad(out, o.seed, mb, path, dir, static_cast<long>(units),
                                               file);
                                   }),
                    o.run, size + (file ? " Load process" : " LoadFrom process"), records);
        }
        for (bool scroll : {true, false}) {
            if (o.parts.count(scroll ? "steps" : "steps-noscroll") == 0)
                continue;
            std::fprintf(stderr, "[run %d] editor text format %s: LoadFrom's steps%s ...\n", o.run,
                         size.c_str(), scroll ? "" : " (auto-scroll off)");
            Collect(
                CChildRun::Run(o.childTimeout,
                               [&](FILE* out) { RunPhases(out, o.seed, mb, path, dir, scroll); }),
                o.run, size + (scroll ? " steps process" : " steps process (auto-scroll off)"),
                records);
        }
        unlink(path.c_str());
    }
    rmdir(dir.c_str());
    records.push_back(
        {"note", o.run, "-", kPrefix, 0,
         "editor text format: per size one forked child builds the document through the "
         "editor interface (ReplaceSel of GBK text and of pictures appended in order, SetSel + "
         "SetFont / SetColor per run, SetLink per link; undo off, view 800 x 600; untimed), then "
         "times SaveTo of the whole document into an empty std::string and Save to a new file in "
         "a temporary folder (page cache, no fsync); MB = 10^6 bytes, MB/s = saved bytes / wall "
         "time"});
    records.push_back(
        {"note", o.run, "-", kPrefix, 0,
         "loads: each in its own forked child, after an untimed warm-up (every GB2312 level-1 "
         "ideograph and printable ASCII character drawn once in each of the 24 styles, as "
         "BENCHMARKING.md asks, then a load of a 60 kB document of other pictures into a "
         "throwaway editor) and malloc_trim; a fresh editor "
         "(undo off, view 800 x 600) then LoadFrom(bytes, 0) of the file's bytes held in memory "
         "before timing, or Load(path) of the file just written (in the page cache); the timed "
         "region ends after GetContentSize (layout and the first screen's paint are "
         "synchronous); cold glyphs: the first screen's glyphs are not in cairo's glyph cache "
         "(it keeps about 16,000 and the warm-up draws about 92,000), so FreeType rasterises "
         "them during the paint; glyphs rasterised: that editor is destroyed and the same load "
         "runs into another fresh one, which differs from the first mainly by cairo's cache; "
         "peak extra = VmHWM after "
         "loading (reset by writing 5 to /proc/self/clear_refs just before) minus VmRSS just "
         "before; kept = VmRSS after minus before; round trip = SaveTo of the loaded document "
         "equals the loaded bytes"});
    records.push_back(
        {"note", o.run, "-", kPrefix, 0,
         "document: paragraphs of 40-400 units ended by \\r, ASCII words and runs of 1-6 GB2312 "
         "ideographs (double-byte), a font run (24 styles: 4 faces x 3 heights x regular/bold) "
         "and independently a colour run (24 colours) every 50-200 units, a host link of 6-30 "
         "units every 1000-2000 units, a picture (16 x 16 RGBA PNG, 4 distinct) every "
         "2000-6000 units; fixed seed per size"});
    return records;
}

bool ReadEtfRecords(const std::string& path, std::vector<SRecord>& records, bool* mainRecords,
                    std::string* error) {
    std::ifstream in(path);
    if (!in) {
        if (error)
            *error = "cannot read " + path;
        return false;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.empty())
            continue;
        std::vector<std::string> f;
        std::istringstream fields(line);
        std::string field;
        while (std::getline(fields, field, '\t'))
            f.push_back(field);
        if (f.size() != 6) {
            if (error)
                *error = path + ":" + std::to_string(number) + ": expected 6 fields";
            return false;
        }
        if (f[3].compare(0, std::strlen(kPrefix), kPrefix) == 0)
            records.push_back({f[0], std::atoi(f[1].c_str()), f[2], f[3],
                               std::strtod(f[4].c_str(), nullptr), f[5]});
        else if (mainRecords && f[3].compare(0, 3, "gif") != 0)
            *mainRecords = true;
    }
    return true;
}

void PrintEtfTable(FILE* out, const std::vector<SRecord>& records) {
    if (records.empty())
        return;
    std::set<int> runs;
    std::vector<std::pair<double, std::string>> sizes;
    for (const SRecord& r : records) {
        runs.insert(r.run);
        const size_t at = r.key.find('@');
        if (r.kind != "value" || at == std::string::npos)
            continue;
        const std::string size = r.key.substr(at + 1);
        const std::pair<double, std::string> entry(std::atof(size.c_str()), size);
        if (std::find(sizes.begin(), sizes.end(), entry) == sizes.end())
            sizes.push_back(entry);
    }
    std::sort(sizes.begin(), sizes.end());
    std::fprintf(out,
                 "\nEditor text format save and load on ZarniEditor, %zu process run%s: "
                 "median over runs [min-max]\n\n",
                 runs.size(), runs.size() == 1 ? "" : "s");
    std::fprintf(out, "%-*s", kLabelWidth, "workload");
    for (const auto& size : sizes)
        std::fprintf(out, " | %-*s", kCellWidth, size.second.c_str());
    std::fprintf(out, "\n%s\n",
                 std::string(kLabelWidth + sizes.size() * (kCellWidth + 3), '-').c_str());
    auto printRow = [&](const std::string& name, const char* label, int decimals) {
        std::string line;
        bool any = false;
        for (const auto& size : sizes) {
            const std::string key = std::string(kPrefix) + "_" + name + "@" + size.second;
            std::vector<double> values;
            for (const SRecord& r : records) {
                if (r.kind == "value" && r.key == key)
                    values.push_back(r.value);
            }
            std::string cell = "-";
            if (!values.empty()) {
                any = true;
                const SSpread s = SSpread::Of(values);
                cell = Fixed(s.median, decimals);
                if (s.count > 1)
                    cell += " [" + Fixed(s.min, decimals) + "-" + Fixed(s.max, decimals) + "]";
            }
            char buf[128];
            std::snprintf(buf, sizeof(buf), " | %-*s", kCellWidth, cell.c_str());
            line += buf;
        }
        if (any)
            std::fprintf(out, "%-*s%s\n", kLabelWidth, label, line.c_str());
        return any;
    };
    for (const SEtfRow& row : kRows)
        printRow(row.name, row.label, row.decimals);
    for (const char* prefix : {"ph_", "phn_"}) {
        bool any = false;
        for (const SRecord& r : records)
            any = any || r.key.compare(0, 4 + std::strlen(prefix),
                                       std::string(kPrefix) + "_" + prefix) == 0;
        if (!any)
            continue;
        std::fprintf(out, "%s\n",
                     std::strcmp(prefix, "ph_") == 0
                         ? "LoadFrom's steps, stamped (auto-scroll on, as above):"
                         : "LoadFrom's steps, stamped, with SetAutoScroll(FALSE):");
        for (const SEtfRow& row : kPhaseRows)
            printRow(std::string(prefix) + row.name, row.label, row.decimals);
    }
    PrintChecksAndNotes(out, records);
}
