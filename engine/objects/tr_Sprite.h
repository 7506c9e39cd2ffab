// tr_Sprite: the scene object that shows one texture (type "spr"). The
// texture is looked up in the resource registry under the "res" attribute
// when the sprite goes live and shared with every other user of that name;
// the sprite holds its share until its resources are unloaded. Hit tests are
// pixel-exact on the texture unless an explicit input rectangle was loaded.
// Animated sprites and the game's rooms derive from it.
#pragma once

#include "engine/scene/tr_Object.h"

#include <memory>
#include <string>

class tr_Texture;

class tr_Sprite : public tr_Object {
public:
    tr_Sprite();
    explicit tr_Sprite(std::string name);
    ~tr_Sprite() override;

    std::shared_ptr<tr_Resource> GetResource() override;
    std::string GetType() const override { return "spr"; }
    tr_Rect GetDrawRect() override;
    bool HitTest(float x, float y, const tr_DrawState& state) override;
    void LoadResources() override;
    void UnloadResources() override;
    void Draw(tr_Render* render, const tr_DrawState& state) override;
    // Shows texture from now on; "res" and the registry are left alone.
    virtual void SetTexture(const std::shared_ptr<tr_Texture>& texture);

    const std::shared_ptr<tr_Texture>& GetTexture() const { return texture_; }

protected:
    std::shared_ptr<tr_Texture> texture_;
};
