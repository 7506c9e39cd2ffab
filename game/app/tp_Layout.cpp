#include "game/app/tp_Layout.h"

#include "game/app/tp_DisplayMode.h"

tr_Rect tp_Layout::CropRect(bool widescreen) {
    tr_Rect rect;
    rect.x = widescreen ? -kWideMargin : 0.0f;
    rect.y = 0.0f;
    rect.w = widescreen ? kWideWidth : kDesignWidth;
    rect.h = kDesignHeight;
    return rect;
}

tr_Matrix tp_Layout::Transform(const tp_DisplayMode& mode) {
    return tr_MakeTransform(mode.offset_x, mode.offset_y, 0.0f, mode.scale_x, mode.scale_y);
}

float tp_Layout::LayoutWidth(bool widescreen, float window_width, float scale_x) {
    const float base = widescreen ? kWideWidth : kDesignWidth;
    if (scale_x > 0.0f && window_width < base * scale_x - 2.0f) {
        return window_width / scale_x;
    }
    return base;
}

void tp_Layout::PixelToDesign(const tp_DisplayMode& mode, float& x, float& y) {
    tr_Matrix inverse;
    if (Transform(mode).Inverse2D(inverse)) {
        inverse.TransformPoint(x, y);
    }
}
