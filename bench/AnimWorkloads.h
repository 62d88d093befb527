// The animation workloads through the control's own classes: the long movie loaded and
// played by zarni::CAnimate, and many small emoticons placed in an editor and advanced by
// the shared timer's pulse, each part in a forked child. Their records join the picture
// table of GifWorkloads.h.
#pragma once

#include <vector>

#include "bench/GifWorkloads.h"

// Runs the movie child and two emoticon children (frame delays equal to the tick, so every
// pulse changes every frame, and a mix of longer delays) and adds their records.
void RunAnimWorkloads(const SGifBenchOptions& options, std::vector<SRecord>& records);

// The rows of their part of the table, in order.
const std::vector<gifbench::SRow>& AnimRows();
