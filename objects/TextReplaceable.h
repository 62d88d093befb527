// ITextReplaceable: an object that has a text standing for it in plain-text output.
#pragma once

#include "platform/base/String.h"

class ITextReplaceable {
public:
    // The text written in place of the object when the document is output as plain text.
    virtual CString GetReplaceText() = 0;

protected:
    virtual ~ITextReplaceable() = default;
};
