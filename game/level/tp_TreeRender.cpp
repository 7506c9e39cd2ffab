#include "game/level/tp_TreeRender.h"

#include "engine/core/tr_Mediator.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/render/tr_Matrix.h"
#include "engine/render/tr_Render.h"
#include "engine/render/tr_Texture.h"
#include "engine/scene/tr_Object.h"
#include "engine/scene/tr_Scene.h"
#include "game/core/tp_Messages.h"

namespace {

constexpr float kDesignWidth = 1024.0f;

} // namespace

std::shared_ptr<tr_Texture> tp_RenderTreeToTexture(tr_Object* object, int width, int height,
                                                   const tr_DrawState& parent) {
    tr_Render* render = tr_Render::Current();
    if (!render || !object || width <= 0 || height <= 0)
        return nullptr;
    render->BeginRenderToTexture(width, height);
    tr_Scene::DrawSubtree(object, render, parent);
    return render->EndRenderToTexture();
}

int tp_PixelSize(float units) {
    constexpr float kLargest = 16384.0f;
    if (!(units > 0.0f))
        return 0;
    return static_cast<int>(units < kLargest ? units : kLargest);
}

float tp_AskLayoutWidth() {
    tr_Mediator* mediator = tr_Mediator::Get();
    if (!mediator)
        return kDesignWidth;
    tr_MediatorDataTable data;
    mediator->Send(AppGetWidth, data);
    const tr_MediatorData* width = data.Find("width");
    return width ? width->GetFloat() : kDesignWidth;
}

tr_DrawState tp_WideLayoutState(float width) {
    tr_DrawState state;
    state.transform = tr_Matrix::Translation((width - kDesignWidth) / 2.0f, 0.0f);
    return state;
}
