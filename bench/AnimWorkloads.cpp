// The animation workloads: the long movie through zarni::CAnimate, and emoticons placed in an
// editor many times over and advanced by the shared timer's pulse, each in a forked child.
#include "bench/AnimWorkloads.h"

#include <malloc.h>

#include <cmath>
#include <memory>
#include <random>
#include <string>

#include "bench/GifWriter.h"
#include "bench/Stopwatch.h"
#include "core/Messages.h"
#include "editor/Editor.h"
#include "editor/EditorInterface.h"
#include "media/Animate.h"
#include "media/Timer.h"
#include "model/CompressStore.h"
#include "platform/base/Geometry.h"
#include "platform/base/String.h"
#include "platform/graphics/Morla.h"
#include "platform/ui/headless/HeadlessUi.h"
#include "view/EditorView.h"
#include "view/MultilayerView.h"
#include "view/MultilayerViewListener.h"

namespace {

using namespace gifbench;

constexpr int kMovieFrames = 800;
constexpr int kMovieWidth = 640;
constexpr int kMovieHeight = 420;
constexpr unsigned int kMovieDelayMs = 40;  // MakeMovieGif's 4 hundredths
constexpr double kLoadBudgetMs = 1000;
constexpr double kMovieBudgetMb = 100;

constexpr int kEmoticonFrames = 20;
constexpr int kEmoticonSide = 24;
constexpr int kDistinct = 50;        // different pictures
constexpr int kPlacementsEach = 20;  // times each one is inserted
constexpr int kPlacements = kDistinct * kPlacementsEach;
constexpr int kViewWidth = 600;
constexpr int kViewHeight = 400;
constexpr double kPictureBudgetKb = 100;
constexpr const char* kSeparator = " ";  // after every emoticon, so that lines wrap

constexpr unsigned int kTickMs = 100;
constexpr unsigned int kEmoticonDelayMs = 100;  // MakeEmoticonGif's 10 hundredths
constexpr int kWarmPulses = kEmoticonFrames;    // one whole cycle before timing
constexpr int kPulses = 200;
constexpr double kPulseBudgetMs = 1;

// The mixed set: each picture's frames last one of these (hundredths), every kHoldEvery-th
// frame kHoldFactor times as long, as when an emoticon pauses on a pose.
constexpr int kMixDelays[] = {8, 10, 12, 15, 20};
constexpr int kHoldEvery = 5;
constexpr int kHoldFactor = 3;
constexpr int kMixColours = 16;
constexpr double kTurn = 6.283185307179586;  // a full circle in radians

constexpr double kKb = 1024.0;
constexpr double kMsPerUs = 1e-3;

using XCanvasPtr = std::unique_ptr<IXCanvas, XReleaser>;

// What the emoticon children insert: pictures whose frames all last one tick, or the mix.
enum class EDelays { kEveryPulse, kMixed };

// The rows of this part of the table, in order.
const std::vector<SRow> kRows = {
    {"gif_am_load", "CAnimate movie SetAnimate (ms)", 1},
    {"gif_am_load_cpu", "CAnimate movie SetAnimate, process CPU (ms)", 1},
    {"gif_am_load_rss_mb", "CAnimate movie RSS added by loading (MB)", 1},
    {"gif_am_rss_mb", "CAnimate movie RSS after loading (MB)", 1},
    {"gif_am_play", "CAnimate movie 800 x TimeArrive+Draw (ms)", 0},
    {"gif_am_frame50", "CAnimate movie TimeArrive+Draw median (ms)", 3},
    {"gif_am_frame99", "CAnimate movie TimeArrive+Draw p99 (ms)", 3},
    {"gif_am_hwm_mb", "CAnimate movie peak RSS, load and play (MB)", 1},
    {"gif_ed_insert50", "editor 50 emoticons x 20: insert+blank median (ms)", 3},
    {"gif_ed_insert99", "editor 50 emoticons x 20: insert+blank p99 (ms)", 3},
    {"gif_ed_total_kb", "editor RSS added by the 1000 placements (kB)", 0},
    {"gif_ed_pic_kb", "editor RSS per distinct picture, total / 50 (kB)", 1},
    {"gif_ed_heap_pic_kb", "editor heap per distinct picture, total / 50 (kB)", 1},
    {"gif_ed_place_b", "editor RSS per placement, total / 1000 (bytes)", 0},
    {"gif_ed_heap_place_b", "editor heap per placement, total / 1000 (bytes)", 0},
    {"gif_ed_first_kb", "editor RSS per picture's first placement (kB)", 1},
    {"gif_ed_heap_first_kb", "editor heap per picture's first placement (kB)", 1},
    {"gif_ed_more_b", "editor RSS per further placement (bytes)", 0},
    {"gif_ed_heap_more_b", "editor heap per further placement (bytes)", 0},
    {"gif_ed_pulsed_pic_kb", "editor RSS per distinct picture after the pulses (kB)", 1},
    {"gif_ed_heap_pulsed_pic_kb", "editor heap per distinct picture after the pulses (kB)", 1},
    {"gif_ed_objects", "editor store objects added (one per placement)", 0},
    {"gif_ed_shared", "editor store sub-objects added (shared data+frames)", 0},
    {"gif_p1_first", "pulse, 1000 placed, 100 ms frames: first (ms)", 3},
    {"gif_p1_50", "pulse, 1000 placed, 100 ms frames: median (ms)", 3},
    {"gif_p1_99", "pulse, 1000 placed, 100 ms frames: p99 (ms)", 3},
    {"gif_p1_cpu50", "pulse, 1000 placed, 100 ms frames: CPU median (ms)", 3},
    {"gif_p1_cpu99", "pulse, 1000 placed, 100 ms frames: CPU p99 (ms)", 3},
    {"gif_p1_changes", "pulse, 100 ms frames: frame changes per pulse", 1},
    {"gif_p1_bands", "pulse, 100 ms frames: repaints per pulse", 1},
    {"gif_p1_px", "pulse, 100 ms frames: pixels repainted per pulse", 0},
    {"gif_pm_first", "pulse, 1000 placed, mixed delays: first (ms)", 3},
    {"gif_pm_50", "pulse, 1000 placed, mixed delays: median (ms)", 3},
    {"gif_pm_99", "pulse, 1000 placed, mixed delays: p99 (ms)", 3},
    {"gif_pm_cpu50", "pulse, 1000 placed, mixed delays: CPU median (ms)", 3},
    {"gif_pm_cpu99", "pulse, 1000 placed, mixed delays: CPU p99 (ms)", 3},
    {"gif_pm_changes", "pulse, mixed delays: frame changes per pulse", 1},
    {"gif_pm_bands", "pulse, mixed delays: repaints per pulse", 1},
    {"gif_pm_px", "pulse, mixed delays: pixels repainted per pulse", 0},
};

// Draw's clip meaning "no clipping".
CRect Unclipped() {
    return CRect(-1, -1, -1, -1);
}

std::string AsString(const std::vector<uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// A side x side emoticon of kEmoticonFrames full frames over 16 colours: a disc of a
// seed-dependent colour with a dot running round its rim. Frames last baseDelay hundredths,
// every kHoldEvery-th kHoldFactor times as long.
std::string MakeMixedEmoticon(uint64_t seed, int baseDelay) {
    enum : uint8_t { kPaper, kDisc, kDot };
    std::mt19937_64 random(seed);
    std::vector<uint32_t> palette = {0xFFFFFF, 0, 0x202020};
    while (palette.size() < kMixColours)
        palette.push_back(static_cast<uint32_t>(random() & 0xFFFFFF));
    palette[kDisc] = static_cast<uint32_t>(random() & 0xFFFFFF);
    CGifWriter gif(kEmoticonSide, kEmoticonSide, palette);
    const int centre = kEmoticonSide / 2, radius = kEmoticonSide / 2 - 1, track = radius - 3;
    std::vector<uint8_t> pixels(static_cast<size_t>(kEmoticonSide) * kEmoticonSide);
    for (int i = 0; i < kEmoticonFrames; ++i) {
        const double angle = kTurn * i / kEmoticonFrames;
        const int dotX = centre + static_cast<int>(std::lround(track * std::cos(angle)));
        const int dotY = centre + static_cast<int>(std::lround(track * std::sin(angle)));
        for (int y = 0; y < kEmoticonSide; ++y) {
            for (int x = 0; x < kEmoticonSide; ++x) {
                const int dx = x - centre, dy = y - centre, ex = x - dotX, ey = y - dotY;
                uint8_t index = dx * dx + dy * dy <= radius * radius ? kDisc : kPaper;
                if (ex * ex + ey * ey <= 2)
                    index = kDot;
                pixels[static_cast<size_t>(y) * kEmoticonSide + x] = index;
            }
        }
        const int delay = i % kHoldEvery == kHoldEvery - 1 ? baseDelay * kHoldFactor : baseDelay;
        gif.AddFrame(0, 0, kEmoticonSide, kEmoticonSide, delay, pixels);
    }
    return AsString(gif.Bytes());
}

// Counts the bands the multilayer view recomposes onto its surface.
class CRepaintCounter : public IMultilayerViewListener {
public:
    void N_Changed(IXCanvas*, const CRect& changed) override {
        ++bands;
        pixels += static_cast<long long>(changed.Width()) * changed.Height();
    }
    void N_ReservePaintRgn(const ZarniUUID&, const CRect&) override {}
    void OnContextMenu(const CPoint&) override {}
    void N_EditorViewSizeChanged(const CSize&) override {}
    void N_EditorViewPortChanged(const CPoint&) override {}
    void Reset() {
        bands = 0;
        pixels = 0;
    }

    long bands = 0;
    long long pixels = 0;
};

// The timer's synchronisation window: the pulses it posts are dropped, so that only the
// benchmark's own Pulse calls advance the animations.
LRESULT DropMessage(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

// One editor as the workloads use it: undo off, 600 x 400.
std::unique_ptr<CEditorInterface> MakeEditor() {
    std::unique_ptr<CEditorInterface> editor(new CEditorInterface());
    editor->UndoLimited(0);
    editor->SetViewSize(CSize(kViewWidth, kViewHeight));
    return editor;
}

CMultilayerView* ViewOf(CEditorInterface& editor) {
    return editor.GetCore().GetRoot()->GetView();
}

// Inserts one animation of bytes and a blank at the selection; false when either fails.
// The animation is made for this placement alone, as a host inserting an emoticon does; the
// store keeps its clone, sharing the frames of earlier placements of the same picture.
bool Place(CEditorInterface& editor, const std::string& bytes, const std::string& text,
           const CString& separator, ZarniUUID* id) {
    zarni::CAnimate animation;
    if (animation.SetAnimate(bytes, CZarniArray<unsigned int>(), text) != 1)
        return false;
    *id = animation.GetID();
    return editor.ReplaceSel(static_cast<IAnimate*>(&animation)) && editor.ReplaceSel(separator);
}

// Plays an emoticon in a throwaway editor, so that loading the GIF module and the first
// allocations of the editor, the store and the timer count in no figure.
void WarmUpEditor(uint64_t seed) {
    std::unique_ptr<CEditorInterface> editor = MakeEditor();
    ZarniUUID id;
    Place(*editor, AsString(MakeEmoticonGif(seed, kEmoticonFrames, kEmoticonSide)), "[warm]",
          CString(kSeparator), &id);
    editor->ReplaceSel(CString("warm-up"));
    for (int i = 0; i < kEmoticonFrames; ++i) {
        if (auto* animation = dynamic_cast<zarni::CAnimate*>(CCompressStore::Instance().Find(id)))
            animation->TimeArrive(kEmoticonDelayMs);
    }
}

void RunMovie(FILE* out, uint64_t seed) {
    const std::string bytes = AsString(MakeMovieGif(seed, kMovieFrames, kMovieWidth, kMovieHeight));
    XCanvasPtr canvas(XCreateCanvas());
    const bool made = canvas && canvas->Create(nullptr, kMovieWidth, kMovieHeight);
    EmitCheck(out, "animation movie canvas", made ? "" : "no 640 x 420 canvas");
    if (!made)
        return;
    {
        zarni::CAnimate warm;
        warm.SetAnimate(AsString(MakeEmoticonGif(~seed, kEmoticonFrames, kEmoticonSide)),
                        CZarniArray<unsigned int>(), "[warm]");
        const CRect place(0, 0, kEmoticonSide, kEmoticonSide);
        for (int i = 0; i < kEmoticonFrames; ++i) {
            warm.TimeArrive(kEmoticonDelayMs);
            warm.Draw(canvas.get(), place, Unclipped());
        }
    }
    zarni::CAnimate movie;
    malloc_trim(0);
    const bool reset = ResetPeak();
    const int64_t before = StatusKb("VmRSS");
    const CStopwatch loadWatch;
    const bool loaded = movie.SetAnimate(bytes, CZarniArray<unsigned int>(), "[movie]") == 1;
    const STiming load = loadWatch.Elapsed();
    const int64_t after = StatusKb("VmRSS");
    const CSize size = movie.GetSize();
    EmitCheck(out, "animation movie loads",
              loaded && size.cx == kMovieWidth && size.cy == kMovieHeight
                  ? ""
                  : "SetAnimate failed or the frame size is not 640 x 420");
    if (!loaded)
        return;
    EmitValue(out, "gif_am_load", load.wall);
    EmitValue(out, "gif_am_load_cpu", load.cpu);
    EmitValue(out, "gif_am_load_rss_mb", static_cast<double>(after - before) / kKb);
    EmitValue(out, "gif_am_rss_mb", static_cast<double>(after) / kKb);
    EmitCheck(out, "animation movie loads within 1 s",
              load.wall < kLoadBudgetMs ? "" : std::to_string(load.wall) + " ms");

    // Each frame's delay passes, then the frame now current is drawn.
    const CRect place(0, 0, kMovieWidth, kMovieHeight);
    std::vector<double> times;
    times.reserve(kMovieFrames);
    bool drawn = true, inOrder = true;
    const CStopwatch playWatch;
    for (int i = 0; i < kMovieFrames; ++i) {
        const CStopwatch one;
        movie.TimeArrive(kMovieDelayMs);
        drawn = movie.Draw(canvas.get(), place, Unclipped()) == 1 && drawn;
        times.push_back(one.Elapsed().wall);
        inOrder =
            inOrder && movie.GetCurFrame() == static_cast<unsigned int>((i + 1) % kMovieFrames);
    }
    const STiming play = playWatch.Elapsed();
    EmitCheck(out, "animation movie steps through its 800 frames",
              inOrder ? "" : "a 40 ms step did not move to the next frame");
    EmitCheck(out, "animation movie frames drawn", drawn ? "" : "Draw failed");
    const int64_t peak = StatusKb("VmHWM");
    EmitValue(out, "gif_am_play", play.wall);
    EmitValue(out, "gif_am_frame50", Percentile(times, 50));
    EmitValue(out, "gif_am_frame99", Percentile(times, 99));
    EmitValue(out, "gif_am_hwm_mb", static_cast<double>(peak) / kKb);
    const double afterMb = static_cast<double>(after) / kKb;
    const double peakMb = static_cast<double>(peak) / kKb;
    EmitCheck(
        out, "animation movie RSS under 100 MB after loading and at peak",
        afterMb < kMovieBudgetMb && peakMb < kMovieBudgetMb
            ? ""
            : std::to_string(after) + " kB after loading, " + std::to_string(peak) + " kB peak");
    if (!reset)
        EmitNote(out,
                 "the kernel refused to reset VmHWM: the CAnimate movie's peak RSS includes what "
                 "the child did before loading");
}

// Per-pulse figures over the timed pulses.
struct SPulses {
    std::vector<double> wall, cpu;
    double first = 0;
    long changes = 0, bands = 0;
    long long pixels = 0;
    int fewestChanges = kPlacements;
    bool bandsWithinChanges = true;
};

// Pulses the timer kWarmPulses + kPulses times and fills p from the timed ones; frames is
// scratch room for one frame number per animation.
void RunPulses(const std::vector<zarni::CAnimate*>& animations, CRepaintCounter& repaints,
               std::vector<unsigned int>& frames, SPulses& p) {
    zarni::CTimer* timer = zarni::CTimer::Instance();
    for (int pulse = 0; pulse < kWarmPulses + kPulses; ++pulse) {
        for (size_t i = 0; i < animations.size(); ++i)
            frames[i] = animations[i]->GetCurFrame();
        repaints.Reset();
        const CStopwatch watch;
        timer->Pulse();
        const STiming t = watch.Elapsed();
        int changed = 0;
        for (size_t i = 0; i < animations.size(); ++i)
            changed += animations[i]->GetCurFrame() != frames[i] ? 1 : 0;
        CHeadlessUi::Instance().PumpMessages();
        if (pulse == 0)
            p.first = t.wall;
        if (pulse < kWarmPulses)
            continue;
        p.wall.push_back(t.wall);
        p.cpu.push_back(t.cpu);
        p.changes += changed;
        p.bands += repaints.bands;
        p.pixels += repaints.pixels;
        p.fewestChanges = std::min(p.fewestChanges, changed);
        p.bandsWithinChanges = p.bandsWithinChanges && repaints.bands <= changed;
    }
}

void RunEmoticons(FILE* out, uint64_t seed, EDelays delays) {
    const bool every = delays == EDelays::kEveryPulse;
    const std::string key = every ? "gif_p1_" : "gif_pm_";
    const std::string set = every ? "100 ms frames" : "mixed delays";
    std::vector<std::string> pictures, texts;
    for (int i = 0; i < kDistinct; ++i) {
        const uint64_t own = seed + static_cast<uint64_t>(i);
        pictures.push_back(every ? AsString(MakeEmoticonGif(own, kEmoticonFrames, kEmoticonSide))
                                 : MakeMixedEmoticon(own, kMixDelays[i % std::size(kMixDelays)]));
        texts.push_back("[e" + std::to_string(i) + "]");
    }
    const CString separator(kSeparator);
    // Everything the measured part stores is reserved before it.
    std::vector<ZarniUUID> ids(kPlacements);
    std::vector<double> insertTimes;
    insertTimes.reserve(kPlacements);
    std::vector<zarni::CAnimate*> animations;
    animations.reserve(kPlacements);
    std::vector<unsigned int> frames(kPlacements);
    SPulses p;
    p.wall.reserve(kPulses);
    p.cpu.reserve(kPulses);
    WarmUpEditor(~seed);

    std::unique_ptr<CEditorInterface> editor = MakeEditor();
    CRepaintCounter repaints;
    ViewOf(*editor)->AddListener(&repaints);
    CCompressStore& store = CCompressStore::Instance();
    const size_t objects0 = store.GetObjectCount(), subs0 = store.GetSubObjectCount();
    malloc_trim(0);
    const int64_t rss0 = StatusKb("VmRSS");
    const double heap0 = LiveHeap();
    bool placed = true;
    int placement = 0;
    auto place = [&](int picture) {
        const CStopwatch watch;
        placed =
            Place(*editor, pictures[picture], texts[picture], separator, &ids[placement]) && placed;
        insertTimes.push_back(watch.Elapsed().wall);
        ++placement;
    };
    // Every picture once, then the other placements picture after picture, round by round.
    for (int i = 0; i < kDistinct; ++i)
        place(i);
    const int64_t rss1 = StatusKb("VmRSS");
    const double heap1 = LiveHeap();
    for (int round = 1; round < kPlacementsEach; ++round) {
        for (int i = 0; i < kDistinct; ++i)
            place(i);
    }
    const int64_t rss2 = StatusKb("VmRSS");
    const double heap2 = LiveHeap();
    const size_t objects = store.GetObjectCount() - objects0;
    const size_t subs = store.GetSubObjectCount() - subs0;
    const long length = editor->GetLength();
    EmitCheck(out, "animation emoticons placed (" + set + ")",
              placed && length == 2L * kPlacements
                  ? ""
                  : "an insertion failed or the document holds " + std::to_string(length) +
                        " units instead of " + std::to_string(2 * kPlacements));
    if (!placed)
        return;
    if (every) {
        const double rss = static_cast<double>(rss2 - rss0);  // kB
        const double heap = heap2 - heap0;                    // bytes
        EmitValue(out, "gif_ed_insert50", Percentile(insertTimes, 50));
        EmitValue(out, "gif_ed_insert99", Percentile(insertTimes, 99));
        EmitValue(out, "gif_ed_total_kb", rss);
        EmitValue(out, "gif_ed_pic_kb", rss / kDistinct);
        EmitValue(out, "gif_ed_heap_pic_kb", heap / kKb / kDistinct);
        EmitValue(out, "gif_ed_place_b", rss * kKb / kPlacements);
        EmitValue(out, "gif_ed_heap_place_b", heap / kPlacements);
        EmitValue(out, "gif_ed_first_kb", static_cast<double>(rss1 - rss0) / kDistinct);
        EmitValue(out, "gif_ed_heap_first_kb", (heap1 - heap0) / kKb / kDistinct);
        EmitValue(out, "gif_ed_more_b",
                  static_cast<double>(rss2 - rss1) * kKb / (kPlacements - kDistinct));
        EmitValue(out, "gif_ed_heap_more_b", (heap2 - heap1) / (kPlacements - kDistinct));
        EmitValue(out, "gif_ed_objects", static_cast<double>(objects));
        EmitValue(out, "gif_ed_shared", static_cast<double>(subs));
        EmitCheck(out, "animation emoticon under 100 kB RSS per distinct picture placed",
                  rss / kDistinct < kPictureBudgetKb
                      ? ""
                      : std::to_string(rss / kDistinct) + " kB per picture");
        EmitCheck(out, "animation emoticon placements share their picture's frames",
                  objects == kPlacements && subs == 2 * kDistinct
                      ? ""
                      : std::to_string(objects) + " store objects and " + std::to_string(subs) +
                            " sub-objects for " + std::to_string(kPlacements) + " placements of " +
                            std::to_string(kDistinct) + " pictures");
    }

    // The store's animations, as the timer pulses them; insertion made the editor their
    // painter.
    bool painted = true;
    for (const ZarniUUID& id : ids) {
        auto* animation = dynamic_cast<zarni::CAnimate*>(store.Find(id));
        if (animation == nullptr || animation->GetPainter() == nullptr) {
            painted = false;
            break;
        }
        animations.push_back(animation);
    }
    EmitCheck(out, "animation placements have the editor as painter (" + set + ")",
              painted ? "" : "a placement is not stored or has no painter");
    if (!painted)
        return;
    zarni::CTimer* timer = zarni::CTimer::Instance();
    timer->SetSynObj(CHeadlessUi::Instance().CreateWindow(&DropMessage));
    const bool ticking = timer->SetTick(kTickMs) == 1;
    const uint32_t listeners = timer->GetListenerCount();
    EmitCheck(out, "animation timer ticks with every placement listening (" + set + ")",
              ticking && listeners == kPlacements
                  ? ""
                  : std::string(ticking ? "" : "SetTick failed; ") + std::to_string(listeners) +
                        " listeners for " + std::to_string(kPlacements) + " placements");

    RunPulses(animations, repaints, frames, p);
    if (every) {
        // What showing the animations added: composed frames, the timer's thread.
        const double rss = static_cast<double>(StatusKb("VmRSS") - rss0);
        EmitValue(out, "gif_ed_pulsed_pic_kb", rss / kDistinct);
        EmitValue(out, "gif_ed_heap_pulsed_pic_kb", (LiveHeap() - heap0) / kKb / kDistinct);
        EmitCheck(out, "animation emoticon under 100 kB RSS per distinct picture after pulsing",
                  rss / kDistinct < kPictureBudgetKb
                      ? ""
                      : std::to_string(rss / kDistinct) + " kB per picture");
    }
    const double count = static_cast<double>(p.wall.size());
    const double median = Percentile(p.wall, 50), p99 = Percentile(p.wall, 99);
    EmitValue(out, key + "first", p.first);
    EmitValue(out, key + "50", median);
    EmitValue(out, key + "99", p99);
    EmitValue(out, key + "cpu50", Percentile(p.cpu, 50));
    EmitValue(out, key + "cpu99", Percentile(p.cpu, 99));
    EmitValue(out, key + "changes", static_cast<double>(p.changes) / count);
    EmitValue(out, key + "bands", static_cast<double>(p.bands) / count);
    EmitValue(out, key + "px", static_cast<double>(p.pixels) / count);
    EmitCheck(out, "animation pulse frames advance (" + set + ")",
              (every ? p.fewestChanges == kPlacements : p.changes > 0)
                  ? ""
                  : "only " + std::to_string(p.fewestChanges) + " of " +
                        std::to_string(kPlacements) + " frames changed in a pulse");
    EmitCheck(out, "animation pulse repaints visible placements only (" + set + ")",
              p.bands > 0 && p.bandsWithinChanges ? ""
              : p.bands == 0                      ? "no repaint reached the surface"
                                                  : "more repaints than frame changes in a pulse");
    EmitCheck(out, "animation pulse median under 1 ms (" + set + ")",
              median < kPulseBudgetMs ? "" : std::to_string(median) + " ms");
    EmitCheck(out, "animation pulse p99 under 1 ms (" + set + ")",
              p99 < kPulseBudgetMs ? "" : std::to_string(p99) + " ms");

    CEditorView* view = ViewOf(*editor)->GetEditorView();
    EmitNote(out, "emoticon document (" + set + "): " + std::to_string(view->GetLineCount()) +
                      " lines, content height " + std::to_string(view->GetContentSize().cy) +
                      " px, view " + std::to_string(kViewWidth) + " x " +
                      std::to_string(kViewHeight) + " showing content from y " +
                      std::to_string(view->GetViewPort().top));
}

}  // namespace

const std::vector<SRow>& AnimRows() {
    return kRows;
}

void RunAnimWorkloads(const SGifBenchOptions& o, std::vector<SRecord>& records) {
    std::fprintf(stderr, "[run %d] CAnimate movie ...\n", o.run);
    Collect(CChildRun::Run(o.childTimeout, [&](FILE* out) { RunMovie(out, o.seed); }), o.run,
            "animation movie process", records);
    std::fprintf(stderr, "[run %d] editor emoticons, 100 ms frames ...\n", o.run);
    Collect(CChildRun::Run(o.childTimeout,
                           [&](FILE* out) { RunEmoticons(out, o.seed, EDelays::kEveryPulse); }),
            o.run, "animation emoticon process (100 ms frames)", records);
    std::fprintf(stderr, "[run %d] editor emoticons, mixed delays ...\n", o.run);
    Collect(CChildRun::Run(o.childTimeout,
                           [&](FILE* out) { RunEmoticons(out, o.seed, EDelays::kMixed); }),
            o.run, "animation emoticon process (mixed delays)", records);
    const std::string tick = std::to_string(kTickMs);
    records.push_back(
        {"note", o.run, "-", "gif", 0,
         "CAnimate movie: SetAnimate of the same 800-frame GIF bytes, then per frame "
         "TimeArrive(40) and Draw onto a 640 x 420 canvas; peak RSS from VmHWM reset before "
         "loading"});
    records.push_back(
        {"note", o.run, "-", "gif", 0,
         "editor: one CEditorInterface (undo off, view 600 x 400); 50 different 24 x 24 "
         "20-frame emoticons, each inserted 20 times (every picture once, then round by round), "
         "each placement a new zarni::CAnimate + SetAnimate + ReplaceSel, then a blank; RSS and "
         "live heap (mallinfo2) after minus before, everything included (decoding, store, "
         "document, layout, timer registration), after an untimed warm-up editor; 'after the "
         "pulses' adds what showing them cost (composed frames, the timer's thread)"});
    records.push_back(
        {"note", o.run, "-", "gif", 0,
         "pulse: zarni::CTimer::Instance()->Pulse() with tick " + tick +
             " ms on the 1000 placements (painters set by insertion), timed one by one over " +
             std::to_string(kPulses) + " pulses after " + std::to_string(kWarmPulses) +
             " untimed ones (first = the very first pulse), back to back; the timer's own events "
             "post to a "
             "window whose pulses are dropped; frame changes counted from GetCurFrame before "
             "and after, repaints as bands the view recomposes; 100 ms frames change every "
             "pulse, the mix lasts 80-200 ms with every 5th frame held 3 times as long"});
}
