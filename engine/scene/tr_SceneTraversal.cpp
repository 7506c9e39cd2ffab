#include "engine/scene/tr_SceneTraversal.h"

#include "engine/scene/tr_Object.h"
#include "engine/scene/tr_ObjectRef.h"

#include <vector>

namespace {

struct WalkState {
    int depth = 0; // open tr_SceneTraversal scopes
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

void tr_SceneTraversal::ObjectDestroyed(tr_Object* object) {
    for (tr_Object*& entry : *path_)
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
