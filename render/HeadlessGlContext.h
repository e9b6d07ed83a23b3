#pragma once

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

    bool valid() const { return failure.empty(); }
    // Why the context could not be made; empty when it was.
    const std::string& error() const { return failure; }

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
    std::string failure;
};
