// tr_InputDispatch: the scene's half of input handling. After the pick
// traversal has found the object under the cursor (tr_Scene::DispatchInput),
// this turns it into hover events, mouse-down / mouse-up waiters and the
// drag-and-drop protocol; every object event is queued through
// tr_QueueObjectCall with the object's name as sender, never run at once.
// Owned by its tr_Scene (one per scene, reached as scene.GetInputDispatch()).
// The process-wide hovered and dragged objects live in tr_InputFocus; this
// class keeps the per-scene rest: the drag candidate (a weak reference, so a
// candidate deleted before the drag starts is simply forgotten), its press
// position, drop pending, keep dragging and the mouse-up waiters.
#pragma once

#include "engine/core/tr_InputEvent.h"
#include "engine/scene/tr_ObjectRef.h"

#include <map>
#include <string>

class tr_Object;
class tr_Scene;

class tr_InputDispatch {
public:
    // A candidate becomes a drag once the cursor is more than this many
    // pixels away from the press position in x or in y.
    static constexpr float kDragThreshold = 2.0f;

    explicit tr_InputDispatch(tr_Scene& scene);
    tr_InputDispatch(const tr_InputDispatch&) = delete;
    tr_InputDispatch& operator=(const tr_InputDispatch&) = delete;

    // The rules that follow the pick traversal for one event; picked is the
    // object that took it, or null. Called by tr_Scene::DispatchInput.
    void AfterPick(const tr_InputEvent& event, tr_Object* picked);
    // The deferred drop; called at the start of every scene update.
    void ApplyDeferredDrop();

    // Lifts object onto the cursor (its drag position is the cursor's).
    void StartDrag(tr_Object* object);
    // Runs the dragged object's dragdrop code and lets the next scene update
    // release it, unless that code asks to go on (SetKeepDragging).
    void Drop();
    // Refuses the drop in progress (from its dragdrop code). Without a drop
    // pending there is nothing to refuse: a late request (the dragdrop code
    // of a drop already carried out) must not refuse the next drop instead.
    void SetKeepDragging() {
        if (drop_pending_)
            keep_dragging_ = true;
    }
    // Queues code with name as sender at the next mouse up over any pickable
    // object other than the one named; a later call for a name replaces it.
    void AddMouseUpWaiter(const std::string& name, const std::string& code);

    // A mouse move (key TR_MOUSE_KEY) at (x, y) through the whole scene
    // dispatch, so hover follows objects that move under a still cursor.
    // The core update calls SynthesiseMouseMoveAtCursor before running the
    // trigger queue.
    void SynthesiseMouseMove(float x, float y);
    void SynthesiseMouseMoveAtCursor();

    // The cursor's position; (0, 0) when there is no cursor.
    static void GetCursorPosition(float& x, float& y);

    tr_Object* GetDragCandidate() const { return candidate_.Get(); }
    bool IsDropPending() const { return drop_pending_; }
    bool IsKeepDragging() const { return keep_dragging_; }
    const std::map<std::string, std::string>& GetMouseUpWaiters() const { return waiters_; }

private:
    void OnMouseDown(const tr_InputEvent& event, tr_Object* picked);
    void OnMouseUp(tr_Object* picked);
    void OnMouseMove(const tr_InputEvent& event, tr_Object* picked);
    void UpdateHover(tr_Object* picked);

    tr_Scene& scene_;
    tr_ObjectRef candidate_;
    float press_x_ = 0.0f;
    float press_y_ = 0.0f;
    bool drop_pending_ = false;
    bool keep_dragging_ = false;
    // Ordered by name as byte strings: the order waiters run in.
    std::map<std::string, std::string> waiters_;
};
