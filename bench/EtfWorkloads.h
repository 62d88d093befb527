// The editor text format workloads: documents of a given saved size with text, font and
// colour runs, host links and pictures, built through the editor interface, then saved and
// loaded again (string and file), each part in a forked child, with their own table.
#pragma once

#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "bench/ResultTable.h"

struct SEtfBenchOptions {
    int run = 1;
    unsigned childTimeout = 900;
    uint64_t seed = 20240601;
    std::vector<double> sizesMb{1, 10};  // saved sizes aimed at, in 10^6 bytes
    // The children after the save: "loadfrom", "load", and LoadFrom's steps stamped one by
    // one, "steps" (auto-scroll on) and "steps-noscroll" (off).
    std::set<std::string> parts{"loadfrom", "load"};
};

// Per size: one child builds the document (untimed), times SaveTo and Save and writes the
// file; one child times LoadFrom of the file's bytes into a fresh editor, one Load of the
// file, each with its peak and kept resident memory and a round-trip check; the steps
// children take LoadFrom's steps one by one and stamp where the time goes. Under valgrind's
// callgrind (--instr-atstart=no) each load child collects its timed region alone. Records are
// ours ("value", "check", "note"); every key starts with "etf".
std::vector<SRecord> RunEtfWorkloads(const SEtfBenchOptions& options);

// Adds the records of these workloads in a raw result file to records; sets mainRecords
// when the file also holds records of the main workloads (keys starting neither with "etf"
// nor with "gif"). False with a reason when the file cannot be read or a line is malformed.
bool ReadEtfRecords(const std::string& path, std::vector<SRecord>& records, bool* mainRecords,
                    std::string* error);

// The table of these workloads (per size, median [min-max] over runs), their failed checks
// and notes; nothing when records hold none of them.
void PrintEtfTable(FILE* out, const std::vector<SRecord>& records);
