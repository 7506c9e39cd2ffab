#include "engine/platform/gl/tr_RenderDevice_GL.h"

#include "engine/platform/gl/tr_DeviceBuffer_GL.h"
#include "engine/platform/gl/tr_DeviceTexture_GL.h"

namespace {

void DrainErrors() {
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
    }
}

} // namespace

tr_RenderDevice_GL* tr_RenderDevice_GL::live_ = nullptr;

tr_RenderDevice_GL::tr_RenderDevice_GL() {
    live_ = this;
}

tr_RenderDevice_GL::~tr_RenderDevice_GL() {
    if (live_ == this)
        live_ = nullptr;
}

void tr_RenderDevice_GL::FlushPending() {
    if (live_ && live_->flush_)
        live_->flush_();
}

const char* tr_RenderDevice_GL::ErrorName(unsigned error) {
    switch (error) {
    case GL_NO_ERROR:
        return "GL_NO_ERROR";
    case GL_INVALID_ENUM:
        return "GL_INVALID_ENUM";
    case GL_INVALID_VALUE:
        return "GL_INVALID_VALUE";
    case GL_INVALID_OPERATION:
        return "GL_INVALID_OPERATION";
    case GL_INVALID_FRAMEBUFFER_OPERATION:
        return "GL_INVALID_FRAMEBUFFER_OPERATION";
    case GL_OUT_OF_MEMORY:
        return "GL_OUT_OF_MEMORY";
    default:
        return "GL_UNKNOWN_ERROR";
    }
}

std::unique_ptr<tr_DeviceTexture>
tr_RenderDevice_GL::AllocateTexture(int width, int height, bool render_target, std::string& error) {
    GLint max_size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &max_size);
    if (width > max_size || height > max_size) {
        error = ErrorName(GL_INVALID_VALUE);
        return nullptr;
    }
    DrainErrors();
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
    if (!render_target) {
        // Loaded texels arrive blue first and are stored as they come (a
        // plain row copy; Mesa swaps red and blue texel by texel otherwise),
        // so sampling swaps them back.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_R, GL_BLUE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_B, GL_RED);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    const GLenum status = glGetError();
    if (status != GL_NO_ERROR) {
        glDeleteTextures(1, &texture);
        error = ErrorName(status);
        return nullptr;
    }

    GLuint framebuffer = 0;
    if (render_target) {
        GLint previous = 0;
        glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &previous);
        glGenFramebuffers(1, &framebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
        const GLenum complete = glCheckFramebufferStatus(GL_FRAMEBUFFER);
        glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
        if (complete != GL_FRAMEBUFFER_COMPLETE) {
            glDeleteFramebuffers(1, &framebuffer);
            glDeleteTextures(1, &texture);
            error = ErrorName(GL_INVALID_FRAMEBUFFER_OPERATION);
            return nullptr;
        }
    }
    return std::make_unique<tr_DeviceTexture_GL>(texture, framebuffer, width, height);
}

std::unique_ptr<tr_DeviceBuffer> tr_RenderDevice_GL::CreateBuffer(size_t bytes, bool) {
    if (bytes == 0)
        return nullptr;
    DrainErrors();
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_COPY_WRITE_BUFFER, buffer);
    glBufferData(GL_COPY_WRITE_BUFFER, static_cast<GLsizeiptr>(bytes), nullptr, GL_DYNAMIC_DRAW);
    glBindBuffer(GL_COPY_WRITE_BUFFER, 0);
    if (glGetError() != GL_NO_ERROR) {
        glDeleteBuffers(1, &buffer);
        return nullptr;
    }
    return std::make_unique<tr_DeviceBuffer_GL>(buffer, bytes);
}
