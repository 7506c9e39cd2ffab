#include "engine/render/tr_Render.h"

#include "engine/render/tr_GeneratedTexture.h"
#include "engine/render/tr_Matrix.h"
#include "engine/render/tr_RenderTargetTexture.h"

tr_Render* tr_Render::current_ = nullptr;

tr_Render::~tr_Render() {
    clip_stack_.clear();
    if (current_ == this)
        current_ = nullptr;
}

void tr_Render::Init(float width, float height) {
    screen_width_ = width;
    screen_height_ = height;
    current_ = this;
}

void tr_Render::BeginDraw() {
    clip_stack_.clear();
}

bool tr_Render::PushClip(const tr_Rect& rect) {
    if (rect.w == 0.0f || rect.h == 0.0f)
        return false;
    clip_stack_.push_back(rect);
    return true;
}

void tr_Render::PopClip() {
    if (!clip_stack_.empty())
        clip_stack_.pop_back();
}

void tr_Render::GetTargetSize(float& width, float& height) const {
    width = 0.0f;
    height = 0.0f;
    if (render_target_active_ && target_texture_) {
        width = target_texture_->GetWidth();
        height = target_texture_->GetHeight();
    }
}

void tr_Render::CreateSolidTextures() {
    const float white[3] = {1.0f, 1.0f, 1.0f};
    const float black[3] = {0.0f, 0.0f, 0.0f};
    auto white_texture = std::make_shared<tr_GeneratedTexture>();
    auto black_texture = std::make_shared<tr_GeneratedTexture>();
    white_texture_ = white_texture->Create(4, 4, white) ? white_texture : nullptr;
    black_texture_ = black_texture->Create(4, 4, black) ? black_texture : nullptr;
}

bool tr_Render::StartRenderTarget(int width, int height) {
    target_texture_.reset();
    render_target_active_ = false;
    auto target = std::make_shared<tr_RenderTargetTexture>();
    if (!target->Create(width, height) || !target->GetDeviceTexture(0))
        return false;
    target_texture_ = target;
    render_target_active_ = true;
    return true;
}

std::shared_ptr<tr_Texture> tr_Render::FinishRenderTarget() {
    render_target_active_ = false;
    return target_texture_;
}

tr_Rect tr_Render::GetViewRect() const {
    tr_Rect view;
    GetTargetSize(view.w, view.h);
    if (view.w == 0.0f && view.h == 0.0f) {
        view.w = screen_width_;
        view.h = screen_height_;
    }
    for (const tr_Rect& clip : clip_stack_)
        view = tr_Rect::Intersect(view, clip);
    return view;
}

std::shared_ptr<tr_Texture> tr_Render::MakeSoftCopy(const std::shared_ptr<tr_Texture>& source,
                                                    int width, int height, float radius) {
    if (!source || !(source->GetWidth() > 0.0f) || !(source->GetHeight() > 0.0f))
        return nullptr;
    const int target_height = height != 0 ? height : static_cast<int>(source->GetHeight());
    int target_width = width != 0 ? width : static_cast<int>(source->GetWidth());
    if (target_width % 2 != 0)
        ++target_width;
    const float half_w = target_width * 0.5f;
    const float half_h = target_height * 0.5f;

    BeginRenderToTexture(target_width, target_height);
    tr_DrawState scaled;
    scaled.transform = tr_MakeTransform(half_w, half_h, 0.0f, target_width / source->GetWidth(),
                                        target_height / source->GetHeight());
    DrawQuad(source, scaled);
    const std::shared_ptr<tr_Texture> first = EndRenderToTexture();

    BeginRenderToTexture(target_width, target_height);
    tr_DrawState copy;
    copy.transform = tr_MakeTransform(half_w, half_h, 0.0f, 1.0f, 1.0f);
    DrawQuad(first, copy);
    struct Shift {
        float dx, dy, alpha;
    };
    const Shift shifts[] = {
        {-radius, -radius, 0.2f}, {radius, -radius, 0.2f}, {-radius, radius, 0.2f},
        {radius, radius, 0.2f},   {-radius, 0.0f, 0.1f},   {radius, 0.0f, 0.1f},
        {0.0f, -radius, 0.1f},    {0.0f, radius, 0.1f},
    };
    for (const Shift& shift : shifts) {
        copy.alpha = shift.alpha;
        copy.blend = TR_BLEND_NORMAL;
        copy.transform = tr_MakeTransform(half_w + shift.dx, half_h + shift.dy, 0.0f, 1.0f, 1.0f);
        DrawQuad(first, copy);
    }
    return EndRenderToTexture();
}

void tr_Render::DrawBrightnessOverlay(float brightness) {
    BeginDraw();
    const std::shared_ptr<tr_Texture>& overlay =
        brightness > 1.0f ? white_texture_ : (brightness < 1.0f ? black_texture_ : nullptr);
    if (overlay && overlay->GetWidth() > 0.0f && overlay->GetHeight() > 0.0f) {
        tr_DrawState state;
        if (brightness > 1.0f) {
            state.blend = TR_BLEND_ADD;
            state.alpha = (brightness - 1.0f) * 0.3f;
        } else {
            state.blend = TR_BLEND_NORMAL;
            state.alpha = 1.0f - brightness;
        }
        state.transform = tr_MakeTransform(screen_width_ * 0.5f, screen_height_ * 0.5f, 0.0f,
                                           screen_width_ / overlay->GetWidth(),
                                           screen_height_ / overlay->GetHeight());
        DrawQuad(overlay, state);
    }
    EndDraw();
}
