// CParaListeners: a priority-ordered list of paragraph listeners that forwards notices.
#pragma once

#include <cstdint>

#include "core/ZarniArray.h"
#include "model/ParaListener.h"

// Does not own its listeners. Itself a listener of priority 0 that calls each member in
// list order; the count is re-read at every step, so a member removed or added during a
// broadcast never makes it read past the end.
class CParaListeners : public IParaListener {
public:
    // Inserted after the last member whose priority is <= l's (equal priorities keep
    // registration order); a listener added twice is called twice. 0 for null, else 1.
    int Add(IParaListener* l);
    // Removes the last occurrence of l; 1 when found, 0 otherwise.
    int Delete(IParaListener* l);
    void RemoveAll() { m_list.RemoveAll(); }

    uint32_t GetSize() const { return m_list.GetSize(); }
    IParaListener* GetAt(uint32_t i) const { return m_list[i]; }

    void N_ParaChanged(const CRange& range) override;
    int GetParaPriority() override { return PLP_VIEW; }

private:
    CZarniArray<IParaListener*> m_list;
};
