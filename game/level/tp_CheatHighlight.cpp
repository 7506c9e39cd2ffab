#include "game/level/tp_CheatHighlight.h"

#include "engine/core/tr_Mediator.h"
#include "engine/core/tr_MediatorData.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/render/tr_Render.h"
#include "engine/render/tr_Texture.h"
#include "game/core/tp_Messages.h"

#include <memory>

tp_CheatHighlight::tp_CheatHighlight() : tr_Object(kName) {
    tp_CheatHighlight::ResetDefaults();
    if (tr_Mediator* mediator = tr_Mediator::Get())
        mediator->Subscribe(Event_Level_CheatKeyPressed, this);
}

tp_CheatHighlight::~tp_CheatHighlight() {
    if (tr_Mediator* mediator = tr_Mediator::Get())
        mediator->Unsubscribe(this);
}

void tp_CheatHighlight::ResetDefaults() {
    tr_Object::ResetDefaults();
    enabled_ = false;
    level_.Reset();
    SetPosZ(999999.0f);
    SetInputEnabled(false);
}

void tp_CheatHighlight::OnMessage(int id, tr_MediatorDataTable& data) {
    if (id != Event_Level_CheatKeyPressed)
        return;
    const tr_MediatorData* key = data.Find("key");
    if (key && key->GetInt() == kToggleKey)
        enabled_ = !enabled_;
}

void tp_CheatHighlight::Draw(tr_Render* render, const tr_DrawState&) {
    tr_Object* level = level_.Get();
    if (!render || !enabled_ || !level)
        return;
    // The level itself takes no input; what it holds does.
    for (tr_Object* child : level->GetChildren())
        Highlight(render, child);
}

void tp_CheatHighlight::Highlight(tr_Render* render, tr_Object* object) {
    if (!object->IsInputEnabled() || object->IsPendingDelete())
        return;
    const bool handled = !object->GetEventCodeRef(TR_EVENT_MDOWN).empty();
    const float red = handled ? 1.0f : 0.0f;
    const float green = handled ? 0.0f : 1.0f;
    const tr_Matrix& world = object->GetWorldMatrix();
    if (object->IsInputRectDefined()) {
        const tr_Rect& r = object->GetInputRect();
        float xs[4] = {r.x, r.x + r.w, r.x + r.w, r.x};
        float ys[4] = {r.y, r.y, r.y + r.h, r.y + r.h};
        for (int i = 0; i < 4; ++i)
            world.TransformPoint(xs[i], ys[i]);
        const tr_DrawState screen;
        for (int i = 0; i < 4; ++i) {
            const int j = (i + 1) % 4;
            render->DrawLine(xs[i], ys[i], 0, xs[j], ys[j], 0, red, green, 0, screen);
        }
    } else {
        const std::string type = object->GetType();
        const auto texture = std::dynamic_pointer_cast<tr_Texture>(object->GetResource());
        if (texture && (type == "anim" || type == "spr" || type == "video")) {
            tr_DrawState glow = object->GetOwnState();
            glow.red = red;
            glow.green = green;
            glow.blue = 0.0f;
            glow.blend = TR_BLEND_ADD;
            glow.transform = world;
            render->DrawQuad(texture, glow);
        }
    }
    // Copied: a draw never changes the tree, but the walk must not depend
    // on that.
    const std::vector<tr_Object*> children = object->GetChildren();
    for (tr_Object* child : children)
        Highlight(render, child);
}
