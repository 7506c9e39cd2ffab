// Tree operations of tr_Object: attaching, detaching, lookup and the resource
// walks that bring a moved subtree to its new parent's state.
#include "engine/scene/tr_NameRegistry.h"
#include "engine/scene/tr_Object.h"

#include <algorithm>

namespace {

// Children before their parent; a loaded object's subtree is left alone.
void LoadWalk(tr_Object* object) {
    if (object->AreResourcesLoaded())
        return;
    const std::vector<tr_Object*>& children = object->GetChildren();
    for (size_t i = 0; i < children.size(); ++i)
        LoadWalk(children[i]);
    object->LoadResources();
}

// Parents before their children; an unloaded object's subtree is left alone.
void UnloadWalk(tr_Object* object) {
    if (!object->AreResourcesLoaded())
        return;
    object->UnloadResources();
    const std::vector<tr_Object*>& children = object->GetChildren();
    for (size_t i = 0; i < children.size(); ++i)
        UnloadWalk(children[i]);
}

} // namespace

void tr_Object::AddChild(tr_Object* parent, tr_Object* child) {
    if (!parent || !child)
        return;
    for (const tr_Object* ancestor = parent; ancestor; ancestor = ancestor->parent_)
        if (ancestor == child)
            return;
    if (child->parent_)
        RemoveChild(child->parent_, child, false);
    child->parent_ = parent;
    parent->children_.push_back(child);
    parent->SortChildren();
    tr_NameRegistry::Enter(child->name_, child);
}

tr_Object* tr_Object::RemoveChild(tr_Object* parent, tr_Object* child, bool recursive) {
    if (!parent || !child)
        return nullptr;
    std::vector<tr_Object*>& children = parent->children_;
    auto it = std::find(children.begin(), children.end(), child);
    if (it != children.end()) {
        children.erase(it);
        child->parent_ = nullptr;
        return child;
    }
    if (recursive)
        for (tr_Object* sub : children)
            if (tr_Object* removed = RemoveChild(sub, child, true))
                return removed;
    return nullptr;
}

void tr_Object::DeleteChildren(tr_Object* object) {
    if (!object)
        return;
    while (!object->children_.empty()) {
        tr_Object* child = object->children_.front();
        RemoveChild(object, child, false);
        delete child;
    }
}

tr_Object* tr_Object::FindChild(tr_Object* object, const std::string& name, bool recursive) {
    if (!object)
        return nullptr;
    for (tr_Object* child : object->children_)
        if (!child->pending_delete_ && child->name_ == name)
            return child;
    if (recursive)
        for (tr_Object* child : object->children_)
            if (tr_Object* found = child->pending_delete_ ? nullptr : FindChild(child, name, true))
                return found;
    return nullptr;
}

void tr_Object::Attach(tr_Object* parent, tr_Object* child) {
    AddChild(parent, child);
    if (!child || child->parent_ != parent)
        return;
    if (parent->resources_loaded_)
        LoadWalk(child);
    else
        UnloadWalk(child);
}

void tr_Object::SortChildren() {
    // Insertion sort: stable, no allocation, linear when already in order
    // (the usual case, as it runs for every object every frame).
    std::vector<tr_Object*>& list = children_;
    for (size_t i = 1; i < list.size(); ++i) {
        tr_Object* moving = list[i];
        const float z = moving->pos_[2];
        size_t j = i;
        while (j > 0 && list[j - 1]->pos_[2] > z) {
            list[j] = list[j - 1];
            --j;
        }
        list[j] = moving;
    }
}
