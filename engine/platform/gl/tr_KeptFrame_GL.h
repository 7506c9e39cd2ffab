// tr_KeptFrame_GL: the screen's picture kept from one frame to the next, so
// that a frame can redraw only what changed: a colour texture of the
// window's size behind a framebuffer object, copied into the window's back
// buffer once a frame is finished. Owned by tr_Render_GL; needs the GL
// context current while it holds anything.
#pragma once

#include <epoxy/gl.h>

class tr_KeptFrame_GL {
public:
    tr_KeptFrame_GL() = default;
    tr_KeptFrame_GL(const tr_KeptFrame_GL&) = delete;
    tr_KeptFrame_GL& operator=(const tr_KeptFrame_GL&) = delete;
    ~tr_KeptFrame_GL() { Destroy(); }

    // A picture of width x height (what was kept before is dropped); false,
    // holding nothing, when the device refuses.
    bool Create(int width, int height);
    void Destroy();
    bool IsCreated() const { return framebuffer_ != 0; }
    GLuint GetFramebuffer() const { return framebuffer_; }
    // Copies the picture into the window's back buffer; the draw framebuffer
    // is the window's afterwards.
    void CopyToWindow() const;

private:
    GLuint framebuffer_ = 0;
    GLuint texture_ = 0;
    int width_ = 0;
    int height_ = 0;
};
