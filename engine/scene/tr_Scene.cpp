#include "engine/scene/tr_Scene.h"

#include "engine/render/tr_Render.h"
#include "engine/scene/tr_NameRegistry.h"
#include "engine/scene/tr_Object.h"
#include "engine/scene/tr_ObjectRef.h"
#include "engine/scene/tr_SceneTraversal.h"

#include <algorithm>

// The walks below index the child lists afresh after every step instead of
// holding iterators: code run from an object may attach, detach or delete
// siblings, and an object destroyed on the walk's path ends its branch.

namespace {

// Whether object or one of its ancestors waits for deletion.
bool IsDoomed(const tr_Object* object) {
    for (; object; object = object->GetParent())
        if (object->IsPendingDelete())
            return true;
    return false;
}

// Next index after visiting children[i] == visited: stay on i when the
// visited child left the list (its successor moved into slot i).
size_t NextIndex(const std::vector<tr_Object*>& children, size_t i, const tr_Object* visited) {
    return (i < children.size() && children[i] == visited) ? i + 1 : i;
}

void UpdateTree(tr_Object* object, const tr_FrameInfo& frame) {
    if (object->IsPendingDelete())
        return;
    const size_t slot = tr_SceneTraversal::Enter(object);
    object->SortChildren();
    if (object->IsActive()) {
        object->Update(frame);
        if (tr_SceneTraversal::IsAlive(slot) && object->GetUpdateChildren()) {
            const std::vector<tr_Object*>& children = object->GetChildren();
            for (size_t i = 0; i < children.size();) {
                tr_Object* child = children[i];
                UpdateTree(child, frame);
                if (!tr_SceneTraversal::IsAlive(slot))
                    break;
                i = NextIndex(children, i, child);
            }
        }
    }
    tr_SceneTraversal::Leave(slot);
}

void DrawTree(tr_Object* object, tr_Render* render, const tr_DrawState& parent) {
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
            DrawTree(child, render, state);
            if (!tr_SceneTraversal::IsAlive(slot))
                break;
            i = NextIndex(children, i, child);
        }
    }
    if (clipping)
        render->PopClip();
    tr_SceneTraversal::Leave(slot);
}

// Children from the topmost (last) down, then the object itself; the first
// object whose HandleInput accepts becomes the picked one.
void Pick(tr_Object* object, const tr_InputEvent& event, tr_ObjectRef& picked,
          const tr_DrawState& parent) {
    if (!object->IsInputEnabled() || object->IsPendingDelete())
        return;
    const size_t slot = tr_SceneTraversal::Enter(object);
    const tr_DrawState state = tr_Object::ComputeDrawState(object, parent, 0);
    tr_InputEvent local = event;
    if (!object->CropContains(event.x, event.y, state.transform))
        local.clipped = true;
    if (object->GetInputChildren()) {
        const std::vector<tr_Object*>& children = object->GetChildren();
        for (size_t i = children.size(); i > 0;) {
            --i;
            Pick(children[i], local, picked, state);
            if (!tr_SceneTraversal::IsAlive(slot))
                break;
            i = std::min(i, children.size());
        }
    }
    if (tr_SceneTraversal::IsAlive(slot)) {
        tr_Object* so_far = picked.Get();
        if (object->HandleInput(local, so_far, state) && !so_far &&
            tr_SceneTraversal::IsAlive(slot))
            picked.Set(object);
    }
    tr_SceneTraversal::Leave(slot);
}

} // namespace

tr_Scene::tr_Scene()
    : display_root_(new tr_Object("tr_origin")), storage_root_(new tr_Object("tr_storage")),
      input_dispatch_(*this) {
    display_root_->LoadResources();
}

tr_Scene::~tr_Scene() {
    delete display_root_;
    delete storage_root_;
    tr_NameRegistry::ClearAll();
}

bool tr_Scene::IsRoot(const tr_Object* object) const {
    return object && (object == display_root_ || object == storage_root_);
}

bool tr_Scene::IsReserved(const tr_Object* object) const {
    if (!object)
        return false;
    if (IsRoot(object))
        return true;
    const std::string& name = object->GetName();
    return name.compare(0, 3, "tr_") == 0 || name.compare(0, 3, "tp_") == 0;
}

tr_Object* tr_Scene::FindObject(const std::string& name) const {
    // The roots answer to their names first, so an object that happens to
    // carry a root's name can never shadow it.
    if (name == display_root_->GetName())
        return display_root_;
    if (name == storage_root_->GetName())
        return storage_root_;
    tr_Object* registered = tr_NameRegistry::Lookup(name);
    if (registered && !IsDoomed(registered))
        return registered;
    for (tr_Object* root : {display_root_, storage_root_}) {
        if (tr_Object* found = tr_Object::FindChild(root, name, true))
            return found;
    }
    return nullptr;
}

void tr_Scene::Update(const tr_FrameInfo& frame) {
    input_dispatch_.ApplyDeferredDrop();
    tr_SceneTraversal walk;
    UpdateTree(display_root_, frame);
}

void tr_Scene::Draw(tr_Render* render) {
    DrawSubtree(display_root_, render, tr_DrawState());
}

void tr_Scene::DrawSubtree(tr_Object* object, tr_Render* render, const tr_DrawState& parent) {
    if (!object || !render)
        return;
    tr_SceneTraversal walk;
    DrawTree(object, render, parent);
}

tr_Object* tr_Scene::DispatchInput(const tr_InputEvent& event) {
    tr_ObjectRef picked;
    {
        tr_SceneTraversal walk;
        Pick(display_root_, event, picked, tr_DrawState());
    }
    // After the walk: objects deleted during it are gone and read as null.
    tr_Object* const picked_object = picked.Get();
    input_dispatch_.AfterPick(event, picked_object);
    return picked_object;
}

bool tr_Scene::DeleteObject(tr_Object* object) {
    if (!object || IsRoot(object))
        return false;
    tr_SceneTraversal::DeleteLater(object);
    return true;
}

bool tr_Scene::AttachObject(tr_Object* parent, tr_Object* child) {
    if (!parent || !child || IsRoot(child))
        return false;
    tr_Object::Attach(parent, child);
    return child->GetParent() == parent;
}
