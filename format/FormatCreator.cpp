// CFormatCreator: the creator of font and colour records.
#include "format/FormatCreator.h"

#include <memory>

#include "format/ColorInfo.h"
#include "format/FontInfo.h"
#include "objects/PrototypeCreator.h"

namespace {

template <class T>
ICompressStoreObj* MakeEmptyRecord() {
    return std::make_unique<T>().release();
}

// The record classes, ended by a null class id.
const SPrototypeEntry kFormatClasses[] = {
    {CFontInfo::kClassIdText, &MakeEmptyRecord<CFontInfo>},
    {CColorInfo::kClassIdText, &MakeEmptyRecord<CColorInfo>},
    {nullptr, nullptr},
};

}  // namespace

CFormatCreator::CFormatCreator() : CPrototypeCreator(kFormatClasses, "CFormatCreator") {}
