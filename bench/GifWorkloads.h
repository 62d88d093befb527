// The picture and animation workloads: loading, memory and frame drawing of generated GIFs
// on our drawing library, and the same pictures as animations through the control's own
// classes, each part in a forked child, with their own table.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/ChildRun.h"
#include "bench/ResultTable.h"

struct SGifBenchOptions {
    int run = 1;
    unsigned childTimeout = 300;
    uint64_t seed = 20240601;
    bool pictures = true;    // the workloads on the drawing library
    bool animations = true;  // the workloads through CAnimate, the editor and the timer
};

// A 640 x 420 movie of 800 frames: load time, resident memory after loading and after
// playing, time to select and draw each frame in order and some frames at random; a 24 x 24
// emoticon of 20 frames: memory per distinct picture and per duplicate, and the time to draw
// many duplicates each at another frame. Then the animation workloads (AnimWorkloads.h).
// Records are ours ("value", "check", "note").
std::vector<SRecord> RunGifWorkloads(const SGifBenchOptions& options);

// Adds the records of these workloads in a raw result file to records and sets others when
// the file holds records of other workloads; false with a reason when the file cannot be
// read or a line is malformed.
bool ReadGifRecords(const std::string& path, std::vector<SRecord>& records, bool* others,
                    std::string* error);

// The table of these workloads (median [min-max] over runs), their failed checks and
// notes; nothing when records hold none of them.
void PrintGifTable(FILE* out, const std::vector<SRecord>& records);

// What the children of the picture and animation workloads share. Every key starts with
// "gif", which is how a raw file's records are told apart from the main table's.
namespace gifbench {

// A row of the table: key, label and decimals shown.
struct SRow {
    const char* key;
    const char* label;
    int decimals;
};

// One line on a child's channel: kind, key, value, text (tabs and line breaks removed).
void Emit(FILE* out, const char* kind, const std::string& key, double value,
          std::string text = "-");
void EmitValue(FILE* out, const std::string& key, double value);
// A check named "gif " + what: "ok" when failure is empty.
void EmitCheck(FILE* out, const std::string& what, const std::string& failure);
void EmitNote(FILE* out, const std::string& text);

// A field of /proc/self/status in kB, or -1.
int64_t StatusKb(const char* field);
// Sets VmHWM back to the current resident size; false when the kernel refuses.
bool ResetPeak();
// Bytes the main malloc arena and the mmapped blocks hand out right now.
double LiveHeap();

// A child's lines as records of the run, and a check prefix + " " + what that says how the
// child ended; prefix "gif" when not given.
void Collect(const CChildRun::SResult& result, int run, const std::string& prefix,
             const std::string& what, std::vector<SRecord>& records);
void Collect(const CChildRun::SResult& result, int run, const std::string& what,
             std::vector<SRecord>& records);

}  // namespace gifbench
