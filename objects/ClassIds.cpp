// Class ids of the built-in object classes and of the document's text and link run records.
#include "objects/ClassIds.h"

// Constant-initialised, so they are valid before any dynamic initialiser runs.
const char* const ZARNI_CLSID_IMAGE_TEXT = "1b77fa04-2791-419c-8eac-20758aa3e948";
const char* const ZARNI_CLSID_ANIMATE_TEXT = "b22e54f9-1b5e-4356-a59c-40915b08abc5";
const char* const ZARNI_CLSID_TEXTRUN_TEXT = "2a55c017-eac5-4c63-90b2-b8b2ef0d4ada";
const char* const ZARNI_CLSID_LINKRUN_TEXT = "6c0d9e3a-47b2-4f18-a5e3-d2b8f1c07a94";

const ZarniUUID& ImageClassId() {
    static const ZarniUUID id = UuidFromText(ZARNI_CLSID_IMAGE_TEXT);
    return id;
}

const ZarniUUID& AnimateClassId() {
    static const ZarniUUID id = UuidFromText(ZARNI_CLSID_ANIMATE_TEXT);
    return id;
}

const ZarniUUID& TextRunClassId() {
    static const ZarniUUID id = UuidFromText(ZARNI_CLSID_TEXTRUN_TEXT);
    return id;
}

const ZarniUUID& LinkRunClassId() {
    static const ZarniUUID id = UuidFromText(ZARNI_CLSID_LINKRUN_TEXT);
    return id;
}
