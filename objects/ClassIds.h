// Class ids of the built-in object classes and of the document's text and link run records.
#pragma once

#include "objects/ZarniUUID.h"

// Text forms of the class ids; the picture and animation ones are part of the public API.
extern const char* const ZARNI_CLSID_IMAGE_TEXT;    // zarni::CImage
extern const char* const ZARNI_CLSID_ANIMATE_TEXT;  // zarni::CAnimate
extern const char* const ZARNI_CLSID_TEXTRUN_TEXT;  // text run record of the document format
extern const char* const ZARNI_CLSID_LINKRUN_TEXT;  // link run record of the document format

// The same ids as values, parsed once on first use.
const ZarniUUID& ImageClassId();
const ZarniUUID& AnimateClassId();
const ZarniUUID& TextRunClassId();
const ZarniUUID& LinkRunClassId();
