#include "render/HeadlessGlContext.h"

#include <GL/glew.h>

#define EGL_NO_X11
#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr EGLint configAttributes[] = {EGL_SURFACE_TYPE,
                                       EGL_PBUFFER_BIT,
                                       EGL_RENDERABLE_TYPE,
                                       EGL_OPENGL_BIT,
                                       EGL_RED_SIZE,
                                       8,
                                       EGL_GREEN_SIZE,
                                       8,
                                       EGL_BLUE_SIZE,
                                       8,
                                       EGL_ALPHA_SIZE,
                                       8,
                                       EGL_NONE};

// Mesa answers a 2.1 request with its newest compatibility context, which
// keeps the fixed-function pipeline that the drawing code relies on.
constexpr EGLint contextAttributes[] = {EGL_CONTEXT_MAJOR_VERSION,
                                        2,
                                        EGL_CONTEXT_MINOR_VERSION,
                                        1,
                                        EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                        EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                                        EGL_NONE};

constexpr EGLint pbufferAttributes[] = {EGL_WIDTH, 1, EGL_HEIGHT, 1, EGL_NONE};

bool hasExtension(EGLDisplay display, const char* name) {
    const char* list = eglQueryString(display, EGL_EXTENSIONS);
    if (list == nullptr) {
        return false;
    }
    const std::size_t length = std::strlen(name);
    for (const char* at = std::strstr(list, name); at != nullptr; at = std::strstr(at + 1, name)) {
        const bool starts = at == list || at[-1] == ' ';
        const bool ends = at[length] == '\0' || at[length] == ' ';
        if (starts && ends) {
            return true;
        }
    }
    return false;
}

std::string eglErrorText() {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(eglGetError()));
    return text;
}

} // namespace

HeadlessGlContext::HeadlessGlContext() {
    if (!openDisplay()) {
        return;
    }
    if (eglBindAPI(EGL_OPENGL_API) != EGL_TRUE) {
        fail("eglBindAPI(EGL_OPENGL_API)");
        return;
    }
    EGLint configCount = 0;
    EGLConfig chosen = nullptr;
    if (eglChooseConfig(display, configAttributes, &chosen, 1, &configCount) != EGL_TRUE ||
        configCount < 1) {
        fail("eglChooseConfig");
        return;
    }
    config = chosen;
    context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
    if (context == EGL_NO_CONTEXT) {
        fail("eglCreateContext (OpenGL 2.1 compatibility)");
        return;
    }
    if (!makeCurrent()) {
        return;
    }
    // Without GLX, glewInit reports an error after it has loaded the GL entry
    // points; what matters is whether the ones we use are there.
    glewExperimental = GL_TRUE;
    glewInit();
    if (glGenFramebuffersEXT == nullptr || glGenBuffers == nullptr) {
        made = Error("OpenGL entry points for framebuffer and buffer objects are missing");
        destroy();
    }
}

HeadlessGlContext::~HeadlessGlContext() {
    destroy();
}

bool HeadlessGlContext::openDisplay() {
    // The surfaceless platform needs no X server; the default display is the
    // fallback for EGL implementations without it.
    const auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay != nullptr) {
        display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
        if (display != EGL_NO_DISPLAY && eglInitialize(display, nullptr, nullptr) == EGL_TRUE) {
            return true;
        }
    }
    display = eglGetDisplay(EGL_DEFAULT_DISPLAY);
    if (display == EGL_NO_DISPLAY || eglInitialize(display, nullptr, nullptr) != EGL_TRUE) {
        display = nullptr;
        return fail("no EGL display (surfaceless or default)");
    }
    return true;
}

bool HeadlessGlContext::makeCurrent() {
    if (!hasExtension(display, "EGL_KHR_surfaceless_context")) {
        surface = eglCreatePbufferSurface(display, config, pbufferAttributes);
        if (surface == EGL_NO_SURFACE) {
            return fail("eglCreatePbufferSurface");
        }
    }
    if (eglMakeCurrent(display, surface, surface, context) != EGL_TRUE) {
        return fail("eglMakeCurrent");
    }
    return true;
}

bool HeadlessGlContext::fail(const std::string& step) {
    made = Error("headless OpenGL context: " + step + " failed (EGL error " + eglErrorText() + ")");
    destroy();
    return false;
}

void HeadlessGlContext::destroy() {
    if (display == nullptr) {
        return;
    }
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (surface != nullptr) {
        eglDestroySurface(display, surface);
    }
    if (context != nullptr) {
        eglDestroyContext(display, context);
    }
    eglTerminate(display);
    display = nullptr;
    config = nullptr;
    context = nullptr;
    surface = nullptr;
}
