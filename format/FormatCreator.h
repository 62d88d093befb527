// CFormatCreator: makes empty font and colour records by class id.
#pragma once

#include "objects/PrototypeCreator.h"

// Holds one prototype per record class, in this order: the font record (all-zero LOGFONT,
// null id) and the colour record (black, null id). CreateObj answers with a clone.
class CFormatCreator : public CPrototypeCreator {
public:
    CFormatCreator();
};
