// What the editor fuzz targets share: the starting document, a comparable picture of a
// document, and the checks that end every input.
#pragma once

#include <string>

#include "editor/EditorInterface.h"
#include "model/CompressStore.h"
#include "platform/ui/headless/HeadlessUi.h"

namespace fuzzing {

// A failed property stops the fuzzer like a crash does.
inline void Check(bool condition) {
    if (!condition)
        __builtin_trap();
}

constexpr const char* kStartText = "hello world";

// kStartText with "world" red: content and a colour run for the input to land among.
inline void PrepareEditor(CEditorInterface& ed) {
    ed.ReplaceSel(CString(kStartText));
    ed.SetSel(CRange(6, 11));
    ed.SetColor(RGB(200, 0, 0));
    ed.SetSel(CRange(0, 0));
}

// The whole document in the editor text format (text, objects, fonts, colours, links);
// empty for an empty document.
inline std::string Snapshot(CEditorInterface& ed) {
    std::string out;
    const long length = ed.GetLength();
    Check(ed.SaveTo(out, CRange(0, static_cast<int>(length))) == (length > 0 ? TRUE : FALSE));
    return out;
}

// The document's text without objects; selects everything.
inline std::string Text(CEditorInterface& ed) {
    ed.SetSel(CRange(0, SEL_ALL));
    return ed.GetSelText().str();
}

// Per input: message boxes are recorded, so the record is emptied first.
inline void BeginInput() {
    CHeadlessUi::Instance().ClearMessageBoxes();
}

// Once the input's editors are gone, the shared store must hold nothing of theirs.
inline void CheckStoreEmpty() {
    Check(CCompressStore::Instance().GetObjectCount() == 0);
    Check(CCompressStore::Instance().GetSubObjectCount() == 0);
}

}  // namespace fuzzing
