#include "engine/scene/tr_InputDispatch.h"

#include "engine/scene/tr_InputFocus.h"
#include "engine/scene/tr_Object.h"
#include "engine/scene/tr_PointerPosition.h"
#include "engine/scene/tr_Scene.h"
#include "engine/script/tr_CallQueue.h"

#include <cmath>

namespace {

void RunEvent(tr_Object* object, int slot) {
    if (object)
        tr_QueueObjectCall(object->GetName(), object->GetEventCodeRef(slot));
}

} // namespace

tr_InputDispatch::tr_InputDispatch(tr_Scene& scene) : scene_(scene) {}

void tr_InputDispatch::GetCursorPosition(float& x, float& y) {
    const tr_PointerPosition* cursor = tr_PointerPosition::Live();
    x = cursor ? cursor->GetX() : 0.0f;
    y = cursor ? cursor->GetY() : 0.0f;
}

void tr_InputDispatch::AfterPick(const tr_InputEvent& event, tr_Object* picked) {
    switch (event.type) {
    case TR_EVENT_MOUSE_DOWN:
        OnMouseDown(event, picked);
        break;
    case TR_EVENT_MOUSE_UP:
        OnMouseUp(picked);
        break;
    case TR_EVENT_MOUSE_MOVE:
        OnMouseMove(event, picked);
        break;
    default:
        // Keys, characters and the mouse leaving the window: only the pick.
        break;
    }
}

void tr_InputDispatch::OnMouseDown(const tr_InputEvent& event, tr_Object* picked) {
    if (tr_InputFocus::Dragged()) {
        Drop();
        return;
    }
    if (!picked || !picked->IsDraggable())
        return;
    if (picked->IsRealDrag()) {
        candidate_.Set(picked);
        press_x_ = event.x;
        press_y_ = event.y;
    } else {
        StartDrag(picked);
    }
}

void tr_InputDispatch::OnMouseUp(tr_Object* picked) {
    tr_Object* dragged = tr_InputFocus::Dragged().Get();
    if (dragged && dragged->IsRealDrag())
        Drop();
    candidate_.Reset();
    if (!picked)
        return; // the waiters wait for a mouse up over something
    waiters_.erase(picked->GetName());
    // Swapped out first: a queue that ran code at once could add waiters.
    std::map<std::string, std::string> waiters;
    waiters.swap(waiters_);
    for (const auto& waiter : waiters)
        tr_QueueObjectCall(waiter.first, waiter.second);
}

void tr_InputDispatch::OnMouseMove(const tr_InputEvent& event, tr_Object* picked) {
    if (tr_Object* candidate = candidate_.Get()) {
        if (std::fabs(event.x - press_x_) > kDragThreshold ||
            std::fabs(event.y - press_y_) > kDragThreshold) {
            candidate_.Reset();
            StartDrag(candidate);
        }
    }
    tr_Object* dragged = tr_InputFocus::Dragged().Get();
    if (dragged && !drop_pending_) {
        dragged->SetDragPosition(event.x, event.y, 0.0f);
        RunEvent(dragged, TR_EVENT_DRAG);
    }
    UpdateHover(picked);
}

void tr_InputDispatch::UpdateHover(tr_Object* picked) {
    tr_ObjectRef& hovered = tr_InputFocus::Hovered();
    tr_Object* previous = hovered.Get();
    const bool dragging = static_cast<bool>(tr_InputFocus::Dragged());
    if (picked == previous || (picked && tr_InputFocus::Dragged().Is(picked)))
        return;
    RunEvent(previous, dragging ? TR_EVENT_MLEAVE_DRAG : TR_EVENT_MLEAVE);
    hovered.Set(picked);
    RunEvent(picked, dragging ? TR_EVENT_MENTER_DRAG : TR_EVENT_MENTER);
}

void tr_InputDispatch::StartDrag(tr_Object* object) {
    if (!object)
        return;
    tr_ObjectRef& hovered = tr_InputFocus::Hovered();
    if (hovered.Is(object)) {
        RunEvent(object, TR_EVENT_MLEAVE);
        hovered.Reset();
    }
    float x = 0.0f;
    float y = 0.0f;
    GetCursorPosition(x, y);
    object->SetDragPosition(x, y, 0.0f);
    tr_InputFocus::Dragged().Set(object);
    // A drop still pending belonged to the drag this one replaces (a
    // dragdrop code that picks up another object): it must not end the new
    // drag before it has begun.
    drop_pending_ = false;
    keep_dragging_ = false;
    RunEvent(object, TR_EVENT_STARTDRAG);
}

void tr_InputDispatch::Drop() {
    tr_Object* dragged = tr_InputFocus::Dragged().Get();
    if (!dragged)
        return;
    RunEvent(dragged, TR_EVENT_DRAGDROP);
    if (tr_InputFocus::Dragged())
        drop_pending_ = true;
}

void tr_InputDispatch::ApplyDeferredDrop() {
    if (!drop_pending_)
        return;
    drop_pending_ = false;
    const bool keep = keep_dragging_;
    // Consumed by this drop even when the dragged object is gone, so a stale
    // request never holds on to the next object dragged.
    keep_dragging_ = false;
    if (!tr_InputFocus::Dragged() || keep)
        return;
    tr_InputFocus::Dragged().Reset();
    RunEvent(tr_InputFocus::Hovered().Get(), TR_EVENT_MENTER);
}

void tr_InputDispatch::AddMouseUpWaiter(const std::string& name, const std::string& code) {
    waiters_[name] = code;
}

void tr_InputDispatch::SynthesiseMouseMove(float x, float y) {
    tr_InputEvent move;
    move.type = TR_EVENT_MOUSE_MOVE;
    move.key = TR_MOUSE_KEY;
    move.x = x;
    move.y = y;
    scene_.DispatchInput(move);
}

void tr_InputDispatch::SynthesiseMouseMoveAtCursor() {
    float x = 0.0f;
    float y = 0.0f;
    GetCursorPosition(x, y);
    SynthesiseMouseMove(x, y);
}
