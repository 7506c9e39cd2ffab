#include "engine/objects/tr_Sprite.h"

#include "engine/render/tr_Render.h"
#include "engine/render/tr_Texture.h"
#include "engine/resources/files/tr_ResourceRegistry.h"

tr_Sprite::tr_Sprite() = default;

tr_Sprite::tr_Sprite(std::string name) : tr_Object(std::move(name)) {}

tr_Sprite::~tr_Sprite() {
    UnloadResources();
}

std::shared_ptr<tr_Resource> tr_Sprite::GetResource() {
    return texture_;
}

tr_Rect tr_Sprite::GetDrawRect() {
    if (!texture_)
        return tr_Rect();
    return texture_->GetRect(own_state_);
}

bool tr_Sprite::HitTest(float x, float y, const tr_DrawState& state) {
    if (!input_rect_defined_ && texture_)
        return texture_->HitTest(x, y, state);
    return tr_Object::HitTest(x, y, state);
}

void tr_Sprite::LoadResources() {
    if (resources_loaded_)
        return;
    resources_loaded_ = true;
    texture_ = tr_ResourceRegistry::GetOrCreate()->GetTexture(GetRes());
    if (texture_ && !input_rect_defined_)
        input_rect_ = texture_->GetRect(own_state_);
}

void tr_Sprite::UnloadResources() {
    if (!resources_loaded_)
        return;
    texture_.reset();
    resources_loaded_ = false;
}

void tr_Sprite::Draw(tr_Render* render, const tr_DrawState& state) {
    if (render && texture_)
        render->DrawQuad(texture_, state);
}

void tr_Sprite::SetTexture(const std::shared_ptr<tr_Texture>& texture) {
    texture_ = texture;
}
