// CZarniWorkloads: the benchmark workloads run on our editor through its public classes.
#pragma once

#include <memory>

#include "bench/Workloads.h"
#include "view/MultilayerViewListener.h"

class CEditorInterface;

// Each Open makes a fresh editor with the undo queue off (UndoLimited(0)), so the figures
// hold layout, composition and the document, not undo records. The listener counts the
// bands the multilayer view recomposes onto its surface.
class CZarniWorkloads : public IWorkloads, public IMultilayerViewListener {
public:
    CZarniWorkloads();
    ~CZarniWorkloads() override;

    const char* Name() const override { return "ZarniEditor"; }
    bool Init(std::string* error) override;
    void WarmUp(const SBenchDoc& doc, bool drawPages) override;
    STiming Open(const SBenchDoc& doc) override;
    std::string Check(const SBenchDoc& doc) override;
    STiming Type(const SKeystroke& key) override;
    void Revert(const SKeystroke& key) override;
    long ContentHeight() override;
    long ViewTop() override;
    SPaintStats TakePaintStats() override;
    std::string Describe() override;
    bool SaveSurface(const char* path) override;

    // IMultilayerViewListener
    void N_Changed(IXCanvas* surface, const CRect& changed) override;
    void N_ReservePaintRgn(const ZarniUUID&, const CRect&) override {}
    void OnContextMenu(const CPoint&) override {}
    void N_EditorViewSizeChanged(const CSize&) override {}
    void N_EditorViewPortChanged(const CPoint&) override {}

private:
    // Replaces the editor by a new empty one, sized and listened to.
    void NewEditor();

    std::unique_ptr<CEditorInterface> m_editor;
    SPaintStats m_paint;
};
