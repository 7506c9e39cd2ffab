#include "engine/platform/gl/tr_DeviceTexture_GL.h"

#include "engine/platform/gl/tr_RenderDevice_GL.h"

#include <algorithm>
#include <vector>

tr_DeviceTexture_GL::tr_DeviceTexture_GL(GLuint texture, GLuint framebuffer, int alloc_width,
                                         int alloc_height)
    : tr_DeviceTexture(alloc_width, alloc_height), texture_(texture), framebuffer_(framebuffer) {}

tr_DeviceTexture_GL::~tr_DeviceTexture_GL() {
    tr_RenderDevice_GL::FlushPending();
    if (framebuffer_)
        glDeleteFramebuffers(1, &framebuffer_);
    glDeleteTextures(1, &texture_);
}

void tr_DeviceTexture_GL::WriteRows(const uint8_t* pixels, int width, int height, int stride) {
    width = std::min(width, GetAllocWidth());
    height = std::min(height, GetAllocHeight());
    if (!pixels || width <= 0 || height <= 0 || stride % 4 != 0)
        return;
    tr_RenderDevice_GL::FlushPending();
    MarkWritten();
    glBindTexture(GL_TEXTURE_2D, texture_);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, stride / 4);
    // Render targets hold real RGBA; other textures keep the bytes as they
    // come and swap red and blue when sampled (tr_RenderDevice_GL).
    const GLenum order = framebuffer_ ? GL_BGRA : GL_RGBA;
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, order, GL_UNSIGNED_BYTE, pixels);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void tr_DeviceTexture_GL::Fill(uint32_t argb) {
    const std::vector<uint32_t> texels(
        static_cast<size_t>(GetAllocWidth()) * static_cast<size_t>(GetAllocHeight()), argb);
    WriteRows(reinterpret_cast<const uint8_t*>(texels.data()), GetAllocWidth(), GetAllocHeight(),
              GetAllocWidth() * 4);
}
