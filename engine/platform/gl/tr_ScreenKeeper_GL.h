// tr_ScreenKeeper_GL: the part of the GL renderer that lets the screen keep
// its picture from one frame to the next, so that a frame may redraw only
// what changed. It holds the screen scissor, notes the areas each frame
// draws, and keeps the picture in one of two places:
//  - a kept picture (tr_KeptFrame_GL) while the host swaps buffers, since a
//    swap leaves the back buffer undefined: the picture goes back into the
//    window before the frame's first draw (unless that draw clears the whole
//    screen) and the areas drawn are copied into it when the frame ends;
//  - the window's back buffer itself once the host shows frames by copying
//    the changed areas into the window and never swaps: nothing is copied
//    then, and the host learns from GetChanges what to show.
//
// Owned by tr_Render_GL, which sends its queued draws before calling
// anything here, calls BeforeDraw before anything reaches the screen and
// binds the screen's framebuffer around the calls that copy pictures. Needs
// the GL context current.
#pragma once

#include "engine/platform/gl/tr_KeptFrame_GL.h"
#include "engine/render/tr_Rect.h"
#include "engine/render/tr_ScreenChanges.h"

#include <array>

class tr_ScreenKeeper_GL {
public:
    // The screen's size after the device (re)started. A kept picture is made
    // again for it; what it held is lost, so the next frame is drawn whole.
    void Resize(int width, int height);
    // Whether frames keep their picture; false when asked to and no picture
    // can be made.
    bool Keep(bool keep);
    bool IsKeeping() const { return keep_; }
    // Whether the window's back buffer keeps its content from one frame to
    // the next (the host copies from it and never swaps). The picture moves
    // to where it is kept from now on.
    void SetWindowKeepsPicture(bool keeps);
    // A discarded frame reaches no pixel of the screen.
    void SetDiscarded(bool discarded) { discarded_ = discarded; }
    // Limits screen draws to rect (null: no limit).
    void SetScissor(const tr_Rect* rect);
    bool ScissorCoversScreen() const;

    void BeginFrame();
    void EndFrame();
    // Called before anything reaches the screen: puts the kept picture back
    // first unless covers_screen, and notes that a draw without a scissor
    // changes all of the screen.
    void BeforeDraw(bool covers_screen);
    // The scissor in force for the framebuffer bound now: an empty box on a
    // discarded screen, the scissor on the screen, none on render targets.
    void ApplyScissor(bool to_target) const;
    // What the last frame changed, while the window's back buffer is the
    // kept picture; false (changes untouched) otherwise.
    bool GetChanges(tr_ScreenChanges& changes) const;

private:
    // x, bottom row, width, height in the window of a rectangle given from
    // the screen's top left.
    std::array<int, 4> WindowArea(const std::array<int, 4>& rect) const;
    void KeepWindowArea(const std::array<int, 4>& rect) const;

    tr_KeptFrame_GL kept_;
    int width_ = 0;
    int height_ = 0;
    bool keep_ = false;
    bool window_keeps_ = false;
    bool discarded_ = false;
    bool scissor_on_ = false;
    std::array<int, 4> scissor_{}; // x, y, width, height from the top left
    // Screen areas drawn this frame.
    tr_ScreenChanges changes_;
    bool restore_pending_ = false;
};
