// IParaListener: receiver of paragraph-attribute changes.
#pragma once

#include "core/Range.h"

// Paragraph listeners are called in ascending priority. The values in use:
enum ParaListener_Priority : int {
    PLP_VIEW = 0,             // the editor view; also a listener list itself
    PLP_VIEW_BATCHER = 1026,  // the view's repaint batcher, after every other listener
};

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
