#include "engine/platform/gl/tr_ScreenKeeper_GL.h"

#include <algorithm>
#include <cmath>

void tr_ScreenKeeper_GL::Resize(int width, int height) {
    width_ = width;
    height_ = height;
    if (keep_ && !window_keeps_)
        keep_ = kept_.Create(width, height);
}

bool tr_ScreenKeeper_GL::Keep(bool keep) {
    if (keep && !window_keeps_ && !kept_.IsCreated())
        keep = kept_.Create(width_, height_);
    if (!keep || window_keeps_)
        kept_.Destroy();
    keep_ = keep;
    return keep_;
}

void tr_ScreenKeeper_GL::SetWindowKeepsPicture(bool keeps) {
    if (keeps == window_keeps_)
        return;
    window_keeps_ = keeps;
    if (!keep_)
        return;
    glDisable(GL_SCISSOR_TEST);
    if (keeps) {
        kept_.ShowInWindow();
        kept_.Destroy();
    } else {
        keep_ = kept_.Create(width_, height_);
        if (keep_)
            KeepWindowArea({0, 0, width_, height_});
    }
}

void tr_ScreenKeeper_GL::SetScissor(const tr_Rect* rect) {
    scissor_on_ = rect != nullptr;
    if (!rect)
        return;
    scissor_[0] = static_cast<int>(std::floor(rect->x));
    scissor_[1] = static_cast<int>(std::floor(rect->y));
    scissor_[2] = std::max(0, static_cast<int>(std::ceil(rect->w)));
    scissor_[3] = std::max(0, static_cast<int>(std::ceil(rect->h)));
    if (!keep_ || discarded_)
        return;
    if (ScissorCoversScreen())
        changes_.whole = true;
    else
        changes_.areas.push_back(scissor_);
}

bool tr_ScreenKeeper_GL::ScissorCoversScreen() const {
    return !scissor_on_ ||
           (scissor_[0] <= 0 && scissor_[1] <= 0 && scissor_[0] + scissor_[2] >= width_ &&
            scissor_[1] + scissor_[3] >= height_);
}

void tr_ScreenKeeper_GL::BeginFrame() {
    changes_.Clear();
    // A swap leaves the back buffer undefined: the kept picture goes back
    // in before the first screen draw, unless that draw covers the screen.
    restore_pending_ = keep_ && !discarded_ && !window_keeps_;
    if (!keep_) {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }
}

void tr_ScreenKeeper_GL::EndFrame() {
    if (!keep_ || discarded_ || window_keeps_)
        return;
    glDisable(GL_SCISSOR_TEST);
    if (restore_pending_) {
        // Nothing was drawn: the window shows the kept picture unchanged.
        kept_.ShowInWindow();
        restore_pending_ = false;
    } else if (changes_.whole) {
        KeepWindowArea({0, 0, width_, height_});
    } else {
        for (const auto& area : changes_.areas)
            KeepWindowArea(area);
    }
    ApplyScissor(false);
}

void tr_ScreenKeeper_GL::BeforeDraw(bool covers_screen) {
    if (!keep_)
        return;
    if (restore_pending_ && !covers_screen) {
        glDisable(GL_SCISSOR_TEST);
        kept_.ShowInWindow();
        ApplyScissor(false);
    }
    restore_pending_ = false;
    if (!scissor_on_ && !discarded_)
        changes_.whole = true;
}

void tr_ScreenKeeper_GL::ApplyScissor(bool to_target) const {
    if (to_target || (!scissor_on_ && !discarded_)) {
        glDisable(GL_SCISSOR_TEST);
        return;
    }
    glEnable(GL_SCISSOR_TEST);
    // A discarded frame keeps no pixel of what is drawn on screen.
    if (discarded_) {
        glScissor(0, 0, 0, 0);
        return;
    }
    const std::array<int, 4> area = WindowArea(scissor_);
    glScissor(area[0], area[1], area[2], area[3]);
}

bool tr_ScreenKeeper_GL::GetChanges(tr_ScreenChanges& changes) const {
    if (!keep_ || !window_keeps_)
        return false;
    changes = changes_;
    return true;
}

std::array<int, 4> tr_ScreenKeeper_GL::WindowArea(const std::array<int, 4>& rect) const {
    // GL counts rows from the bottom.
    return {rect[0], height_ - rect[1] - rect[3], rect[2], rect[3]};
}

void tr_ScreenKeeper_GL::KeepWindowArea(const std::array<int, 4>& rect) const {
    kept_.KeepFromWindow(WindowArea(rect).data());
}
