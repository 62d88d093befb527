// A real editor on the fixed-metric factory, its line store, and text dumps of lines and
// detail windows for comparing layouts.
#pragma once

#include <string>

#include "editor/Editor.h"
#include "format/FormatInfo.h"
#include "model/Doc.h"
#include "model/Paragraph.h"
#include "model/ZarniParaInfo.h"
#include "support/FixedMetricFactory.h"
#include "view/DetailStore.h"
#include "view/EditorView.h"
#include "view/Line.h"
#include "view/MultilayerView.h"
#include "view/ViewStore.h"

inline std::string RectText(const CRect& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

// One line per line object: its range, 'E' when ended, its rectangle.
inline std::string DumpLines(const CViewStore& store) {
    std::string out;
    for (int i = 0; i < store.GetLineObjectCount(); ++i) {
        const ILine* line = store.GetLine(i);
        const CRange r = line->GetDocRange();
        out += std::to_string(i) + ": " + std::to_string(r.home) + "-" + std::to_string(r.end) +
               (line->IsEnded() ? "E " : "  ") + RectText(line->GetRect()) + "\n";
    }
    return out;
}

// The window, every entry and every run (font by height, colour by value).
inline std::string DumpDetail(const CDetailStore& detail) {
    const CRange w = detail.GetWindow();
    std::string out = "window " + std::to_string(w.home) + "-" + std::to_string(w.end) + ":";
    for (int pos = w.home; pos < w.end; ++pos) {
        const CDetailUnit* u = detail.GetUnit(pos);
        out += " " + std::to_string(u->unit) + "/" + std::to_string(u->cx) + "x" +
               std::to_string(u->cy) + (u->object ? "o" : "");
    }
    out += " runs:";
    for (const CDetailRun& run : detail.GetRuns()) {
        out += " " + std::to_string(run.start) + ":" +
               std::to_string(run.font.GetLogFont().lfHeight) + "/" +
               std::to_string(run.color.GetColor());
    }
    return out;
}

// The editor's own line store, without auto-scroll, at the given size.
class CLayoutHarness {
public:
    explicit CLayoutHarness(const CSize& size = CSize(1000, 500))
        : store(editor.GetView()->GetEditorView()->GetStore()) {
        store.SetAutoScroll(FALSE);
        editor.GetView()->SetSize(size);
    }
    CLayoutHarness(const CLayoutHarness&) = delete;
    CLayoutHarness& operator=(const CLayoutHarness&) = delete;

    CDoc* Doc() { return editor.GetDoc(); }
    int Insert(int pos, const char* text) { return Doc()->Inserts(pos, CString(text)); }
    int Append(const char* text) { return Insert(Doc()->GetLength(), text); }
    void SetPara(int left, int right, int space) {
        editor.GetParagraph()->SetDefaultPara(zarni::CZarniParaInfo(left, right, space));
    }
    std::string Lines() const { return DumpLines(store); }
    // Lines and detail window of a store built from scratch with the same size, mode and
    // view port.
    std::string Fresh() {
        CViewStore fresh(&editor);
        fresh.SetMode(store.GetMode());
        fresh.SetSize(store.GetSize());
        fresh.SetViewPort(store.GetViewPort().TopLeft());
        fresh.AssertValid();
        return DumpLines(fresh) + DumpDetail(fresh.GetDetailStore());
    }
    std::string Current() const { return DumpLines(store) + DumpDetail(store.GetDetailStore()); }

    CFixedMetricScope metrics;  // before the editor: measuring starts on the fixed metrics
    CEditor editor;
    CViewStore& store;
};
