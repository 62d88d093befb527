// IWorkloads: what each benchmarked editor offers the harness, one document at a time.
#pragma once

#include <string>

#include "bench/DocGen.h"
#include "bench/Stopwatch.h"

// What the surface repaints cost since the last TakePaintStats.
struct SPaintStats {
    long bands = 0;        // rectangles (or regions) repainted
    long long pixels = 0;  // their area
};

class IWorkloads {
public:
    // The size of the editor on both sides.
    static constexpr int kWidth = 600;
    static constexpr int kHeight = 400;

    virtual ~IWorkloads() = default;

    virtual const char* Name() const = 0;
    // Starts the toolkit and makes the 600 x 400 editor; false with a reason when it cannot.
    virtual bool Init(std::string* error) = 0;
    // Lays out doc once, untimed, so that every glyph is measured; with drawPages it also
    // scrolls through it and paints every page, so that every glyph is rendered once.
    virtual void WarmUp(const SBenchDoc& doc, bool drawPages) = 0;
    // Starts from an empty editor (untimed), then puts doc in, lays all of it out and
    // paints the view; the time that took.
    virtual STiming Open(const SBenchDoc& doc) = 0;
    // Empty when the open document holds doc.units units and is laid out completely, else
    // what is wrong.
    virtual std::string Check(const SBenchDoc& doc) = 0;
    // Inserts one character, brings the layout up to date and repaints the changed band
    // onto the image surface; the time that took.
    virtual STiming Type(const SKeystroke& key) = 0;
    // Deletes the character key inserted and brings layout and surface up to date (untimed).
    virtual void Revert(const SKeystroke& key) = 0;
    // The laid-out height of the open document in pixels.
    virtual long ContentHeight() = 0;
    // The content y shown at the top of the view.
    virtual long ViewTop() = 0;
    virtual SPaintStats TakePaintStats() = 0;
    // Writes the composed surface to a PNG file, for a person to look at.
    virtual bool SaveSurface(const char* path) = 0;
    // A line describing the setup (toolkit version, font, widths) for the report.
    virtual std::string Describe() = 0;
};
