// CGtkWorkloads: the benchmark workloads run on GTK3's GtkTextView.
#pragma once

#include <memory>
#include <string>

#include "bench/Workloads.h"

// A 600 x 400 toplevel holding a GtkScrolledWindow (both scroll policies automatic) with a
// GtkTextView wrapping by character in our default font. The toplevel's updates are frozen
// so nothing is painted to the X server; what GTK invalidates is taken from the toplevel's
// update area and drawn with gtk_widget_draw onto an ARGB32 image surface. Animations and
// the cursor blink are off. Layout is complete when the main loop has nothing pending.
class CGtkWorkloads : public IWorkloads {
public:
    // fontFamily (UTF-8) and fontPixels: the font the text view uses.
    CGtkWorkloads(std::string fontFamily, int fontPixels);
    ~CGtkWorkloads() override;

    const char* Name() const override { return "GtkTextView"; }
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

private:
    struct SWidgets;
    // Runs the main loop until nothing is pending: every idle layout step has run.
    void Drain();
    // Draws the invalidated region of the toplevel onto the image surface.
    void Paint();
    void SetText(const std::string& utf8);

    std::string m_fontFamily;
    int m_fontPixels;
    std::unique_ptr<SWidgets> m_w;
    SPaintStats m_paint;
};
