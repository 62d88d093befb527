// CEditorOutput: streams the editor's current selection into a document output stream.
#pragma once

class IDocOutputStream;
class IEditTarget;

class CEditorOutput {
public:
    // The root is not owned and must outlive this object; null is allowed.
    explicit CEditorOutput(IEditTarget* editor) : m_editor(editor) {}

    // False for a null stream, or when there is no root, selector or document; otherwise
    // the document's output of the selection into stream, true when it succeeded.
    bool Get(IDocOutputStream* stream) const;

private:
    IEditTarget* m_editor;  // not owned
};
