#pragma once

class Graph;

// The "Load File" button: asks for a graph file and loads it into the graph.
void onLoadFile(Graph& graph);

// Loads the chosen path unless it is 3 characters or shorter, as after a
// cancelled dialog.
void loadChosenFile(Graph& graph, const char* fileName);
