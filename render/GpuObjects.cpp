#include "render/GpuObjects.h"

#include <GL/glew.h>

void replaceArrayBufferData(uint32_t buffer, std::size_t bytes, const void* data,
                            BufferUsage usage) {
    if (buffer == 0) {
        return;
    }
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), data,
                 usage == BufferUsage::StaticDraw ? GL_STATIC_DRAW : GL_DYNAMIC_DRAW);
}

void deleteTexture(uint32_t texture) {
    if (texture != 0) {
        glDeleteTextures(1, &texture);
    }
}
