#include "game/app/tp_DisplayMode.h"

namespace {
tp_DisplayMode current_mode;
}

tp_DisplayMode::Change tp_DisplayMode::ChangeTo(const tp_DisplayMode& next) const {
    if (next.fullscreen != fullscreen || next.width != width || next.height != height) {
        return Change::Resize;
    }
    return next.widescreen != widescreen ? Change::LayoutOnly : Change::None;
}

const tp_DisplayMode& tp_DisplayMode::GetCurrent() {
    return current_mode;
}

void tp_DisplayMode::SetCurrent(const tp_DisplayMode& mode) {
    current_mode = mode;
}
