// Aggregating benchmark records over runs and printing the side-by-side table.
#include "bench/ResultTable.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <set>
#include <sstream>

#include <unistd.h>

namespace {

struct SRow {
    const char* key;
    const char* label;
    int decimals;
    bool time;  // a duration, also recorded as process CPU time under "cpu_" + key
};

// The rows of the table, in order.
const SRow kRows[] = {
    {"open_1e4", "open 10^4 (ms)", 1, true},
    {"open_1e5", "open 10^5 (ms)", 1, true},
    {"open_1e6", "open 10^6 (ms)", 0, true},
    {"key50_1e4", "keystroke 10^4 median (ms)", 2, true},
    {"key99_1e4", "keystroke 10^4 p99 (ms)", 2, true},
    {"key50_1e5", "keystroke 10^5 median (ms)", 2, true},
    {"key99_1e5", "keystroke 10^5 p99 (ms)", 2, true},
    {"key50_1e6", "keystroke 10^6 median (ms)", 2, true},
    {"key99_1e6", "keystroke 10^6 p99 (ms)", 2, true},
    {"open_long", "open 10^5 single paragraph (ms)", 1, true},
    {"long50", "long paragraph keystroke median (ms)", 1, true},
    {"long99", "long paragraph keystroke p99 (ms)", 1, true},
    {"keypx_1e4", "pixels repainted per keystroke 10^4", 0, false},
    {"keypx_1e5", "pixels repainted per keystroke 10^5", 0, false},
    {"keypx_1e6", "pixels repainted per keystroke 10^6", 0, false},
    {"mem_rss", "peak RSS per unit, 10^6 (bytes)", 2, false},
    {"mem_heap", "live heap per unit, 10^6 (bytes)", 2, false},
};

std::string Fixed(double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof(buf), "%.*f", decimals, v);
    return buf;
}

std::string Cell(const std::vector<double>& values, int decimals) {
    if (values.empty())
        return "-";
    const SSpread s = SSpread::Of(values);
    if (s.count == 1)
        return Fixed(s.median, decimals);
    return Fixed(s.median, decimals) + " [" + Fixed(s.min, decimals) + "-" +
           Fixed(s.max, decimals) + "]";
}

// Ratios far below 1 keep three significant digits.
std::string RatioCell(const std::vector<double>& ratios) {
    if (ratios.empty())
        return "-";
    const double median = SSpread::Of(ratios).median;
    return Cell(ratios, median < 0.01 ? 4 : median < 0.1 ? 3 : 2);
}

std::vector<std::string> Split(const std::string& line) {
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, '\t'))
        fields.push_back(field);
    return fields;
}

}  // namespace

SSpread SSpread::Of(std::vector<double> values) {
    SSpread s;
    s.count = values.size();
    if (values.empty())
        return s;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    s.median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    s.min = values.front();
    s.max = values.back();
    return s;
}

void PrintChecksAndNotes(FILE* out, const std::vector<SRecord>& records) {
    std::set<std::string> passed, failed, seen;
    for (const SRecord& r : records) {
        if (r.kind != "check")
            continue;
        if (r.text == "ok") {
            passed.insert(r.key);
        } else {
            failed.insert(r.key);
            std::fprintf(out, "  run %d %s FAILED: %s\n", r.run, r.key.c_str(), r.text.c_str());
        }
    }
    std::string list;
    for (const std::string& key : passed) {
        if (failed.count(key) == 0)
            list += (list.empty() ? "" : ", ") + key;
    }
    std::fprintf(out, "\nchecks passed: %s\n", list.c_str());
    for (const SRecord& r : records) {
        if (r.kind == "note" && seen.insert(r.text).second)
            std::fprintf(out, "  %s\n", r.text.c_str());
    }
}

double Percentile(std::vector<double> values, double percent) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const double rank = std::ceil(percent / 100.0 * static_cast<double>(values.size()));
    const size_t index = rank < 1 ? 0 : static_cast<size_t>(rank) - 1;
    return values[std::min(index, values.size() - 1)];
}

bool CResultTable::Read(const std::string& path, std::string* error) {
    std::ifstream in(path);
    if (!in) {
        if (error)
            *error = "cannot read " + path;
        return false;
    }
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (line.empty())
            continue;
        const std::vector<std::string> f = Split(line);
        if (f.size() != 6) {
            if (error)
                *error = path + ":" + std::to_string(number) + ": expected 6 fields";
            return false;
        }
        SRecord r;
        r.kind = f[0];
        r.run = std::atoi(f[1].c_str());
        r.side = f[2];
        r.key = f[3];
        r.value = std::strtod(f[4].c_str(), nullptr);
        r.text = f[5];
        m_records.push_back(r);
    }
    return true;
}

void CResultTable::WriteRaw(FILE* out) const {
    for (const SRecord& r : m_records) {
        std::fprintf(out, "%s\t%d\t%s\t%s\t%.6g\t%s\n", r.kind.c_str(), r.run, r.side.c_str(),
                     r.key.c_str(), r.value, r.text.c_str());
    }
}

std::vector<double> CResultTable::Values(const std::string& key, const std::string& side) const {
    std::vector<double> values;
    for (const SRecord& r : m_records) {
        if (r.kind == "value" && r.key == key && r.side == side)
            values.push_back(r.value);
    }
    return values;
}

std::vector<double> CResultTable::Ratios(const std::string& key) const {
    // A ratio is only ever taken between the two sides of one run.
    std::map<int, double> ours, peer;
    for (const SRecord& r : m_records) {
        if (r.kind != "value" || r.key != key)
            continue;
        if (r.side == kOurs)
            ours[r.run] = r.value;
        else if (r.side == kPeer)
            peer[r.run] = r.value;
    }
    std::vector<double> ratios;
    for (const auto& [run, value] : ours) {
        const auto it = peer.find(run);
        if (it != peer.end() && it->second > 0)
            ratios.push_back(value / it->second);
    }
    return ratios;
}

void CResultTable::PrintRows(FILE* out, const std::string& prefix) const {
    std::fprintf(out, "%-38s | %-24s | %-24s | %s\n",
                 prefix.empty() ? "workload (wall clock)" : "workload (process CPU time)",
                 "ZarniEditor", "GtkTextView", "ratio");
    std::fprintf(out, "%s\n", std::string(38 + 3 + 24 + 3 + 24 + 3 + 20, '-').c_str());
    for (const SRow& row : kRows) {
        if (!prefix.empty() && !row.time)
            continue;
        const std::string key = prefix + row.key;
        const std::vector<double> ours = Values(key, kOurs);
        const std::vector<double> peer = Values(key, kPeer);
        if (ours.empty() && peer.empty())
            continue;
        std::fprintf(out, "%-38s | %-24s | %-24s | %s\n", row.label,
                     Cell(ours, row.decimals).c_str(), Cell(peer, row.decimals).c_str(),
                     RatioCell(Ratios(key)).c_str());
    }
}

int CResultTable::RunCount() const {
    std::set<int> runs;
    for (const SRecord& r : m_records)
        runs.insert(r.run);
    return static_cast<int>(runs.size());
}

bool CResultTable::ChecksPassed() const {
    for (const SRecord& r : m_records) {
        if (r.kind == "check" && r.text != "ok")
            return false;
    }
    return true;
}

void CResultTable::Print(FILE* out) const {
    const int runs = RunCount();
    std::fprintf(out,
                 "ZarniEditor vs GtkTextView, %d process run%s: median over runs [min-max];"
                 " ratio = ours / GtkTextView, taken within each run\n\n",
                 runs, runs == 1 ? "" : "s");
    PrintRows(out, "");
    const std::vector<double> load = Values("load", "-");
    if (!load.empty()) {
        const SSpread s = SSpread::Of(load);
        std::fprintf(out,
                     "\n1-minute load average at the start of the runs: %.1f [%.1f-%.1f]; "
                     "the machine has %ld cores. Wall-clock figures grow with the load;\n"
                     "the process CPU time of the same operations does not:\n\n",
                     s.median, s.min, s.max, sysconf(_SC_NPROCESSORS_ONLN));
        PrintRows(out, "cpu_");
    }

    // Checks: failures spelled out once each; the passed ones listed per side.
    std::map<std::string, std::pair<int, std::set<std::string>>> checks;  // by side, key
    for (const SRecord& r : m_records) {
        if (r.kind != "check")
            continue;
        auto& entry = checks[r.side + "\t" + r.key];
        if (r.text == "ok")
            ++entry.first;
        else
            entry.second.insert(r.text);
    }
    std::fprintf(out, "\nsanity checks:\n");
    std::map<std::string, std::string> passed;  // by side
    for (const auto& [name, entry] : checks) {
        const std::string side = name.substr(0, name.find('\t'));
        const std::string key = name.substr(name.find('\t') + 1);
        for (const std::string& failure : entry.second)
            std::fprintf(out, "  %s %s FAILED: %s\n", side.c_str(), key.c_str(), failure.c_str());
        if (entry.second.empty()) {
            std::string& list = passed[side];
            list += (list.empty() ? "" : ", ") + key + " (" + std::to_string(entry.first) + ")";
        }
    }
    for (const auto& [side, list] : passed) {
        // Wrapped at about 100 columns.
        std::string line = "  " + (side == "-" ? std::string("harness") : side) + " ok:";
        size_t from = 0;
        while (from < list.size()) {
            size_t next = list.find(", ", from);
            const std::string item =
                list.substr(from, next == std::string::npos ? next : next - from);
            if (line.size() + item.size() + 2 > 100) {
                std::fprintf(out, "%s\n", line.c_str());
                line = "     ";
            }
            line += " " + item + (next == std::string::npos ? "" : ",");
            from = next == std::string::npos ? list.size() : next + 2;
        }
        std::fprintf(out, "%s\n", line.c_str());
    }

    std::set<std::string> seen;
    bool header = false;
    for (const SRecord& r : m_records) {
        if (r.kind != "note" || !seen.insert(r.side + r.text).second)
            continue;
        if (!header)
            std::fprintf(out, "\nnotes:\n");
        header = true;
        std::fprintf(out, "  %s%s%s\n", r.side == "-" ? "" : r.side.c_str(),
                     r.side == "-" ? "" : ": ", r.text.c_str());
    }
}
