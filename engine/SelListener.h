// ISelListener: receiver of the selection's changes.
#pragma once

#include "core/Range.h"

class ISelListener {
public:
    virtual void N_SelChanging(const CRange& oldSel, const CRange& newSel) = 0;
    virtual void N_SelChanged(const CRange& oldSel, const CRange& newSel) = 0;

protected:
    // Listeners are owned by whoever registered them.
    ~ISelListener() = default;
};
