#include "engine/platform/gl/tr_KeptFrame_GL.h"

bool tr_KeptFrame_GL::Create(int width, int height) {
    Destroy();
    if (width <= 0 || height <= 0)
        return false;
    glGenTextures(1, &texture_);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, 0);
    glGenFramebuffers(1, &framebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture_, 0);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (!complete) {
        Destroy();
        return false;
    }
    width_ = width;
    height_ = height;
    return true;
}

void tr_KeptFrame_GL::Destroy() {
    if (framebuffer_)
        glDeleteFramebuffers(1, &framebuffer_);
    if (texture_)
        glDeleteTextures(1, &texture_);
    framebuffer_ = 0;
    texture_ = 0;
    width_ = 0;
    height_ = 0;
}

void tr_KeptFrame_GL::ShowInWindow() const {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glBlitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_, GL_COLOR_BUFFER_BIT,
                      GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void tr_KeptFrame_GL::KeepFromWindow(const int area[4]) const {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer_);
    const int x1 = area[0] + area[2];
    const int y1 = area[1] + area[3];
    glBlitFramebuffer(area[0], area[1], x1, y1, area[0], area[1], x1, y1, GL_COLOR_BUFFER_BIT,
                      GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}
