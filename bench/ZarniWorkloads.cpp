// The benchmark workloads on our editor: open, keystroke and warm-up through the editor
// interface and the multilayer view.
#include "bench/ZarniWorkloads.h"

#include "core/Range.h"
#include "editor/Editor.h"
#include "editor/EditorInterface.h"
#include "platform/base/Geometry.h"
#include "platform/base/String.h"
#include "platform/graphics/Morla.h"
#include "view/EditorView.h"
#include "view/MultilayerView.h"

CZarniWorkloads::CZarniWorkloads() = default;

CZarniWorkloads::~CZarniWorkloads() {
    if (m_editor)
        m_editor->GetCore().GetRoot()->GetView()->DeleteListener(this);
}

bool CZarniWorkloads::Init(std::string* error) {
    NewEditor();
    if (m_editor->GetCore().GetRoot()->GetView()->GetSurface() == nullptr) {
        if (error)
            *error = "the multilayer view made no composition surface";
        return false;
    }
    return true;
}

void CZarniWorkloads::NewEditor() {
    if (m_editor)
        m_editor->GetCore().GetRoot()->GetView()->DeleteListener(this);
    m_editor.reset();  // the old document goes before the new one is made
    m_editor.reset(new CEditorInterface());
    m_editor->UndoLimited(0);
    CMultilayerView* view = m_editor->GetCore().GetRoot()->GetView();
    view->AddListener(this);
    view->SetSize(CSize(kWidth, kHeight));
}

void CZarniWorkloads::WarmUp(const SBenchDoc& doc, bool drawPages) {
    NewEditor();
    m_editor->ReplaceSel(CString(doc.gbk));
    CMultilayerView* view = m_editor->GetCore().GetRoot()->GetView();
    if (drawPages) {
        const long height = ContentHeight();
        for (long y = 0; y < height; y += kHeight)
            view->SetViewPort(CPoint(0, static_cast<int>(y)));
        view->SetViewPort(CPoint(0, 0));
    }
    NewEditor();
    TakePaintStats();
}

STiming CZarniWorkloads::Open(const SBenchDoc& doc) {
    NewEditor();
    const CString text(doc.gbk);
    TakePaintStats();
    const CStopwatch watch;
    m_editor->ReplaceSel(text);
    volatile long height = ContentHeight();
    (void)height;
    return watch.Elapsed();
}

std::string CZarniWorkloads::Check(const SBenchDoc& doc) {
    const long length = m_editor->GetLength();
    if (length != doc.units)
        return "document length " + std::to_string(length) + " instead of " +
               std::to_string(doc.units);
    if (doc.units > 0 && ContentHeight() <= 0)
        return "content height is 0 after opening";
    return std::string();
}

STiming CZarniWorkloads::Type(const SKeystroke& key) {
    const CString text(key.gbk);
    const CStopwatch watch;
    m_editor->SetSel(CRange(static_cast<int>(key.pos), static_cast<int>(key.pos)));
    m_editor->ReplaceSel(text);
    return watch.Elapsed();
}

void CZarniWorkloads::Revert(const SKeystroke& key) {
    const int pos = static_cast<int>(key.pos);
    m_editor->SetSel(CRange(pos, pos + 1));
    m_editor->ReplaceSel(CString());
}

long CZarniWorkloads::ContentHeight() {
    return m_editor->GetCore().GetRoot()->GetView()->GetEditorView()->GetContentSize().cy;
}

long CZarniWorkloads::ViewTop() {
    return m_editor->GetCore().GetRoot()->GetView()->GetEditorView()->GetViewPort().top;
}

SPaintStats CZarniWorkloads::TakePaintStats() {
    const SPaintStats stats = m_paint;
    m_paint = SPaintStats();
    return stats;
}

std::string CZarniWorkloads::Describe() {
    const CSize size = m_editor->GetCore().GetRoot()->GetView()->GetSize();
    return std::string(Name()) + ": view " + std::to_string(size.cx) + " x " +
           std::to_string(size.cy) + ", default font, undo queue off (UndoLimited(0))";
}

bool CZarniWorkloads::SaveSurface(const char* path) {
    IXCanvas* surface = m_editor->GetCore().GetRoot()->GetView()->GetSurface();
    return surface && XWriteCanvasPng(surface, path);
}

void CZarniWorkloads::N_Changed(IXCanvas*, const CRect& changed) {
    ++m_paint.bands;
    m_paint.pixels += static_cast<long long>(changed.Width()) * changed.Height();
}
