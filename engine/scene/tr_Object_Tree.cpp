// Tree operations of tr_Object: attaching, detaching, lookup and the resource
// walks that bring a moved subtree to its new parent's state.
#include "engine/core/tr_Log.h"
#include "engine/scene/tr_NameRegistry.h"
#include "engine/scene/tr_Object.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

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

// Levels of object's subtree (1 for a leaf), counted without recursion and
// only up to just past limit.
int SubtreeLevels(const tr_Object* object, int limit) {
    std::vector<std::pair<const tr_Object*, int>> pending{{object, 1}};
    int deepest = 0;
    while (!pending.empty() && deepest <= limit) {
        const auto [at, level] = pending.back();
        pending.pop_back();
        deepest = std::max(deepest, level);
        for (const tr_Object* child : at->GetChildren())
            pending.emplace_back(child, level + 1);
    }
    return deepest;
}

// Ascending z, a z that is not a number before every number: a strict weak
// order for the standard algorithms whatever content writes.
bool LowerZ(float a, float b) {
    if (std::isnan(a))
        return !std::isnan(b);
    return !std::isnan(b) && a < b;
}

// LowerZ between two objects' z, for the algorithms over a child list.
bool ObjectLowerZ(const tr_Object* a, const tr_Object* b) {
    return LowerZ(a->GetPosZ(), b->GetPosZ());
}

} // namespace

void tr_Object::AddChild(tr_Object* parent, tr_Object* child) {
    if (!parent || !child)
        return;
    int parent_levels = 0;
    for (const tr_Object* ancestor = parent; ancestor; ancestor = ancestor->parent_) {
        if (ancestor == child)
            return;
        ++parent_levels;
    }
    if (parent_levels + SubtreeLevels(child, kMaxTreeDepth - parent_levels) > kMaxTreeDepth) {
        tr_Log("Error: object %s not attached to %s: the tree would be more than %d levels deep",
               child->name_.c_str(), parent->name_.c_str(), kMaxTreeDepth);
        return;
    }
    if (child->parent_)
        RemoveChild(child->parent_, child, false);
    child->parent_ = parent;
    std::vector<tr_Object*>& list = parent->children_;
    if (parent->children_in_order_) {
        // Binary search: attaching thousands of siblings stays n log n.
        list.insert(std::upper_bound(list.begin(), list.end(), child, ObjectLowerZ), child);
    } else {
        list.push_back(child);
        parent->SortChildren();
    }
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
    // The list is taken whole, so that no child's removal shifts the rest
    // (quadratic for thousands); a destructor that attaches new children
    // brings the loop round again.
    while (!object->children_.empty()) {
        std::vector<tr_Object*> doomed;
        doomed.swap(object->children_);
        for (tr_Object* child : doomed) {
            child->parent_ = nullptr;
            delete child;
        }
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
    // Runs for every object every frame: the usual, sorted case costs one
    // pass and no allocation.
    std::vector<tr_Object*>& list = children_;
    children_in_order_ = true;
    const auto unsorted = std::is_sorted_until(list.begin(), list.end(), ObjectLowerZ);
    if (unsorted == list.end())
        return;
    if (unsorted + 1 == list.end()) {
        // Only the last child (the one just attached) is out of place: it goes
        // after the children of equal z.
        const auto place =
            std::upper_bound(list.begin(), list.end() - 1, list.back(), ObjectLowerZ);
        std::rotate(place, list.end() - 1, list.end());
        return;
    }
    std::stable_sort(list.begin(), list.end(), ObjectLowerZ);
}
