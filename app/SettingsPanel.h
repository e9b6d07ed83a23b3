#pragma once

class Application;
class Graph;
class Panel;

// The "Settings" bar: the graph's size, the "Load File" button, and every
// setting the user can change, bound straight to fields of the application
// and the graph. Sets the application's layout and bundling strength to
// their starting values and stores the bar in `settingsBar`.
void createSettingsPanel(Panel& panel, Application& application, Graph& graph);

// The "Load File" button: asks for a graph file and loads it.
void onLoadFile(void* clientData);

// Loads the chosen path unless it is 3 characters or shorter, as after a
// cancelled dialog.
void loadChosenFile(Graph& graph, const char* fileName);
