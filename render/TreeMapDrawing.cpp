#include "graph/Graph.h"
#include "layout/TreeMap.h"

#include <GL/glew.h>

#include <vector>

void TreeMap::draw(Rect) {
    if (root) {
        drawNode(root.get());
    }
}

void TreeMap::drawNode(TreeMapNode* node) {
    // Pre-order without recursion: parents are outlined before children.
    std::vector<const TreeMapNode*> pending{node};
    while (!pending.empty()) {
        const TreeMapNode* current = pending.back();
        pending.pop_back();
        const Rect& r = current->rect;
        glBegin(GL_LINE_LOOP);
        glVertex2f(r.x0, r.y1);
        glVertex2f(r.x1, r.y1);
        glVertex2f(r.x1, r.y0);
        glVertex2f(r.x0, r.y0);
        glEnd();
        for (auto child = current->children.rbegin(); child != current->children.rend(); ++child) {
            pending.push_back(child->get());
        }
    }
}

void Graph::drawTreeMap() {
    refreshTreeMapSpacing();
    glDisable(GL_TEXTURE_2D);
    glLineWidth(lineWidth);
    glColor3f(1.0f, 0.0f, 0.0f);
    if (treeMap) {
        treeMap->draw(Rect{-1.0f, -1.0f, 1.0f, 1.0f});
    }
}
