// zarni::CLayerListeners: a layer's list of listeners, itself a listener that forwards.
#pragma once

#include "core/ZarniArray.h"
#include "view/Layer.h"

namespace zarni {

// Does not own its listeners; the same listener may be added twice.
class CLayerListeners : public ILayerListener {
public:
    // 0 for null, else appended and 1.
    int AddListener(ILayerListener* listener);
    // Removes the first occurrence: 1, or 0 when absent or null.
    int DeleteListener(ILayerListener* listener);
    uint32_t GetSize() const { return m_list.GetSize(); }

    // Dropped for an empty rectangle, else passed to every listener in order.
    void N_Changed(ILayer* layer, const CRect& changed) override;
    void OnContextMenu(const CPoint& point) override;

private:
    CZarniArray<ILayerListener*> m_list;
};

}  // namespace zarni
