// Owning pointers for Cairo, Pango and GObject handles, usable without their headers.
#pragma once

#include <memory>

// The libraries' own typedefs, repeated so that headers of this folder stay free of them.
typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;
typedef struct _PangoFontDescription PangoFontDescription;
typedef struct _PangoAttrList PangoAttrList;
typedef struct _PangoContext PangoContext;
typedef struct _PangoFontMap PangoFontMap;
typedef struct _PangoLayout PangoLayout;
typedef struct _PangoFont PangoFont;
typedef struct _GdkPixbuf GdkPixbuf;

// Each deleter calls the library's release function; they accept null.
struct CCairoDeleter {
    void operator()(cairo_t* cr) const;
};
struct CSurfaceDeleter {
    void operator()(cairo_surface_t* surface) const;
};
struct CFontDescriptionDeleter {
    void operator()(PangoFontDescription* desc) const;
};
struct CAttrListDeleter {
    void operator()(PangoAttrList* attrs) const;
};
// Any GObject (layouts, contexts, font maps, pixbufs, loaders, animations).
struct CGObjectDeleter {
    void operator()(void* object) const;
};

using CCairoPtr = std::unique_ptr<cairo_t, CCairoDeleter>;
using CSurfacePtr = std::unique_ptr<cairo_surface_t, CSurfaceDeleter>;
using CFontDescriptionPtr = std::unique_ptr<PangoFontDescription, CFontDescriptionDeleter>;
using CAttrListPtr = std::unique_ptr<PangoAttrList, CAttrListDeleter>;
template <class T>
using CGObjectPtr = std::unique_ptr<T, CGObjectDeleter>;
