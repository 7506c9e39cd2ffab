// tr_KeptFrame_GL: the screen's picture kept from one frame to the next, so
// that a frame can redraw only what changed: a colour texture of the
// window's size behind a framebuffer object, copied into the window's back
// buffer once a frame is finished. Owned by tr_Render_GL; needs the GL
// context current while it holds anything.
//
// The picture must come out exactly as if it had been drawn into the
// window. Mesa keeps window surfaces with the top row first and framebuffer
// objects bottom row first, and rasterises each in its own row order: the
// fill rule at edges and the rounding of interpolated texture coordinates
// then differ by a few levels here and there. So the picture is kept top row
// first too: while it is bound, GL's clip origin is the upper left (which
// also brings Mesa's window fill rule), and the copy turns it upright.
// Without clip control (GL 4.5 or ARB_clip_control) no picture is kept.
#pragma once

#include <epoxy/gl.h>

class tr_KeptFrame_GL {
public:
    tr_KeptFrame_GL() = default;
    tr_KeptFrame_GL(const tr_KeptFrame_GL&) = delete;
    tr_KeptFrame_GL& operator=(const tr_KeptFrame_GL&) = delete;
    ~tr_KeptFrame_GL() { Destroy(); }

    // A picture of width x height (what was kept before is dropped); false,
    // holding nothing, when the device refuses or lacks clip control.
    bool Create(int width, int height);
    void Destroy();
    bool IsCreated() const { return framebuffer_ != 0; }
    // Draws go into the picture, rows counted from its top (see above).
    void Bind() const;
    // Draws go into framebuffer (0: the window) with GL's ordinary origin.
    // Only while a picture exists: without one the origin never changed.
    static void BindOther(GLuint framebuffer);
    // Copies the picture upright into the window's back buffer; the window
    // is bound with the ordinary origin afterwards.
    void CopyToWindow() const;

private:
    GLuint framebuffer_ = 0;
    GLuint texture_ = 0;
    int width_ = 0;
    int height_ = 0;
};
