#include "engine/platform/gl/tr_DeviceBuffer_GL.h"

#include <algorithm>

tr_DeviceBuffer_GL::~tr_DeviceBuffer_GL() {
    glDeleteBuffers(1, &buffer_);
}

void tr_DeviceBuffer_GL::Upload(const void* data, size_t bytes) {
    bytes = std::min(bytes, bytes_);
    if (bytes == 0)
        return;
    glBindBuffer(GL_COPY_WRITE_BUFFER, buffer_);
    glBufferSubData(GL_COPY_WRITE_BUFFER, 0, static_cast<GLsizeiptr>(bytes), data);
    glBindBuffer(GL_COPY_WRITE_BUFFER, 0);
}
