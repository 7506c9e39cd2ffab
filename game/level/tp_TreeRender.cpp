#include "game/level/tp_TreeRender.h"

#include "engine/render/tr_Matrix.h"
#include "engine/render/tr_Render.h"
#include "engine/resources/tr_Texture.h"
#include "engine/scene/tr_Object.h"
#include "engine/scene/tr_SceneTraversal.h"
#include "engine/script/tr_Mediator.h"
#include "engine/script/tr_MediatorDataTable.h"
#include "game/interface/tp_Messages.h"

#include <vector>

namespace {

constexpr float kDesignWidth = 1024.0f;

void DrawWalk(tr_Object* object, tr_Render* render, const tr_DrawState& parent) {
    if (!object->IsVisible() || object->IsPendingDelete())
        return;
    const size_t slot = tr_SceneTraversal::Enter(object);
    const tr_DrawState state = tr_Object::ComputeDrawState(object, parent, 0);
    bool clipping = false;
    if (object->IsCropRectDefined())
        clipping = render->PushClip(object->GetScreenCropRect(state.transform));
    object->Draw(render, state);
    if (tr_SceneTraversal::IsAlive(slot) && object->GetDrawChildren()) {
        const std::vector<tr_Object*>& children = object->GetChildren();
        for (size_t i = 0; i < children.size();) {
            tr_Object* child = children[i];
            DrawWalk(child, render, state);
            if (!tr_SceneTraversal::IsAlive(slot))
                break;
            // A child that left the list hands its slot to its successor.
            i = (i < children.size() && children[i] == child) ? i + 1 : i;
        }
    }
    if (clipping)
        render->PopClip();
    tr_SceneTraversal::Leave(slot);
}

} // namespace

void tp_DrawObjectTree(tr_Object* object, tr_Render* render, const tr_DrawState& parent) {
    if (!object || !render)
        return;
    tr_SceneTraversal walk;
    DrawWalk(object, render, parent);
}

std::shared_ptr<tr_Texture> tp_RenderTreeToTexture(tr_Object* object, int width, int height,
                                                   const tr_DrawState& parent) {
    tr_Render* render = tr_Render::Current();
    if (!render || !object || width <= 0 || height <= 0)
        return nullptr;
    render->BeginRenderToTexture(width, height);
    tp_DrawObjectTree(object, render, parent);
    return render->EndRenderToTexture();
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
