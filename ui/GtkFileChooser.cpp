#include "ui/GtkFileChooser.h"

#include "ui/GtkSession.h"

#include <gtk/gtk.h>

namespace {

GtkFileChooser* newChooser(const std::string& title, GtkFileChooserAction action,
                           const char* acceptLabel, const std::string& folder) {
    GtkWidget* dialog =
        gtk_file_chooser_dialog_new(title.c_str(), nullptr, action, "_Cancel", GTK_RESPONSE_CANCEL,
                                    acceptLabel, GTK_RESPONSE_ACCEPT, nullptr);
    gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
    if (!folder.empty()) {
        gtk_file_chooser_set_current_folder(chooser, folder.c_str());
    }
    return chooser;
}

// Runs the dialog to its answer and closes it.
std::optional<std::string> answerOf(GtkFileChooser* chooser) {
    std::optional<std::string> chosen;
    if (gtk_dialog_run(GTK_DIALOG(chooser)) == GTK_RESPONSE_ACCEPT) {
        // With several files chosen, the first one is the answer.
        if (gchar* path = gtk_file_chooser_get_filename(chooser)) {
            chosen = path;
            g_free(path);
        }
    }
    gtk_widget_destroy(GTK_WIDGET(chooser));
    drainGtkEvents();
    return chosen;
}

} // namespace

FileChoice chooseFileToOpen(const std::string& title, const std::string& folder, bool multiple) {
    if (!gtkSessionReady()) {
        return Error("No display for the file dialog; nothing is loaded.");
    }
    GtkFileChooser* chooser = newChooser(title, GTK_FILE_CHOOSER_ACTION_OPEN, "_Open", folder);
    gtk_file_chooser_set_select_multiple(chooser, multiple ? TRUE : FALSE);
    GtkFileFilter* graphs = gtk_file_filter_new();
    gtk_file_filter_set_name(graphs,
                             "Graph files (.rsf, .json, .csv, .tsv, .txt, .graphml, .dot, .gv)");
    for (const char* pattern : graphFilePatterns) {
        gtk_file_filter_add_pattern(graphs, pattern);
    }
    gtk_file_chooser_add_filter(chooser, graphs);
    GtkFileFilter* all = gtk_file_filter_new();
    gtk_file_filter_set_name(all, "All files");
    gtk_file_filter_add_pattern(all, "*");
    gtk_file_chooser_add_filter(chooser, all);
    return answerOf(chooser);
}

FileChoice chooseFileToSave(const std::string& title, const std::string& folder,
                            const std::string& suggestedName) {
    if (!gtkSessionReady()) {
        return Error("No display for the file dialog; nothing is saved.");
    }
    GtkFileChooser* chooser = newChooser(title, GTK_FILE_CHOOSER_ACTION_SAVE, "_Save", folder);
    gtk_file_chooser_set_do_overwrite_confirmation(chooser, TRUE);
    gtk_file_chooser_set_current_name(chooser, suggestedName.c_str());
    return answerOf(chooser);
}
