// The picture workloads: a long movie and many small emoticons, generated as GIF bytes,
// loaded and drawn through the drawing contract in forked children; the animation
// workloads of AnimWorkloads.cpp join them, and the table shows both.
#include "bench/GifWorkloads.h"

#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <random>
#include <set>
#include <sstream>

#include "bench/AnimWorkloads.h"
#include "bench/ChildRun.h"
#include "bench/GifWriter.h"
#include "bench/Stopwatch.h"
#include "platform/graphics/Morla.h"

namespace gifbench {

constexpr const char* kPrefix = "gif";  // every key of these workloads starts with it

void Emit(FILE* out, const char* kind, const std::string& key, double value, std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    std::fprintf(out, "%s\t%s\t%.9g\t%s\n", kind, key.c_str(), value, text.c_str());
}
void EmitValue(FILE* out, const std::string& key, double value) {
    Emit(out, "value", key, value);
}
void EmitCheck(FILE* out, const std::string& what, const std::string& failure) {
    Emit(out, "check", std::string(kPrefix) + " " + what, 0, failure.empty() ? "ok" : failure);
}
void EmitNote(FILE* out, const std::string& text) {
    Emit(out, "note", kPrefix, 0, text);
}

int64_t StatusKb(const char* field) {
    std::ifstream in("/proc/self/status");
    std::string line;
    const size_t length = std::strlen(field);
    while (std::getline(in, line)) {
        if (line.compare(0, length, field) == 0 && line.size() > length && line[length] == ':')
            return std::atoll(line.c_str() + length + 1);
    }
    return -1;
}

bool ResetPeak() {
    FILE* f = std::fopen("/proc/self/clear_refs", "w");
    if (!f)
        return false;
    const bool ok = std::fputs("5", f) >= 0;
    return std::fclose(f) == 0 && ok;
}

double LiveHeap() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd);
}

void Collect(const CChildRun::SResult& result, int run, const std::string& prefix,
             const std::string& what, std::vector<SRecord>& records) {
    for (const std::string& line : result.lines) {
        std::vector<std::string> fields;
        std::istringstream in(line);
        std::string field;
        while (std::getline(in, field, '\t'))
            fields.push_back(field);
        if (fields.size() != 4)
            continue;
        records.push_back({fields[0], run, CResultTable::kOurs, fields[1],
                           std::strtod(fields[2].c_str(), nullptr), fields[3]});
    }
    records.push_back({"check", run, CResultTable::kOurs, prefix + " " + what, 0,
                       result.failure.empty() ? "ok" : result.failure});
}

void Collect(const CChildRun::SResult& result, int run, const std::string& what,
             std::vector<SRecord>& records) {
    Collect(result, run, kPrefix, what, records);
}

}  // namespace gifbench

namespace {

using namespace gifbench;

constexpr int kMovieFrames = 800;
constexpr int kMovieWidth = 640;
constexpr int kMovieHeight = 420;
constexpr int kMovieDelay = 4;  // hundredths, as MakeMovieGif writes them
constexpr int kRandomFrames = 40;
constexpr double kLoadBudgetMs = 1000;
constexpr double kMovieBudgetMb = 100;

constexpr int kEmoticonFrames = 20;
constexpr int kEmoticonSide = 24;
constexpr int kDistinctEmoticons = 200;
constexpr int kDuplicates = 1000;
constexpr int kDuplicateRounds = 5;
constexpr double kEmoticonBudgetKb = 100;

constexpr double kKb = 1024.0;
constexpr double kMsPerUs = 1e-3;

constexpr int kLabelWidth = 56;  // the table's first column
constexpr int kCellWidth = 24;

using XImagePtr = std::unique_ptr<IXImage, XReleaser>;
using XCanvasPtr = std::unique_ptr<IXCanvas, XReleaser>;

// The rows of the table, in order.
const SRow kRows[] = {
    {"gif_movie_mb", "movie GIF 800 x 640x420, file (MB)", 2},
    {"gif_load", "movie load (ms)", 1},
    {"gif_load_cpu", "movie load, process CPU (ms)", 1},
    {"gif_load_rss_mb", "movie RSS added by loading (MB)", 1},
    {"gif_rss_mb", "movie RSS after loading (MB)", 1},
    {"gif_play", "movie 800 frames in order (ms)", 0},
    {"gif_play_cpu", "movie 800 frames in order, CPU (ms)", 0},
    {"gif_frame50", "movie frame select+draw median (ms)", 3},
    {"gif_frame99", "movie frame select+draw p99 (ms)", 3},
    {"gif_random50", "movie random frame median (ms)", 2},
    {"gif_random_max", "movie random frame max (ms)", 2},
    {"gif_play_rss_mb", "movie RSS after drawing (MB)", 1},
    {"gif_hwm_mb", "movie peak RSS, load and draw (MB)", 1},
    {"gif_emo_bytes", "emoticon GIF 20 x 24x24, file (bytes)", 0},
    {"gif_emo_load_kb", "emoticon RSS per picture, loaded (kB)", 1},
    {"gif_emo_drawn_kb", "emoticon RSS per picture, frames drawn (kB)", 1},
    {"gif_emo_heap_kb", "emoticon live heap per picture, drawn (kB)", 1},
    {"gif_dup_b", "emoticon RSS per duplicate (bytes)", 0},
    {"gif_dup_heap_b", "emoticon live heap per duplicate (bytes)", 0},
    {"gif_dup_draw50", "duplicates at own frames, draw median (us)", 1},
    {"gif_dup_draw99", "duplicates at own frames, draw p99 (us)", 1},
    {"gif_dup_drawn_b", "emoticon RSS per duplicate, drawn (bytes)", 0},
    {"gif_dup_drawn_heap_b", "emoticon heap per duplicate, drawn (bytes)", 0},
};

XImagePtr LoadGif(const std::vector<uint8_t>& bytes) {
    XImagePtr image(XCreateImage());
    if (!image || !image->Load(bytes.data(), static_cast<DWORD>(bytes.size()), 0))
        return nullptr;
    return image;
}

XCanvasPtr MakeCanvas(int width, int height) {
    XCanvasPtr canvas(XCreateCanvas());
    if (!canvas || !canvas->Create(nullptr, width, height))
        return nullptr;
    return canvas;
}

bool SelectAndDraw(IXImage* image, IXCanvas* canvas, int frame) {
    const RECT dest{0, 0, image->GetWidth(), image->GetHeight()};
    return image->SelectFrame(frame) &&
           canvas->DrawImageBlend(image, &dest, 0, 0, dest.right, dest.bottom, 255);
}

// Loads and draws a picture that is then dropped, so that loading the GIF module and the
// first allocations of the libraries count in no figure.
void WarmUp(uint64_t seed, IXCanvas* canvas) {
    const XImagePtr picture = LoadGif(MakeEmoticonGif(seed, kEmoticonFrames, kEmoticonSide));
    for (int frame = 0; picture && frame < kEmoticonFrames; ++frame)
        SelectAndDraw(picture.get(), canvas, frame);
}

void RunMovie(FILE* out, uint64_t seed) {
    const std::vector<uint8_t> bytes = MakeMovieGif(seed, kMovieFrames, kMovieWidth, kMovieHeight);
    EmitValue(out, "gif_movie_mb", static_cast<double>(bytes.size()) / 1e6);
    const XCanvasPtr canvas = MakeCanvas(kMovieWidth, kMovieHeight);
    EmitCheck(out, "movie canvas", canvas ? "" : "no 640 x 420 canvas");
    if (!canvas)
        return;
    WarmUp(~seed, canvas.get());
    malloc_trim(0);
    const bool reset = ResetPeak();
    const int64_t before = StatusKb("VmRSS");
    const CStopwatch loadWatch;
    const XImagePtr movie = LoadGif(bytes);
    const STiming load = loadWatch.Elapsed();
    const int64_t loaded = StatusKb("VmRSS");
    const bool framesRight =
        movie && movie->GetFrameDelays() == std::vector<int>(kMovieFrames, kMovieDelay);
    EmitCheck(out, "movie loads with its frames",
              framesRight ? "" : "not loaded, or wrong frame count or delays");
    if (!movie)
        return;
    EmitValue(out, "gif_load", load.wall);
    EmitValue(out, "gif_load_cpu", load.cpu);
    EmitValue(out, "gif_load_rss_mb", static_cast<double>(loaded - before) / kKb);
    EmitValue(out, "gif_rss_mb", static_cast<double>(loaded) / kKb);
    EmitCheck(out, "movie loads within 1 s",
              load.wall < kLoadBudgetMs ? "" : std::to_string(load.wall) + " ms");

    std::vector<double> times;
    bool drawn = true;
    const CStopwatch playWatch;
    for (int i = 0; i < kMovieFrames; ++i) {
        const CStopwatch one;
        drawn = SelectAndDraw(movie.get(), canvas.get(), i) && drawn;
        times.push_back(one.Elapsed().wall);
    }
    const STiming play = playWatch.Elapsed();
    EmitValue(out, "gif_play", play.wall);
    EmitValue(out, "gif_play_cpu", play.cpu);
    EmitValue(out, "gif_frame50", Percentile(times, 50));
    EmitValue(out, "gif_frame99", Percentile(times, 99));

    // Frames at random: mostly steps back, which compose from the first frame again.
    std::mt19937 random(static_cast<uint32_t>(seed));
    times.clear();
    for (int i = 0; i < kRandomFrames; ++i) {
        const int frame = static_cast<int>(random() % kMovieFrames);
        const CStopwatch one;
        drawn = SelectAndDraw(movie.get(), canvas.get(), frame) && drawn;
        times.push_back(one.Elapsed().wall);
    }
    EmitValue(out, "gif_random50", Percentile(times, 50));
    EmitValue(out, "gif_random_max", Percentile(times, 100));
    EmitCheck(out, "movie frames drawn", drawn ? "" : "a frame was not drawn");
    const int64_t played = StatusKb("VmRSS");
    const int64_t peak = StatusKb("VmHWM");
    EmitValue(out, "gif_play_rss_mb", static_cast<double>(played) / kKb);
    EmitValue(out, "gif_hwm_mb", static_cast<double>(peak) / kKb);
    EmitCheck(out, "movie peak RSS under 100 MB",
              static_cast<double>(peak) / kKb < kMovieBudgetMb ? "" : std::to_string(peak) + " kB");
    if (!reset)
        Emit(out, "note", kPrefix, 0,
             "the kernel refused to reset VmHWM: the movie's peak "
             "RSS includes what the child did before loading");
}

void RunEmoticons(FILE* out, uint64_t seed) {
    std::vector<std::vector<uint8_t>> files;
    for (int i = 0; i < kDistinctEmoticons; ++i)
        files.push_back(
            MakeEmoticonGif(seed + static_cast<uint64_t>(i), kEmoticonFrames, kEmoticonSide));
    EmitValue(out, "gif_emo_bytes", static_cast<double>(files[0].size()));
    const XCanvasPtr canvas = MakeCanvas(kEmoticonSide, kEmoticonSide);
    // Everything the measured part stores is reserved before it, so that only the
    // pictures' own memory shows in the figures.
    std::vector<XImagePtr> pictures, duplicates;
    pictures.reserve(kDistinctEmoticons);
    duplicates.reserve(kDuplicates);
    std::vector<double> times;
    times.reserve(kDuplicateRounds * kDuplicates);
    if (!canvas) {
        EmitCheck(out, "emoticon canvas", "no 24 x 24 canvas");
        return;
    }
    WarmUp(~seed, canvas.get());
    malloc_trim(0);
    const int64_t rss0 = StatusKb("VmRSS");
    const double heap0 = LiveHeap();
    bool loaded = true;
    for (const std::vector<uint8_t>& file : files) {
        pictures.push_back(LoadGif(file));
        loaded = loaded && pictures.back() && pictures.back()->GetFrameCount() == kEmoticonFrames;
    }
    const int64_t rss1 = StatusKb("VmRSS");
    EmitCheck(out, "emoticons load with their frames", loaded ? "" : "not all loaded");
    if (!loaded)
        return;
    bool drawn = true;
    for (const XImagePtr& picture : pictures) {
        for (int frame = 0; frame < kEmoticonFrames; ++frame)
            drawn = SelectAndDraw(picture.get(), canvas.get(), frame) && drawn;
    }
    const int64_t rss2 = StatusKb("VmRSS");
    const double heap2 = LiveHeap();
    auto perPicture = [](double kb) { return kb / kDistinctEmoticons; };
    EmitValue(out, "gif_emo_load_kb", perPicture(static_cast<double>(rss1 - rss0)));
    EmitValue(out, "gif_emo_drawn_kb", perPicture(static_cast<double>(rss2 - rss0)));
    EmitValue(out, "gif_emo_heap_kb", perPicture((heap2 - heap0) / kKb));
    EmitCheck(out, "emoticon under 100 kB per picture",
              perPicture(static_cast<double>(rss2 - rss0)) < kEmoticonBudgetKb
                  ? ""
                  : std::to_string(perPicture(static_cast<double>(rss2 - rss0))) + " kB");

    IXImage* original = pictures.front().get();
    for (int i = 0; i < kDuplicates; ++i) {
        duplicates.emplace_back(original->Duplicate());
        drawn = drawn && duplicates.back();
    }
    const int64_t rss3 = StatusKb("VmRSS");
    const double heap3 = LiveHeap();
    EmitValue(out, "gif_dup_b", static_cast<double>(rss3 - rss2) * kKb / kDuplicates);
    EmitValue(out, "gif_dup_heap_b", (heap3 - heap2) / kDuplicates);
    // Every duplicate drawn in turn, each at another frame than the one before.
    for (int round = 0; round < kDuplicateRounds && drawn; ++round) {
        for (int i = 0; i < kDuplicates; ++i) {
            const CStopwatch one;
            drawn =
                SelectAndDraw(duplicates[i].get(), canvas.get(), (i + round) % kEmoticonFrames) &&
                drawn;
            times.push_back(one.Elapsed().wall / kMsPerUs);
        }
    }
    EmitCheck(out, "emoticon frames drawn", drawn ? "" : "a frame or a duplicate was not drawn");
    EmitValue(out, "gif_dup_draw50", Percentile(times, 50));
    EmitValue(out, "gif_dup_draw99", Percentile(times, 99));
    EmitValue(out, "gif_dup_drawn_b",
              static_cast<double>(StatusKb("VmRSS") - rss2) * kKb / kDuplicates);
    EmitValue(out, "gif_dup_drawn_heap_b", (LiveHeap() - heap2) / kDuplicates);
}

std::string Fixed(double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof(buf), "%.*f", decimals, v);
    return buf;
}

}  // namespace

std::vector<SRecord> RunGifWorkloads(const SGifBenchOptions& o) {
    std::vector<SRecord> records;
    if (o.pictures) {
        std::fprintf(stderr, "[run %d] GIF movie ...\n", o.run);
        Collect(CChildRun::Run(o.childTimeout, [&](FILE* out) { RunMovie(out, o.seed); }), o.run,
                "movie process", records);
        std::fprintf(stderr, "[run %d] GIF emoticons ...\n", o.run);
        Collect(CChildRun::Run(o.childTimeout, [&](FILE* out) { RunEmoticons(out, o.seed); }),
                o.run, "emoticon process", records);
        records.push_back({"note", o.run, "-", kPrefix, 0,
                           "GIF: each part in a forked child, after one emoticon was loaded and "
                           "drawn (untimed); RSS from /proc/self/status; per-picture figures are "
                           "(after - before) / count; drawing is SelectFrame + DrawImageBlend onto "
                           "a canvas of the picture's size"});
    }
    if (o.animations)
        RunAnimWorkloads(o, records);
    return records;
}

bool ReadGifRecords(const std::string& path, std::vector<SRecord>& records, bool* others,
                    std::string* error) {
    std::ifstream in(path);
    if (!in) {
        if (error)
            *error = "cannot read " + path;
        return false;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::vector<std::string> f;
        std::istringstream fields(line);
        std::string field;
        while (std::getline(fields, field, '\t'))
            f.push_back(field);
        if (line.empty())
            continue;
        if (f.size() != 6) {
            if (error)
                *error = path + ":" + std::to_string(number) + ": expected 6 fields";
            return false;
        }
        if (f[3].compare(0, std::strlen(kPrefix), kPrefix) == 0)
            records.push_back({f[0], std::atoi(f[1].c_str()), f[2], f[3],
                               std::strtod(f[4].c_str(), nullptr), f[5]});
        else if (others)
            *others = true;
    }
    return true;
}

void PrintGifTable(FILE* out, const std::vector<SRecord>& records) {
    std::set<int> runs;
    for (const SRecord& r : records)
        runs.insert(r.run);
    if (records.empty())
        return;
    std::fprintf(out,
                 "\nPictures and animations (generated GIFs) on ZarniEditor, %zu process run%s: "
                 "median over runs [min-max]\n\n",
                 runs.size(), runs.size() == 1 ? "" : "s");
    std::fprintf(out, "%-*s | %s\n", kLabelWidth, "workload", "ZarniEditor");
    std::fprintf(out, "%s\n", std::string(kLabelWidth + 3 + kCellWidth, '-').c_str());
    auto printRow = [&](const SRow& row) {
        std::vector<double> values;
        for (const SRecord& r : records) {
            if (r.kind == "value" && r.key == row.key)
                values.push_back(r.value);
        }
        if (values.empty())
            return;
        const SSpread s = SSpread::Of(values);
        std::string cell = Fixed(s.median, row.decimals);
        if (s.count > 1)
            cell += " [" + Fixed(s.min, row.decimals) + "-" + Fixed(s.max, row.decimals) + "]";
        std::fprintf(out, "%-*s | %s\n", kLabelWidth, row.label, cell.c_str());
    };
    for (const SRow& row : kRows)
        printRow(row);
    for (const SRow& row : AnimRows())
        printRow(row);
    PrintChecksAndNotes(out, records);
}
