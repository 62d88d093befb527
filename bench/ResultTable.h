// CResultTable: benchmark results of one or several process runs, and the table made of them.
#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <vector>

// One result line. Kinds: "value" (a figure of a row for one side), "check" (key names the
// check, text is "ok" or what failed), "note" (text only).
struct SRecord {
    std::string kind;
    int run = 0;
    std::string side;
    std::string key;
    double value = 0;
    std::string text;
};

class CResultTable {
public:
    static constexpr const char* kOurs = "ours";
    static constexpr const char* kPeer = "gtk";

    void Add(const SRecord& record) { m_records.push_back(record); }
    // Reads records written by WriteRaw; false with a reason on a malformed line.
    bool Read(const std::string& path, std::string* error);
    void WriteRaw(FILE* out) const;
    // The table: per row our median [min-max] over runs, the peer's, and the median
    // [min-max] of the per-run ratios ours / peer; then the checks and notes.
    void Print(FILE* out) const;
    // False when a check failed in any run.
    bool ChecksPassed() const;

private:
    std::vector<double> Values(const std::string& key, const std::string& side) const;
    std::vector<double> Ratios(const std::string& key) const;
    int RunCount() const;
    // The rows whose keys start with prefix ("" or "cpu_").
    void PrintRows(FILE* out, const std::string& prefix) const;

    std::vector<SRecord> m_records;
};

// Median, min and max; the median of an even count is the mean of the middle two.
struct SSpread {
    double median = 0, min = 0, max = 0;
    size_t count = 0;
    static SSpread Of(std::vector<double> values);
};
// The failed checks (one line each, with their run), the checks that passed in every run,
// then each distinct note.
void PrintChecksAndNotes(FILE* out, const std::vector<SRecord>& records);
// Nearest-rank percentile (0-100) of values; 0 for none.
double Percentile(std::vector<double> values, double percent);
