#include "ui/GtkFileChooser.h"

#include "base/Console.h"

#include "ui/GtkSession.h"

#include <gtk/gtk.h>

std::optional<std::string> chooseFileToOpen(const std::string& title, const std::string& folder,
                                            bool multiple) {
    if (!gtkSessionReady()) {
        console::line("No display for the file dialog; nothing is loaded.");
        return std::nullopt;
    }
    GtkWidget* dialog =
        gtk_file_chooser_dialog_new(title.c_str(), nullptr, GTK_FILE_CHOOSER_ACTION_OPEN, "_Cancel",
                                    GTK_RESPONSE_CANCEL, "_Open", GTK_RESPONSE_ACCEPT, nullptr);
    gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
    gtk_file_chooser_set_select_multiple(chooser, multiple ? TRUE : FALSE);
    if (!folder.empty()) {
        gtk_file_chooser_set_current_folder(chooser, folder.c_str());
    }
    std::optional<std::string> chosen;
    if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) {
        // With several files chosen, the first one is the answer.
        if (gchar* path = gtk_file_chooser_get_filename(chooser)) {
            chosen = path;
            g_free(path);
        }
    }
    gtk_widget_destroy(dialog);
    drainGtkEvents();
    return chosen;
}
