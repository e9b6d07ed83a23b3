#include "ui/MessageBox.h"

#include "ui/GtkSession.h"

#include <gtk/gtk.h>

#include <cstdio>
#include <cstring>

void showMessageBox(const char* text, const char* caption) {
    std::fputs(text, stderr);
    if (*text == '\0' || text[std::strlen(text) - 1] != '\n') {
        std::fputc('\n', stderr);
    }
    std::fflush(stderr);
    if (!gtkSessionReady()) {
        return;
    }
    GtkWidget* dialog = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_ERROR,
                                               GTK_BUTTONS_OK, "%s", text);
    gtk_window_set_title(GTK_WINDOW(dialog), caption);
    gtk_dialog_run(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
    drainGtkEvents();
}
