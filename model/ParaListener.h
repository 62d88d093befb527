// IParaListener: receiver of paragraph-attribute changes.
#pragma once

#include "core/Range.h"

class IParaListener {
public:
    // range spans the whole paragraphs whose attributes changed.
    virtual void N_ParaChanged(const CRange& range) = 0;
    // Listeners are called in ascending priority.
    virtual int GetParaPriority() = 0;

protected:
    // Listeners are owned by whoever registered them, never deleted through this interface.
    ~IParaListener() = default;
};
