// The control's own user-visible texts, kept in one place.
#pragma once

#include "platform/base/String.h"

enum class EUiText {
    BackColorUnsupported,  // a host background layer takes no background colour
    BackImageUnsupported,  // a host background layer takes no background picture
    VersionCaption,        // caption of the warning about a document of another version
    VersionWarning,        // its text
};

// The text in the active code page (the texts are written in UTF-8 and converted here).
CString UiText(EUiText id);
