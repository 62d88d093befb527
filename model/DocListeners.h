// CDocListeners: a priority-ordered list of document listeners that forwards notifications.
#pragma once

#include "core/ZarniArray.h"
#include "model/DocListener.h"

// Does not own its listeners. Itself a listener of priority 0 that calls each member in
// list order; the count is re-read at every step, so a listener appended during a
// broadcast is called in that broadcast too.
class CDocListeners : public IDocListener {
public:
    // Inserted after the last member whose priority is <= l's (equal priorities keep
    // registration order); a listener added twice is called twice. Null is ignored.
    void Add(IDocListener* l);
    // Removes every occurrence of l.
    void Delete(IDocListener* l);
    void RemoveAll() { m_list.RemoveAll(); }

    uint32_t GetSize() const { return m_list.GetSize(); }
    IDocListener* GetAt(uint32_t i) const { return m_list[i]; }

    DocListener_Priority GetDocPriority() override { return DLP_LISTENERS; }
    void N_Inserting(int pos, int count) override;
    void N_Inserted(int pos, int count) override;
    void N_Deleting(int pos, int count) override;
    void N_Deleted(int pos, int count) override;

private:
    CZarniArray<IDocListener*> m_list;
};
