// zarni-bench: our editor and GtkTextView on the same generated workloads, side by side.
#include <malloc.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "bench/ChildRun.h"
#include "bench/DocGen.h"
#include "bench/EtfWorkloads.h"
#include "bench/GifWorkloads.h"
#include "bench/ResultTable.h"
#include "bench/Workloads.h"
#include "bench/ZarniWorkloads.h"
#include "bench/gtk/GtkWorkloads.h"
#include "platform/base/CodePage.h"
#include "platform/base/StockObjects.h"

namespace {

struct SOptions {
    std::vector<long> sizes{10000, 100000, 1000000};
    long longParagraph = 100000;
    int keys = 500;         // timed keystrokes for documents below 10^6 units
    int keysBig = 500;      // timed keystrokes for 10^6 units
    int longKeys = 40;      // timed keystrokes at the end of the long paragraph
    double keyBudget = 20;  // seconds of timed keystrokes per document and side
    unsigned childTimeout = 300;
    bool timeoutGiven = false;  // --etf children default to 900 s otherwise
    bool memory = true;
    bool revert = true;  // delete each keystroke again before the next (off with --grow)
    bool ours = true;
    bool peer = true;
    bool gif = false;                     // only the picture and animation workloads
    bool anim = false;                    // of those, only the animation workloads
    bool etf = false;                     // only the editor text format save and load workloads
    std::vector<double> etfSizes{1, 10};  // their saved sizes, in 10^6 bytes
    std::set<std::string> etfParts{"loadfrom", "load"};  // children after the save
    int run = 1;
    uint64_t seed = 20240601;
    std::string raw;
    std::string png;
    std::vector<std::string> tables;
};

struct SDocs {
    SBenchDoc warm;
    std::vector<SBenchDoc> sized;
    std::vector<std::vector<SKeystroke>> keys;
    SBenchDoc longPara;
    std::vector<SKeystroke> longKeys;
};

struct SFont {
    std::string family;  // UTF-8
    int pixels = 12;
};

std::string SizeKey(long units) {
    const double exponent = std::log10(static_cast<double>(units));
    if (units > 0 && std::pow(10.0, std::round(exponent)) == static_cast<double>(units))
        return "1e" + std::to_string(static_cast<int>(std::round(exponent)));
    return std::to_string(units);
}

// One line on a child's channel: kind, key, value, text (tabs and line breaks removed).
void Emit(FILE* out, const char* kind, const std::string& key, double value,
          std::string text = "-") {
    for (char& c : text) {
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    }
    std::fprintf(out, "%s\t%s\t%.9g\t%s\n", kind, key.c_str(), value, text.c_str());
}
void EmitValue(FILE* out, const std::string& key, double value) {
    Emit(out, "value", key, value);
}
void EmitCheck(FILE* out, const std::string& key, const std::string& failure) {
    Emit(out, "check", key, 0, failure.empty() ? "ok" : failure);
}
void EmitNote(FILE* out, const std::string& text) {
    Emit(out, "note", "-", 0, text);
}

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// A field of /proc/self/status in kB, or -1.
long StatusKb(const char* field) {
    std::ifstream in("/proc/self/status");
    std::string line;
    const size_t length = std::strlen(field);
    while (std::getline(in, line)) {
        if (line.compare(0, length, field) == 0 && line.size() > length && line[length] == ':')
            return std::atol(line.c_str() + length + 1);
    }
    return -1;
}

// Sets VmHWM back to the current resident size; false when the kernel refuses.
bool ResetPeak() {
    FILE* f = std::fopen("/proc/self/clear_refs", "w");
    if (!f)
        return false;
    const bool ok = std::fputs("5", f) >= 0;
    return std::fclose(f) == 0 && ok;
}

// Bytes the main malloc arena and the mmapped blocks hand out right now.
double LiveHeap() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd);
}

SFont DefaultFont() {
    SFont font;
    LOGFONTA lf;
    std::memset(&lf, 0, sizeof(lf));
    if (GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf) == 0)
        return {"Sans", 12};
    font.family = CCodePage::ToUtf8(lf.lfFaceName, strnlen(lf.lfFaceName, sizeof(lf.lfFaceName)));
    if (font.family.empty())
        font.family = "Sans";
    font.pixels = lf.lfHeight < 0 ? static_cast<int>(-lf.lfHeight) : 12;
    return font;
}

std::unique_ptr<IWorkloads> MakeSide(const std::string& side, const SFont& font) {
    if (side == CResultTable::kOurs)
        return std::unique_ptr<IWorkloads>(new CZarniWorkloads());
    return std::unique_ptr<IWorkloads>(new CGtkWorkloads(font.family, font.pixels));
}

// Types the keystrokes: the first two untimed (they bring the paragraph into view), the rest
// timed until their number or the time budget runs out. Each is deleted again (untimed)
// before the next, so every keystroke meets the paragraph as generated and the figures do not
// depend on how many keystrokes ran; with --grow they stay and the paragraph grows as typing
// does. Only the timed keystrokes' repaints are counted.
void TypeKeystrokes(FILE* out, IWorkloads& w, const std::vector<SKeystroke>& keys,
                    const std::string& row, const std::string& key, const SBenchDoc& doc,
                    const SOptions& o) {
    if (keys.size() < 3)
        return;
    const std::string what =
        row == "key" ? "keystrokes " + key.substr(1) : "long paragraph keystrokes";
    SBenchDoc expected;
    expected.units = doc.units;
    auto typeUntimed = [&](const SKeystroke& k) {
        w.Type(k);
        if (o.revert)
            w.Revert(k);
        else
            ++expected.units;
    };
    w.Type(keys[0]);
    SBenchDoc grown;
    grown.units = doc.units + 1;
    EmitCheck(out, what + " insert", w.Check(grown));
    if (o.revert)
        w.Revert(keys[0]);
    else
        ++expected.units;
    typeUntimed(keys[1]);
    // The paragraph lies far below the first page, so a view that follows the caret has moved.
    EmitValue(out, row + "top" + key, static_cast<double>(w.ViewTop()));
    if (keys[0].pos > 0) {
        EmitCheck(out, what + " in view",
                  w.ViewTop() > 0 ? "" : "the view did not follow the caret to the paragraph");
    }
    std::vector<double> times, cpu;
    double total = 0;
    SPaintStats paint;
    for (size_t k = 2; k < keys.size(); ++k) {
        w.TakePaintStats();
        const STiming t = w.Type(keys[k]);
        const double ms = t.wall;
        cpu.push_back(t.cpu);
        const SPaintStats typed = w.TakePaintStats();
        paint.bands += typed.bands;
        paint.pixels += typed.pixels;
        if (o.revert)
            w.Revert(keys[k]);
        else
            ++expected.units;
        times.push_back(ms);
        total += ms;
        if (total > o.keyBudget * 1000)
            break;
    }
    w.TakePaintStats();
    EmitValue(out, row + "50" + key, Percentile(times, 50));
    EmitValue(out, row + "99" + key, Percentile(times, 99));
    EmitValue(out, "cpu_" + row + "50" + key, Percentile(cpu, 50));
    EmitValue(out, "cpu_" + row + "99" + key, Percentile(cpu, 99));
    EmitValue(out, row + "count" + key, static_cast<double>(times.size()));
    EmitValue(out, row + "px" + key,
              static_cast<double>(paint.pixels) / static_cast<double>(times.size()));
    if (times.size() + 2 < keys.size()) {
        EmitNote(out, std::string(w.Name()) + " " + what + ": stopped after " +
                          std::to_string(times.size()) + " of " + std::to_string(keys.size() - 2) +
                          " (time budget " + std::to_string(static_cast<int>(o.keyBudget)) + " s)");
    }
    EmitCheck(out, what + " repainted",
              paint.bands > 0 ? "" : "no band reached the surface during the keystrokes");
    EmitCheck(out, what + " all inserted", w.Check(expected));
}

void TimeSide(FILE* out, const std::string& side, const SFont& font, const SDocs& docs,
              const SOptions& o) {
    std::unique_ptr<IWorkloads> w = MakeSide(side, font);
    std::string error;
    const bool ready = w->Init(&error);
    EmitCheck(out, "starts", error);
    if (!ready)
        return;
    EmitNote(out, w->Describe());
    const auto warm = std::chrono::steady_clock::now();
    w->WarmUp(docs.warm, true);
    EmitValue(out, "warmup", MillisecondsSince(warm));
    for (size_t i = 0; i < docs.sized.size(); ++i) {
        const SBenchDoc& doc = docs.sized[i];
        const std::string key = SizeKey(doc.units);
        const STiming open = w->Open(doc);
        EmitValue(out, "open_" + key, open.wall);
        EmitValue(out, "cpu_open_" + key, open.cpu);
        EmitValue(out, "openpx_" + key, static_cast<double>(w->TakePaintStats().pixels));
        EmitValue(out, "height_" + key, static_cast<double>(w->ContentHeight()));
        EmitCheck(out, "laid out " + key, w->Check(doc));
        if (!o.png.empty())
            w->SaveSurface((o.png + "-" + side + "-open-" + key + ".png").c_str());
        TypeKeystrokes(out, *w, docs.keys[i], "key", "_" + key, doc, o);
        if (!o.png.empty())
            w->SaveSurface((o.png + "-" + side + "-keys-" + key + ".png").c_str());
    }
    if (docs.longPara.units > 0) {
        const STiming open = w->Open(docs.longPara);
        EmitValue(out, "open_long", open.wall);
        EmitValue(out, "cpu_open_long", open.cpu);
        w->TakePaintStats();
        EmitValue(out, "height_long", static_cast<double>(w->ContentHeight()));
        EmitCheck(out, "laid out long paragraph", w->Check(docs.longPara));
        TypeKeystrokes(out, *w, docs.longKeys, "long", "", docs.longPara, o);
    }
}

// Opens doc (the empty document for the baseline) after the warm-up and reports the peak
// resident size and the live heap it added.
void MeasureMemory(FILE* out, const std::string& side, const SFont& font, const SBenchDoc& warm,
                   const SBenchDoc& doc) {
    std::unique_ptr<IWorkloads> w = MakeSide(side, font);
    std::string error;
    if (!w->Init(&error)) {
        EmitCheck(out, "starts", error);
        return;
    }
    w->WarmUp(warm, false);
    // What the warm-up freed goes back to the system, so that it cannot hide the growth.
    malloc_trim(0);
    const bool reset = ResetPeak();
    const double heap = LiveHeap();
    const long rssBefore = StatusKb("VmRSS");
    w->Open(doc);
    EmitValue(out, "hwm_kb", static_cast<double>(StatusKb("VmHWM")));
    EmitValue(out, "heap_b", LiveHeap() - heap);
    EmitValue(out, "rss_before_kb", static_cast<double>(rssBefore));
    EmitValue(out, "peak_reset", reset ? 1 : 0);
    EmitCheck(out, "memory document laid out", w->Check(doc));
}

// Parses a child's lines into records of this run and side.
void Collect(CResultTable& table, int run, const std::string& side,
             const CChildRun::SResult& result, const std::string& what,
             std::vector<SRecord>* values) {
    for (const std::string& line : result.lines) {
        SRecord r;
        r.run = run;
        r.side = side;
        const size_t a = line.find('\t');
        const size_t b = a == std::string::npos ? a : line.find('\t', a + 1);
        const size_t c = b == std::string::npos ? b : line.find('\t', b + 1);
        if (c == std::string::npos)
            continue;
        r.kind = line.substr(0, a);
        r.key = line.substr(a + 1, b - a - 1);
        r.value = std::strtod(line.c_str() + b + 1, nullptr);
        r.text = line.substr(c + 1);
        if (values)
            values->push_back(r);
        else
            table.Add(r);
    }
    SRecord status;
    status.kind = "check";
    status.run = run;
    status.side = side;
    status.key = what + " process";
    status.text = result.failure.empty() ? "ok" : result.failure;
    table.Add(status);
}

double Find(const std::vector<SRecord>& records, const std::string& key) {
    for (const SRecord& r : records) {
        if (r.kind == "value" && r.key == key)
            return r.value;
    }
    return NAN;
}

void AddValue(CResultTable& table, int run, const std::string& side, const std::string& key,
              double value) {
    SRecord r;
    r.kind = "value";
    r.run = run;
    r.side = side;
    r.key = key;
    r.value = value;
    r.text = "-";
    table.Add(r);
}

void AddNote(CResultTable& table, int run, const std::string& text) {
    SRecord r;
    r.kind = "note";
    r.run = run;
    r.side = "-";
    r.key = "-";
    r.text = text;
    table.Add(r);
}

const char* SideName(const std::string& side) {
    return side == CResultTable::kOurs ? "ZarniEditor" : "GtkTextView";
}

void RunMemory(CResultTable& table, const std::string& side, const SFont& font, const SDocs& docs,
               const SBenchDoc& big, const SOptions& o) {
    const SBenchDoc empty;
    std::vector<SRecord> base, full;
    std::fprintf(stderr, "[run %d] %s memory ...\n", o.run, SideName(side));
    Collect(table, o.run, side,
            CChildRun::Run(o.childTimeout,
                           [&](FILE* out) { MeasureMemory(out, side, font, docs.warm, empty); }),
            "memory baseline", &base);
    Collect(table, o.run, side,
            CChildRun::Run(o.childTimeout,
                           [&](FILE* out) { MeasureMemory(out, side, font, docs.warm, big); }),
            "memory " + SizeKey(big.units), &full);
    for (const std::vector<SRecord>* records : {&base, &full}) {
        for (const SRecord& r : *records) {
            if (r.kind == "check")
                table.Add(r);
        }
    }
    const double hwm = Find(full, "hwm_kb") - Find(base, "hwm_kb");
    const double heap = Find(full, "heap_b") - Find(base, "heap_b");
    if (!std::isnan(hwm))
        AddValue(table, o.run, side, "mem_rss", hwm * 1024.0 / static_cast<double>(big.units));
    if (!std::isnan(heap))
        AddValue(table, o.run, side, "mem_heap", heap / static_cast<double>(big.units));
    if (Find(full, "peak_reset") == 0 || Find(base, "peak_reset") == 0)
        AddNote(table, o.run, "the kernel refused to reset VmHWM: peak RSS includes the warm-up");
}

bool ParseOptions(int argc, char** argv, SOptions& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto next = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        const char* v = nullptr;
        if (a == "--table") {
            while (i + 1 < argc)
                o.tables.push_back(argv[++i]);
        } else if (a == "--no-memory") {
            o.memory = false;
        } else if (a == "--grow") {
            o.revert = false;
        } else if (a == "--only-ours") {
            o.peer = false;
        } else if (a == "--only-gtk") {
            o.ours = false;
        } else if (a == "--gif") {
            o.gif = true;
        } else if (a == "--anim") {
            o.gif = true;
            o.anim = true;
        } else if (a == "--etf") {
            o.etf = true;
        } else if (a == "--etf-phases") {
            o.etf = true;
            o.etfParts.insert("steps");
            o.etfParts.insert("steps-noscroll");
        } else if (a == "--etf-parts" && (v = next()) != nullptr) {
            o.etf = true;
            o.etfParts.clear();
            std::string part;
            for (const char* p = v;; ++p) {
                if (*p == ',' || *p == '\0') {
                    if (part != "loadfrom" && part != "load" && part != "steps" &&
                        part != "steps-noscroll" && part != "save")
                        return false;
                    o.etfParts.insert(part);
                    part.clear();
                    if (*p == '\0')
                        break;
                } else {
                    part += *p;
                }
            }
        } else if (a == "--etf-sizes" && (v = next()) != nullptr) {
            o.etfSizes.clear();
            for (const char* p = v; *p;) {
                char* end = nullptr;
                const double mb = std::strtod(p, &end);
                if (end == p || !(mb > 0))
                    return false;
                o.etfSizes.push_back(mb);
                p = *end == ',' ? end + 1 : end;
            }
        } else if ((a == "--run" || a == "--keys" || a == "--keys-big" || a == "--long-keys" ||
                    a == "--key-budget" || a == "--long" || a == "--timeout" || a == "--seed" ||
                    a == "--raw" || a == "--png" || a == "--sizes") &&
                   (v = next()) != nullptr) {
            if (a == "--run")
                o.run = std::atoi(v);
            else if (a == "--keys")
                o.keys = std::atoi(v);
            else if (a == "--keys-big")
                o.keysBig = std::atoi(v);
            else if (a == "--long-keys")
                o.longKeys = std::atoi(v);
            else if (a == "--key-budget")
                o.keyBudget = std::atof(v);
            else if (a == "--long")
                o.longParagraph = std::atol(v);
            else if (a == "--timeout") {
                o.childTimeout = static_cast<unsigned>(std::atoi(v));
                o.timeoutGiven = true;
            } else if (a == "--seed")
                o.seed = std::strtoull(v, nullptr, 10);
            else if (a == "--raw")
                o.raw = v;
            else if (a == "--png")
                o.png = v;
            else {
                o.sizes.clear();
                for (const char* p = v; *p;) {
                    char* end = nullptr;
                    const long n = std::strtol(p, &end, 10);
                    if (end == p || n <= 0)
                        return false;
                    o.sizes.push_back(n);
                    p = *end == ',' ? end + 1 : end;
                }
            }
        } else {
            return false;
        }
    }
    return true;
}

void Usage() {
    std::fprintf(
        stderr,
        "usage: zarni-bench [--run K] [--raw FILE] [--sizes 10000,100000,1000000]\n"
        "                   [--keys N] [--keys-big N] [--long N] [--long-keys N]\n"
        "                   [--key-budget S] [--timeout S] [--seed N] [--no-memory]\n"
        "                   [--grow] [--only-ours | --only-gtk] [--png PREFIX]\n"
        "       zarni-bench --gif [--run K] [--raw FILE] [--timeout S] [--seed N]\n"
        "                   (only the picture and animation workloads, ours alone;\n"
        "                   --anim instead of --gif: only the animation workloads)\n"
        "       zarni-bench --etf [--run K] [--raw FILE] [--timeout S] [--seed N]\n"
        "                   [--etf-sizes 1,10] [--etf-phases | --etf-parts LIST]\n"
        "                   (only the editor text format save and load workloads, ours\n"
        "                   alone; sizes in MB of saved bytes; --etf-phases adds LoadFrom's\n"
        "                   steps, stamped, with auto-scroll on and off; LIST picks the\n"
        "                   children after the save: save,loadfrom,load,steps,steps-noscroll)\n"
        "       zarni-bench --table RAW...   (aggregates the raw files of several runs)\n");
}

int PrintTables(const std::vector<std::string>& files) {
    CResultTable table;
    std::vector<SRecord> gif, etf;
    bool others = false, mainRecords = false;
    for (const std::string& file : files) {
        std::string error;
        if (!table.Read(file, &error) || !ReadGifRecords(file, gif, &others, &error) ||
            !ReadEtfRecords(file, etf, &mainRecords, &error)) {
            std::fprintf(stderr, "zarni-bench: %s\n", error.c_str());
            return 2;
        }
    }
    if (mainRecords || (gif.empty() && etf.empty()))
        table.Print(stdout);
    PrintGifTable(stdout, gif);
    PrintEtfTable(stdout, etf);
    return table.ChecksPassed() ? 0 : 1;
}

// The picture and animation workloads alone: their table, and their records in the raw file.
int RunGif(const SOptions& o) {
    SGifBenchOptions options;
    options.run = o.run;
    options.childTimeout = o.childTimeout;
    options.seed = o.seed;
    options.pictures = !o.anim;
    CResultTable table;
    const std::vector<SRecord> records = RunGifWorkloads(options);
    for (const SRecord& r : records)
        table.Add(r);
    if (!o.raw.empty()) {
        FILE* raw = std::fopen(o.raw.c_str(), "w");
        if (!raw) {
            std::fprintf(stderr, "zarni-bench: cannot write %s\n", o.raw.c_str());
            return 2;
        }
        table.WriteRaw(raw);
        std::fclose(raw);
    }
    PrintGifTable(stdout, records);
    return table.ChecksPassed() ? 0 : 1;
}

// The editor text format workloads alone: their table, and their records in the raw file.
int RunEtf(const SOptions& o) {
    SEtfBenchOptions options;
    options.run = o.run;
    options.childTimeout = o.timeoutGiven ? o.childTimeout : 900;
    options.seed = o.seed;
    options.sizesMb = o.etfSizes;
    options.parts = o.etfParts;
    CResultTable table;
    const std::vector<SRecord> records = RunEtfWorkloads(options);
    for (const SRecord& r : records)
        table.Add(r);
    if (!o.raw.empty()) {
        FILE* raw = std::fopen(o.raw.c_str(), "w");
        if (!raw) {
            std::fprintf(stderr, "zarni-bench: cannot write %s\n", o.raw.c_str());
            return 2;
        }
        table.WriteRaw(raw);
        std::fclose(raw);
    }
    PrintEtfTable(stdout, records);
    return table.ChecksPassed() ? 0 : 1;
}

// Each document and each keystroke list has a seed of its own, so that a document never
// depends on which other sizes or how many keystrokes were asked for.
SDocs MakeDocuments(CResultTable& table, const SOptions& o) {
    constexpr uint64_t kKeySalt = 0x6B657973ull;  // "keys"
    SDocs docs;
    docs.warm = CDocGen::WarmUpDocument();
    std::string problem = CDocGen::Validate(docs.warm, docs.warm.units, false);
    for (long units : o.sizes) {
        const uint64_t seed = o.seed ^ static_cast<uint64_t>(units);
        docs.sized.push_back(CDocGen(seed).Document(units));
        const SBenchDoc& doc = docs.sized.back();
        const std::string invalid = CDocGen::Validate(doc, units, true);
        if (problem.empty() && !invalid.empty())
            problem = SizeKey(units) + ": " + invalid;
        const double share = static_cast<double>(doc.ideographs) / static_cast<double>(units);
        if (problem.empty() && (share < 0.25 || share > 0.35))
            problem = SizeKey(units) + ": ideograph share " + std::to_string(share);
        const int count = units >= 1000000 ? o.keysBig : o.keys;
        const size_t para = doc.paraStarts.size() / 2;
        docs.keys.push_back(
            CDocGen(seed ^ kKeySalt).Keystrokes(doc, para, count + 2, false, !o.revert));
        char note[240];
        std::snprintf(note, sizeof(note),
                      "document %s: %zu paragraphs, %.1f %% ideographs, %ld UTF-8 bytes; "
                      "%d keystrokes planned into paragraph %zu (%ld units before typing)",
                      SizeKey(units).c_str(), doc.paraStarts.size(), 100.0 * share,
                      static_cast<long>(doc.utf8.size()), count, para, doc.paraLengths[para]);
        AddNote(table, o.run, note);
    }
    if (o.longParagraph > 0) {
        const uint64_t seed = o.seed ^ 0x6C6F6E67ull;  // "long"
        docs.longPara = CDocGen(seed).Paragraph(o.longParagraph);
        const std::string invalid = CDocGen::Validate(docs.longPara, o.longParagraph, false);
        if (problem.empty() && !invalid.empty())
            problem = "long paragraph: " + invalid;
        docs.longKeys =
            CDocGen(seed ^ kKeySalt).Keystrokes(docs.longPara, 0, o.longKeys + 2, true, !o.revert);
        AddNote(table, o.run,
                "long paragraph: " + std::to_string(o.longParagraph) + " units, " +
                    std::to_string(o.longKeys) + " keystrokes planned at its end");
    }
    SRecord check;
    check.kind = "check";
    check.run = o.run;
    check.side = "-";
    check.key = "generated documents";
    check.text = problem.empty() ? "ok" : problem;
    table.Add(check);
    return docs;
}

}  // namespace

int main(int argc, char** argv) {
    SOptions o;
    if (!ParseOptions(argc, argv, o)) {
        Usage();
        return 2;
    }
    if (!o.tables.empty())
        return PrintTables(o.tables);
    if (o.etf)
        return RunEtf(o);
    if (o.gif)
        return RunGif(o);

    CResultTable table;
    double load = 0;
    if (FILE* f = std::fopen("/proc/loadavg", "r")) {
        if (std::fscanf(f, "%lf", &load) != 1)
            load = 0;
        std::fclose(f);
    }
    AddValue(table, o.run, "-", "load", load);
    const SDocs docs = MakeDocuments(table, o);
    const SFont font = DefaultFont();
    AddNote(table, o.run,
            "both sides: view 600 x 400, font \"" + font.family + "\" " +
                std::to_string(font.pixels) +
                " px, every ideograph laid out and painted once before timing (untimed)");
    AddNote(table, o.run,
            "ours: fresh editor per document, undo queue off (UndoLimited(0)); GtkTextView "
            "(GTK 3) keeps no undo history either");
    AddNote(table, o.run,
            std::string("keystroke = place the caret, insert one character, relayout, repaint the "
                        "changed band onto the image surface; ") +
                (o.revert ? "each is deleted again (untimed) before the next, so every keystroke "
                            "meets the same paragraph; "
                          : "keystrokes stay, so the paragraph grows by one unit per keystroke; ") +
                "two untimed keystrokes first bring the paragraph into view; p99 is nearest-rank "
                "over the timed keystrokes of one run");
    AddNote(table, o.run,
            "memory: each side in its own forked child, VmHWM (reset after the warm-up) and live "
            "heap (mallinfo2) after opening, minus the same child with an empty document");
    std::vector<std::string> sides;
    if (o.ours)
        sides.push_back(CResultTable::kOurs);
    if (o.peer)
        sides.push_back(CResultTable::kPeer);
    // Alternate which side goes first, so that neither always meets a colder machine.
    if (o.run % 2 == 0 && sides.size() == 2)
        std::swap(sides[0], sides[1]);

    if (o.memory && !docs.sized.empty()) {
        const SBenchDoc* big = &docs.sized.front();
        for (const SBenchDoc& doc : docs.sized) {
            if (doc.units > big->units)
                big = &doc;
        }
        for (const std::string& side : sides)
            RunMemory(table, side, font, docs, *big, o);
    }
    for (const std::string& side : sides) {
        std::fprintf(stderr, "[run %d] %s timing ...\n", o.run, SideName(side));
        const auto start = std::chrono::steady_clock::now();
        Collect(
            table, o.run, side,
            CChildRun::Run(o.childTimeout, [&](FILE* out) { TimeSide(out, side, font, docs, o); }),
            "timing", nullptr);
        std::fprintf(stderr, "[run %d] %s timing took %.1f s\n", o.run, SideName(side),
                     MillisecondsSince(start) / 1000);
    }

    if (!o.raw.empty()) {
        FILE* raw = std::fopen(o.raw.c_str(), "w");
        if (!raw) {
            std::fprintf(stderr, "zarni-bench: cannot write %s\n", o.raw.c_str());
            return 2;
        }
        table.WriteRaw(raw);
        std::fclose(raw);
    }
    table.Print(stdout);
    return table.ChecksPassed() ? 0 : 1;
}
