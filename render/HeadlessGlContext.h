#pragma once

#include "base/Result.h"

#include <string>

// A desktop OpenGL context (compatibility profile) without a window, for
// tests and batch rendering: EGL on Mesa, needing no X server. The context is
// current on the creating thread while the object lives; GL entry points are
// loaded through GLEW.
class HeadlessGlContext {
public:
    HeadlessGlContext();
    ~HeadlessGlContext();
    HeadlessGlContext(const HeadlessGlContext&) = delete;
    HeadlessGlContext& operator=(const HeadlessGlContext&) = delete;

    // Whether the context was made, and why not.
    const Status& status() const { return made; }

private:
    bool openDisplay();
    bool makeCurrent();
    bool fail(const std::string& step);
    void destroy();

    // EGL handles, kept opaque so that users need no EGL or X11 headers.
    void* display = nullptr;
    void* config = nullptr;
    void* context = nullptr;
    void* surface = nullptr;
    Status made;
};
