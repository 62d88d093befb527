// Release functions behind the owning pointers of Handles.h.
#include "platform/graphics/cairo/Handles.h"

#include <cairo.h>
#include <glib-object.h>
#include <pango/pango.h>

void CCairoDeleter::operator()(cairo_t* cr) const {
    if (cr)
        cairo_destroy(cr);
}

void CSurfaceDeleter::operator()(cairo_surface_t* surface) const {
    if (surface)
        cairo_surface_destroy(surface);
}

void CFontDescriptionDeleter::operator()(PangoFontDescription* desc) const {
    if (desc)
        pango_font_description_free(desc);
}

void CAttrListDeleter::operator()(PangoAttrList* attrs) const {
    if (attrs)
        pango_attr_list_unref(attrs);
}

void CGObjectDeleter::operator()(void* object) const {
    if (object)
        g_object_unref(object);
}
