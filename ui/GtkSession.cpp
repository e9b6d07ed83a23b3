#include "ui/GtkSession.h"

#include <gtk/gtk.h>

namespace {

// GTK's warnings (dozens of Gtk-CRITICAL lines under a bare X server) are
// no business of the terminal the viewer runs in; fatal errors still show.
GLogWriterOutput quietWriter(GLogLevelFlags level, const GLogField* fields, gsize count,
                             gpointer data) {
    if ((level & G_LOG_LEVEL_ERROR) != 0) {
        return g_log_writer_default(level, fields, count, data);
    }
    return G_LOG_WRITER_HANDLED;
}

} // namespace

bool gtkSessionReady() {
    // GTK would otherwise switch the C library to the user's locale, and
    // numbers would then print and read with a decimal comma. GTK accepts
    // this only before its first start.
    static const bool localeKept = [] {
        gtk_disable_setlocale();
        g_log_set_writer_func(quietWriter, nullptr, nullptr);
        // Without a session bus the settings store cannot be reached and
        // says so on every dialog; settings then live in memory.
        if (g_getenv("DBUS_SESSION_BUS_ADDRESS") == nullptr) {
            g_setenv("GSETTINGS_BACKEND", "memory", FALSE);
        }
        return true;
    }();
    return localeKept && gtk_init_check(nullptr, nullptr) != FALSE;
}

void drainGtkEvents() {
    while (gtk_events_pending()) {
        gtk_main_iteration();
    }
}
