// CleanInputText: prepares typed or pasted text for insertion into the document.
#pragma once

#include "platform/base/String.h"

// Removes every tab byte (9), then cuts the last byte when, walking the result character
// by character from the start, it is a lead byte with no trail byte after it. Every other
// byte is kept in order.
CString CleanInputText(const CString& text);
