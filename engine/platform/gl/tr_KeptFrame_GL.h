// tr_KeptFrame_GL: the screen's picture kept from one frame to the next, so
// that a frame can redraw only what changed: a colour texture of the
// window's size behind a framebuffer object. Owned by tr_ScreenKeeper_GL,
// which uses it only while the host swaps buffers; needs the GL context
// current while it holds anything.
//
// Frames are still drawn into the window itself, never into the kept
// picture: a software rasteriser (Mesa's) treats its window surfaces and
// framebuffer objects differently (row order, fill rule at edges, scissor
// handling), and a frame drawn into one can differ from the same frame drawn
// into the other by a few levels here and there. So the kept picture is
// copied into the window's back buffer (whose content a swap leaves
// undefined) before a frame's first draw, unless that draw clears the whole
// screen; the changed areas are drawn there, and copied back into the
// picture when the frame ends. Copies are whole pixels, exact, in the
// window's own row order.
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
    // Copies the whole picture into the window's back buffer.
    void ShowInWindow() const;
    // Copies a rectangle of the window's back buffer into the picture: x,
    // bottom row, width, height in the window's coordinates.
    void KeepFromWindow(const int area[4]) const;

private:
    GLuint framebuffer_ = 0;
    GLuint texture_ = 0;
    int width_ = 0;
    int height_ = 0;
};
