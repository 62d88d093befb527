// FORMAT_TYPE: the editor modes of the view.
#pragma once

// One wrapped line per paragraph piece, or the whole text on one line.
enum FORMAT_TYPE : int {
    FT_SINGLELINE = 0,
    FT_WRAP = 1,
};
