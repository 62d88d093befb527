// A host listener of the composed view that records the rectangles reported changed.
#pragma once

#include <vector>

#include "view/MultilayerViewListener.h"

struct CChangeRecorder : IMultilayerViewListener {
    void N_Changed(IXCanvas*, const CRect& r) override { changed.push_back(r); }
    void N_ReservePaintRgn(const ZarniUUID&, const CRect&) override {}
    void OnContextMenu(const CPoint&) override {}
    void N_EditorViewSizeChanged(const CSize&) override {}
    void N_EditorViewPortChanged(const CPoint&) override {}
    std::vector<CRect> changed;
};
