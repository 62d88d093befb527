// The animated-picture workloads: loading, memory and frame drawing of generated GIFs on our
// drawing library, each part in a forked child, with their own table.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/ResultTable.h"

struct SGifBenchOptions {
    int run = 1;
    unsigned childTimeout = 300;
    uint64_t seed = 20240601;
};

// A 640 x 420 movie of 800 frames: load time, resident memory after loading and after
// playing, time to select and draw each frame in order and some frames at random; a 24 x 24
// emoticon of 20 frames: memory per distinct picture and per duplicate, and the time to draw
// many duplicates each at another frame. Records are ours ("value", "check", "note").
std::vector<SRecord> RunGifWorkloads(const SGifBenchOptions& options);

// Adds the records of these workloads in a raw result file to records and sets others when
// the file holds records of other workloads; false with a reason when the file cannot be
// read or a line is malformed.
bool ReadGifRecords(const std::string& path, std::vector<SRecord>& records, bool* others,
                    std::string* error);

// The table of these workloads (median [min-max] over runs), their failed checks and
// notes; nothing when records hold none of them.
void PrintGifTable(FILE* out, const std::vector<SRecord>& records);
