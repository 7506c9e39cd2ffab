#include "engine/scene/tr_SceneTraversal.h"

#include "engine/scene/tr_Object.h"
#include "engine/scene/tr_ObjectRef.h"

#include <vector>

namespace {

struct WalkState {
    int depth = 0; // open tr_SceneTraversal scopes
    std::vector<tr_Object*> path;
    std::vector<tr_ObjectRef> doomed;
};

WalkState& State() {
    static WalkState* state = new WalkState;
    return *state;
}

} // namespace

tr_SceneTraversal::tr_SceneTraversal() {
    ++State().depth;
}

tr_SceneTraversal::~tr_SceneTraversal() {
    WalkState& state = State();
    if (--state.depth > 0)
        return;
    // Deleting one may delete another (a child); the refs notice.
    std::vector<tr_ObjectRef> doomed;
    doomed.swap(state.doomed);
    for (tr_ObjectRef& ref : doomed)
        delete ref.Get();
}

bool tr_SceneTraversal::Running() {
    return State().depth > 0;
}

size_t tr_SceneTraversal::Enter(tr_Object* object) {
    std::vector<tr_Object*>& path = State().path;
    path.push_back(object);
    return path.size() - 1;
}

bool tr_SceneTraversal::IsAlive(size_t slot) {
    return State().path[slot] != nullptr;
}

void tr_SceneTraversal::Leave(size_t slot) {
    State().path.resize(slot);
}

void tr_SceneTraversal::ObjectDestroyed(tr_Object* object) {
    for (tr_Object*& entry : State().path)
        if (entry == object)
            entry = nullptr;
}

void tr_SceneTraversal::DeleteLater(tr_Object* object) {
    if (!object)
        return;
    WalkState& state = State();
    if (state.depth == 0) {
        delete object;
        return;
    }
    if (object->IsPendingDelete())
        return;
    object->MarkPendingDelete();
    state.doomed.emplace_back(object);
}
