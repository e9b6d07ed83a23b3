#include "graph/Graph.h"

void Graph::sampleSplines() {}

void Graph::setBeta(float newBeta) {
    beta = newBeta;
}
