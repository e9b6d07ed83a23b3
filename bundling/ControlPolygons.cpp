#include "graph/Graph.h"

void Graph::buildSplines() {}
