// CInputer: feeds characters, text and objects into the document at the insertion position.
#pragma once

#include <string>

#include "platform/base/String.h"

class IEditTarget;
class ICompressStoreObj;

// Short-lived: a command makes one, calls one operation and drops it. Every operation
// fetches the selector and the document from the root, fails (0) when either is missing,
// and on success moves the selection past what was inserted.
class CInputer {
public:
    explicit CInputer(IEditTarget* editor) : m_editor(editor) {}
    virtual ~CInputer() = default;

    // Inserts the object's id (the object must be in the shared store); 1 or 0.
    virtual int Feed(ICompressStoreObj* obj);
    // Inserts the text; the number of bytes the document took, 0 when none.
    virtual int Feed(const CString& text);
    // Inserts one printable single-byte character (as a signed byte, at least 32); 1 or 0.
    virtual int Feed(char c);
    // Inserts content in the editor text format: text and objects at the insertion
    // position, then its font, colour and link runs relative to it. 0 for a wrong header
    // (nothing changes); the selection ends past what was inserted.
    virtual int FeedETF(const std::string& data);

private:
    IEditTarget* m_editor;  // not owned
};
