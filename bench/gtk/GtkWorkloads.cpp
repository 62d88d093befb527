// The benchmark workloads on GtkTextView: a frozen toplevel drawn onto an image surface.
#include "bench/gtk/GtkWorkloads.h"

#include <gtk/gtk.h>

#include <cstdlib>

struct CGtkWorkloads::SWidgets {
    GtkWidget* window = nullptr;
    GtkTextView* view = nullptr;
    GtkTextBuffer* buffer = nullptr;
    cairo_surface_t* surface = nullptr;

    ~SWidgets() {
        if (surface)
            cairo_surface_destroy(surface);
        if (window)
            gtk_widget_destroy(window);
    }
    GtkAdjustment* VAdjustment() const {
        return gtk_scrollable_get_vadjustment(GTK_SCROLLABLE(view));
    }
};

CGtkWorkloads::CGtkWorkloads(std::string fontFamily, int fontPixels)
    : m_fontFamily(std::move(fontFamily)), m_fontPixels(fontPixels) {}

CGtkWorkloads::~CGtkWorkloads() {
    m_w.reset();
    Drain();
}

void CGtkWorkloads::Drain() {
    // Frozen updates also freeze the toplevel's frame clock, whose layout phase would
    // otherwise allocate sizes; the resize it would run is run here instead.
    do {
        while (gtk_events_pending())
            gtk_main_iteration_do(FALSE);
        if (m_w && m_w->window)
            gtk_container_check_resize(GTK_CONTAINER(m_w->window));
    } while (gtk_events_pending());
}

bool CGtkWorkloads::Init(std::string* error) {
    // Both must be in place before GDK and GLib start.
    g_setenv("GDK_RENDERING", "image", FALSE);
    g_setenv("G_SLICE", "always-malloc", FALSE);
    if (!gtk_init_check(nullptr, nullptr)) {
        if (error) {
            const char* display = std::getenv("DISPLAY");
            *error = std::string("GTK cannot open the display ") + (display ? display : "(unset)");
        }
        return false;
    }
    g_object_set(gtk_settings_get_default(), "gtk-enable-animations", FALSE, "gtk-cursor-blink",
                 FALSE, nullptr);

    m_w.reset(new SWidgets());
    m_w->window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_resizable(GTK_WINDOW(m_w->window), FALSE);
    GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
    // With a NEVER horizontal policy one overhanging line could widen the window and force a
    // re-wrap of everything.
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scrolled), GTK_POLICY_AUTOMATIC,
                                   GTK_POLICY_AUTOMATIC);
    gtk_widget_set_size_request(scrolled, kWidth, kHeight);
    GtkWidget* view = gtk_text_view_new();
    m_w->view = GTK_TEXT_VIEW(view);
    m_w->buffer = gtk_text_view_get_buffer(m_w->view);
    // Our editor breaks lines between any two characters.
    gtk_text_view_set_wrap_mode(m_w->view, GTK_WRAP_CHAR);

    // The same font as our default one, picked by fontconfig for the same language.
    GtkCssProvider* css = gtk_css_provider_new();
    const std::string rule = "textview { font-family: \"" + m_fontFamily +
                             "\"; font-size: " + std::to_string(m_fontPixels) + "px; }";
    gtk_css_provider_load_from_data(css, rule.c_str(), -1, nullptr);
    gtk_style_context_add_provider(gtk_widget_get_style_context(view), GTK_STYLE_PROVIDER(css),
                                   GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(css);
    pango_context_set_language(gtk_widget_get_pango_context(view),
                               pango_language_from_string("zh-cn"));

    gtk_container_add(GTK_CONTAINER(scrolled), view);
    gtk_container_add(GTK_CONTAINER(m_w->window), scrolled);
    gtk_widget_show_all(m_w->window);

    // Wait for the map and the first allocation.
    for (int i = 0; i < 500; ++i) {
        Drain();
        GdkWindow* gdkWindow = gtk_widget_get_window(m_w->window);
        if (gdkWindow && gdk_window_is_viewable(gdkWindow) &&
            gtk_widget_get_allocated_width(view) > 1)
            break;
        g_usleep(10000);
    }
    GdkWindow* gdkWindow = gtk_widget_get_window(m_w->window);
    if (!gdkWindow || !gdk_window_is_viewable(gdkWindow)) {
        if (error)
            *error = "the GTK window was never mapped";
        return false;
    }
    // From here on GTK paints nothing itself: invalidated areas collect in the update area.
    gdk_window_freeze_updates(gdkWindow);
    m_w->surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, gtk_widget_get_allocated_width(m_w->window),
                                   gtk_widget_get_allocated_height(m_w->window));
    gdk_window_invalidate_rect(gdkWindow, nullptr, TRUE);
    Paint();
    TakePaintStats();
    return true;
}

namespace {

// Takes the update area of window and of every window below it, in the coordinates of the
// outermost one. The toplevel keeps the parts its child windows cover until those children
// are asked for their own update areas.
void TakeUpdateArea(GdkWindow* window, int x, int y, cairo_region_t* into) {
    cairo_region_t* own = gdk_window_get_update_area(window);
    if (own) {
        cairo_region_translate(own, x, y);
        cairo_region_union(into, own);
        cairo_region_destroy(own);
    }
    for (GList* l = gdk_window_peek_children(window); l; l = l->next) {
        GdkWindow* child = static_cast<GdkWindow*>(l->data);
        int cx = 0, cy = 0;
        gdk_window_get_position(child, &cx, &cy);
        TakeUpdateArea(child, x + cx, y + cy, into);
    }
}

}  // namespace

void CGtkWorkloads::Paint() {
    cairo_region_t* region = cairo_region_create();
    TakeUpdateArea(gtk_widget_get_window(m_w->window), 0, 0, region);
    if (!cairo_region_is_empty(region)) {
        cairo_t* cr = cairo_create(m_w->surface);
        gdk_cairo_region(cr, region);
        cairo_clip(cr);
        gtk_widget_draw(m_w->window, cr);
        cairo_destroy(cr);
        const int count = cairo_region_num_rectangles(region);
        for (int i = 0; i < count; ++i) {
            cairo_rectangle_int_t r;
            cairo_region_get_rectangle(region, i, &r);
            m_paint.pixels += static_cast<long long>(r.width) * r.height;
        }
        ++m_paint.bands;
    }
    cairo_region_destroy(region);
}

void CGtkWorkloads::SetText(const std::string& utf8) {
    gtk_text_buffer_set_text(m_w->buffer, utf8.data(), static_cast<int>(utf8.size()));
}

void CGtkWorkloads::WarmUp(const SBenchDoc& doc, bool drawPages) {
    GtkAdjustment* adj = m_w->VAdjustment();
    SetText(doc.utf8);
    Drain();
    Paint();
    if (drawPages) {
        const double page = gtk_adjustment_get_page_size(adj);
        for (double v = 0; page > 0 && v < gtk_adjustment_get_upper(adj); v += page) {
            gtk_adjustment_set_value(adj, v);
            Drain();
            Paint();
        }
    }
    SetText(std::string());
    gtk_adjustment_set_value(adj, 0);
    Drain();
    Paint();
    TakePaintStats();
}

STiming CGtkWorkloads::Open(const SBenchDoc& doc) {
    SetText(std::string());
    gtk_adjustment_set_value(m_w->VAdjustment(), 0);
    Drain();
    Paint();
    TakePaintStats();
    const CStopwatch watch;
    SetText(doc.utf8);
    Drain();
    Paint();
    return watch.Elapsed();
}

long CGtkWorkloads::ContentHeight() {
    GtkTextIter end;
    gtk_text_buffer_get_end_iter(m_w->buffer, &end);
    int y = 0, height = 0;
    gtk_text_view_get_line_yrange(m_w->view, &end, &y, &height);
    return y + height;
}

std::string CGtkWorkloads::Check(const SBenchDoc& doc) {
    const int chars = gtk_text_buffer_get_char_count(m_w->buffer);
    if (chars != doc.units)
        return "buffer holds " + std::to_string(chars) + " characters instead of " +
               std::to_string(doc.units);
    GtkAdjustment* adj = m_w->VAdjustment();
    const long bottom = ContentHeight();
    const double upper = gtk_adjustment_get_upper(adj);
    if (upper > gtk_adjustment_get_page_size(adj) && static_cast<double>(bottom) != upper)
        return "last line ends at " + std::to_string(bottom) + " but the adjustment's upper is " +
               std::to_string(static_cast<long>(upper)) + ": layout incomplete";
    // More main-loop time must change nothing when validation had finished.
    for (int i = 0; i < 3; ++i) {
        g_usleep(30000);
        Drain();
    }
    if (ContentHeight() != bottom || gtk_adjustment_get_upper(adj) != upper)
        return "layout still changed after the main loop went idle: " + std::to_string(bottom) +
               " -> " + std::to_string(ContentHeight());
    return std::string();
}

STiming CGtkWorkloads::Type(const SKeystroke& key) {
    const CStopwatch watch;
    GtkTextIter at;
    gtk_text_buffer_get_iter_at_offset(m_w->buffer, &at, static_cast<int>(key.pos));
    gtk_text_buffer_place_cursor(m_w->buffer, &at);
    gtk_text_buffer_insert_interactive_at_cursor(m_w->buffer, key.utf8.data(),
                                                 static_cast<int>(key.utf8.size()), TRUE);
    gtk_text_view_scroll_mark_onscreen(m_w->view, gtk_text_buffer_get_insert(m_w->buffer));
    Drain();
    Paint();
    return watch.Elapsed();
}

void CGtkWorkloads::Revert(const SKeystroke& key) {
    GtkTextIter start, end;
    gtk_text_buffer_get_iter_at_offset(m_w->buffer, &start, static_cast<int>(key.pos));
    gtk_text_buffer_get_iter_at_offset(m_w->buffer, &end, static_cast<int>(key.pos) + 1);
    gtk_text_buffer_delete(m_w->buffer, &start, &end);
    Drain();
    Paint();
}

long CGtkWorkloads::ViewTop() {
    return static_cast<long>(gtk_adjustment_get_value(m_w->VAdjustment()));
}

SPaintStats CGtkWorkloads::TakePaintStats() {
    const SPaintStats stats = m_paint;
    m_paint = SPaintStats();
    return stats;
}

std::string CGtkWorkloads::Describe() {
    GtkWidget* view = GTK_WIDGET(m_w->view);
    PangoContext* context = gtk_widget_get_pango_context(view);
    PangoFont* font = pango_context_load_font(context, pango_context_get_font_description(context));
    std::string used = "?";
    if (font) {
        PangoFontDescription* desc = pango_font_describe(font);
        char* text = pango_font_description_to_string(desc);
        used = text;
        g_free(text);
        pango_font_description_free(desc);
        g_object_unref(font);
    }
    const char* rendering = std::getenv("GDK_RENDERING");
    return std::string(Name()) + ": GTK " + std::to_string(gtk_get_major_version()) + "." +
           std::to_string(gtk_get_minor_version()) + "." + std::to_string(gtk_get_micro_version()) +
           ", text view " + std::to_string(gtk_widget_get_allocated_width(view)) + " x " +
           std::to_string(gtk_widget_get_allocated_height(view)) + ", font \"" + m_fontFamily +
           "\" " + std::to_string(m_fontPixels) + " px (loads " + used +
           "), wrap by character, GDK_RENDERING=" + (rendering ? rendering : "unset");
}

bool CGtkWorkloads::SaveSurface(const char* path) {
    return m_w && m_w->surface &&
           cairo_surface_write_to_png(m_w->surface, path) == CAIRO_STATUS_SUCCESS;
}
