#include "graph/Graph.h"
#include "layout/Pi.h"

#include <GL/glew.h>

#include <cmath>

namespace {

constexpr int ringVertices = 90;
// Four degrees in units of π, in single precision.
constexpr float ringStep = 0.022222223f;

void beginRedLines(float width) {
    glDisable(GL_TEXTURE_2D);
    glLineWidth(width);
    glColor3f(1.0f, 0.0f, 0.0f);
}

} // namespace

void Graph::drawRadialTree() {
    beginRedLines(lineWidth);
    const float pi = singlePrecisionPi;
    for (uint32_t level = 0; level <= maxDepth; ++level) {
        const float r = radialRadius + ringWidth * static_cast<float>(level);
        glBegin(GL_LINE_LOOP);
        for (int j = 0; j < ringVertices; ++j) {
            const float theta = static_cast<float>(j) * pi * ringStep;
            glVertex2f(r * std::sin(theta), r * std::cos(theta));
        }
        glEnd();
    }
    // Each node's span starts where a short segment crosses its own ring.
    glBegin(GL_LINES);
    for (const auto& node : nodes) {
        if (node->parent == nullptr) {
            continue;
        }
        const float theta = 2.0f * pi * node->offset;
        const float r1 = radialRadius + ringWidth * static_cast<float>(maxDepth - node->depth);
        const float r2 = r1 + ringWidth;
        glVertex2f(r1 * std::sin(theta), r1 * std::cos(theta));
        glVertex2f(r2 * std::sin(theta), r2 * std::cos(theta));
    }
    glEnd();
}

void Graph::drawClassicTree() {
    beginRedLines(lineWidth);
    // A hierarchy of one level has no depth to divide by: it sits on the top line.
    const auto drawingPoint = [this](const Node& n) {
        const float level = maxDepth > 0 ? static_cast<float>(n.depth) / static_cast<float>(maxDepth) : 0.0f;
        glVertex2f((n.offset + n.width * 0.5f) * 2.0f - 1.0f, 1.0f - level);
    };
    glBegin(GL_LINES);
    for (const auto& node : nodes) {
        if (node->parent != nullptr) {
            drawingPoint(*node);
            drawingPoint(*node->parent);
        }
    }
    glEnd();
}

void Graph::drawTreeOverlay() {
    if (!showTree) {
        return;
    }
    glDisable(GL_TEXTURE_2D);
    glLineWidth(lineWidth);
    glEnable(GL_BLEND);
    glBlendEquationEXT(GL_FUNC_ADD_EXT);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.8f, 0.8f, 1.0f, 0.5f);
    glBegin(GL_LINES);
    for (const auto& node : nodes) {
        if (node->parent != nullptr) {
            glVertex2f(node->x, node->y);
            glVertex2f(node->parent->x, node->parent->y);
        }
    }
    glEnd();
    glDisable(GL_BLEND);
}
