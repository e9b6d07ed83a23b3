#include "ui/GtkSession.h"

#include <gtk/gtk.h>

bool gtkSessionReady() {
    // GTK would otherwise switch the C library to the user's locale, and
    // numbers would then print and read with a decimal comma. GTK accepts
    // this only before its first start.
    static const bool localeKept = [] {
        gtk_disable_setlocale();
        return true;
    }();
    return localeKept && gtk_init_check(nullptr, nullptr) != FALSE;
}

void drainGtkEvents() {
    while (gtk_events_pending()) {
        gtk_main_iteration();
    }
}
