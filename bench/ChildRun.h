// CChildRun: runs one part of the benchmark in a forked child and collects what it reports.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

// A child starts from the parent's memory as it was at the fork and shares no toolkit state
// with it, so each side gets a clean process and a crash or a hang of one side leaves the
// other side's figures intact.
class CChildRun {
public:
    struct SResult {
        std::vector<std::string> lines;  // everything the child wrote to its channel
        std::string failure;             // empty when the child exited with status 0
    };

    // Runs body in a child that is killed after timeoutSeconds; body writes one result per
    // line to the FILE it is given (line-buffered, so lines before a crash arrive).
    static SResult Run(unsigned timeoutSeconds, const std::function<void(FILE*)>& body);
};
