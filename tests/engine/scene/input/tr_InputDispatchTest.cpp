#include "engine/scene/tr_InputDispatch.h"

#include "tests/engine/scene/input/InputTestRig.h"

#include <gtest/gtest.h>

namespace {

using Codes = std::vector<std::string>;

TEST(tr_InputDispatchClick, LaterSiblingWinsAndGetsDownAndUp) {
    InputRig rig;
    tr_Object* under = MakeButton(rig.Root(), "under", 0.0f, 0.0f);
    tr_Object* over = MakeButton(rig.Root(), "over", 10.0f, 10.0f);

    EXPECT_EQ(rig.Down(15.0f, 15.0f), over);
    EXPECT_EQ(rig.Up(15.0f, 15.0f), over);
    EXPECT_EQ(rig.queue.Take(), (Codes{"mdown:over", "mup:over"}));
    EXPECT_EQ(rig.queue.queued.size(), 0u);

    // Outside the later sibling the earlier one is reached.
    EXPECT_EQ(rig.Down(5.0f, 5.0f), under);
    EXPECT_EQ(rig.queue.Take(), (Codes{"mdown:under"}));
    // Senders are the objects' names.
    rig.Up(5.0f, 5.0f);
    ASSERT_EQ(rig.queue.queued.size(), 1u);
    EXPECT_EQ(rig.queue.queued[0].first, "under");
}

TEST(tr_InputDispatchHover, EnterAndLeaveFollowTheCursorAndMovingObjects) {
    InputRig rig;
    tr_Object* a = MakeButton(rig.Root(), "a", 0.0f, 0.0f);
    MakeButton(rig.Root(), "b", 100.0f, 0.0f);

    rig.Move(5.0f, 5.0f);
    EXPECT_EQ(tr_InputFocus::Hovered().Get(), a);
    rig.Move(6.0f, 6.0f); // still over a: nothing new
    rig.Move(105.0f, 5.0f);
    rig.Move(300.0f, 300.0f);
    EXPECT_EQ(rig.queue.Take(), (Codes{"menter:a", "mleave:a", "menter:b", "mleave:b"}));
    EXPECT_FALSE(tr_InputFocus::Hovered());

    // The cursor stands still at (300, 300) while a slides under it: the
    // synthesised move of the next frame enters it.
    rig.Frame();
    EXPECT_TRUE(rig.queue.Take().empty());
    a->SetPosition(290.0f, 290.0f);
    rig.Frame();
    EXPECT_EQ(rig.queue.Take(), (Codes{"menter:a"}));
    a->SetPosition(0.0f, 0.0f);
    rig.Frame();
    EXPECT_EQ(rig.queue.Take(), (Codes{"mleave:a"}));
}

TEST(tr_InputDispatchHover, SynthesisedMoveIsAMouseMoveWithTheMouseKey) {
    // An object that records what reaches it.
    struct Probe : tr_Object {
        Probe() : tr_Object("probe") {}
        bool HandleInput(tr_InputEvent& event, tr_Object*, const tr_DrawState&) override {
            seen.push_back(event);
            return false;
        }
        std::vector<tr_InputEvent> seen;
    };
    InputRig rig;
    Probe* probe = new Probe;
    tr_Object::Attach(rig.Root(), probe);
    rig.Dispatch().SynthesiseMouseMove(12.5f, 7.0f);
    rig.cursor.SetPosition(40, 30);
    rig.Dispatch().SynthesiseMouseMoveAtCursor();
    ASSERT_EQ(probe->seen.size(), 2u);
    EXPECT_EQ(probe->seen[0].type, TR_EVENT_MOUSE_MOVE);
    EXPECT_EQ(probe->seen[0].key, 3840);
    EXPECT_FLOAT_EQ(probe->seen[0].x, 12.5f);
    EXPECT_FLOAT_EQ(probe->seen[0].y, 7.0f);
    EXPECT_FLOAT_EQ(probe->seen[1].x, 40.0f);
    EXPECT_FLOAT_EQ(probe->seen[1].y, 30.0f);
}

TEST(tr_InputDispatchRealDrag, PressAndReleaseWithinTwoPixelsIsAClick) {
    InputRig rig;
    tr_Object* box = MakeButton(rig.Root(), "box", 0.0f, 0.0f);
    box->SetDraggable(true);
    box->SetRealDrag(true);

    rig.Down(10.0f, 10.0f);
    EXPECT_EQ(rig.Dispatch().GetDragCandidate(), box);
    rig.Move(12.0f, 8.0f); // exactly 2 pixels: not yet
    rig.Up(12.0f, 8.0f);
    EXPECT_EQ(rig.queue.Take(), (Codes{"mdown:box", "menter:box", "mup:box"}));
    EXPECT_EQ(rig.Dispatch().GetDragCandidate(), nullptr);
    EXPECT_FALSE(tr_InputFocus::Dragged());

    // A move after the release starts nothing: the candidate is gone.
    rig.Move(30.0f, 30.0f);
    EXPECT_FALSE(tr_InputFocus::Dragged());
}

TEST(tr_InputDispatchRealDrag, MovingThreePixelsLiftsAndReleaseDrops) {
    InputRig rig;
    tr_Object* box = MakeButton(rig.Root(), "box", 0.0f, 0.0f);
    box->SetDraggable(true);
    box->SetRealDrag(true);
    rig.Move(10.0f, 10.0f);
    rig.Down(10.0f, 10.0f);
    rig.queue.Take();

    rig.Move(10.0f, 13.0f);
    EXPECT_EQ(tr_InputFocus::Dragged().Get(), box);
    EXPECT_EQ(rig.Dispatch().GetDragCandidate(), nullptr);
    // Lifting a hovered object leaves it first; the drag follows the cursor.
    EXPECT_EQ(rig.queue.Take(), (Codes{"mleave:box", "startdrag:box", "drag:box"}));
    EXPECT_FALSE(tr_InputFocus::Hovered());
    tr_Object::ComputeDrawState(box, tr_DrawState(), 0);
    EXPECT_FLOAT_EQ(box->GetWorldMatrix()[12], 10.0f);
    EXPECT_FLOAT_EQ(box->GetWorldMatrix()[13], 13.0f);

    rig.Move(50.0f, 60.0f);
    tr_Object::ComputeDrawState(box, tr_DrawState(), 0);
    EXPECT_FLOAT_EQ(box->GetWorldMatrix()[12], 50.0f);
    EXPECT_FLOAT_EQ(box->GetWorldMatrix()[13], 60.0f);

    rig.Up(50.0f, 60.0f);
    EXPECT_TRUE(rig.Dispatch().IsDropPending());
    EXPECT_EQ(tr_InputFocus::Dragged().Get(), box); // until the next update
    rig.Move(51.0f, 60.0f);                         // no drag event while the drop is pending
    EXPECT_EQ(rig.queue.Take(), (Codes{"drag:box", "dragdrop:box"}));
    rig.Frame();
    EXPECT_FALSE(tr_InputFocus::Dragged());
    EXPECT_FALSE(rig.Dispatch().IsDropPending());
}

TEST(tr_InputDispatchDrag, ClickToPickFollowsWithoutButtonAndNextDownDrops) {
    InputRig rig;
    tr_Object* item = MakeButton(rig.Root(), "item", 0.0f, 0.0f);
    tr_Object* slot = MakeButton(rig.Root(), "slot", 100.0f, 0.0f);
    item->SetDraggable(true);
    rig.cursor.SetPosition(5, 6);

    EXPECT_EQ(rig.Down(5.0f, 6.0f), item);
    EXPECT_EQ(tr_InputFocus::Dragged().Get(), item);
    // The object under the cursor is the dragged one: never picked, no mup.
    EXPECT_EQ(rig.Up(5.0f, 6.0f), nullptr);
    EXPECT_EQ(rig.queue.Take(), (Codes{"mdown:item", "startdrag:item"}));

    // Over the slot: the drag variants of hover; the slot takes the press
    // without running its code, and the press drops.
    rig.Move(105.0f, 5.0f);
    EXPECT_EQ(rig.Down(105.0f, 5.0f), slot);
    EXPECT_EQ(rig.Up(105.0f, 5.0f), slot);
    EXPECT_EQ(rig.queue.Take(), (Codes{"drag:item", "menter_drag:slot", "dragdrop:item"}));
    rig.Frame();
    EXPECT_FALSE(tr_InputFocus::Dragged());
    // Released onto the hovered slot, which is entered the ordinary way.
    EXPECT_EQ(rig.queue.Take(), (Codes{"menter:slot"}));
}

TEST(tr_InputDispatchDrag, HoverWhileDraggingUsesTheDragVariants) {
    InputRig rig;
    tr_Object* item = MakeButton(rig.Root(), "item", 0.0f, 0.0f);
    MakeButton(rig.Root(), "target", 100.0f, 0.0f);
    rig.Dispatch().StartDrag(item);
    rig.Move(105.0f, 5.0f);
    rig.Move(300.0f, 5.0f);
    EXPECT_EQ(rig.queue.Take(), (Codes{"startdrag:item", "drag:item", "menter_drag:target",
                                       "drag:item", "mleave_drag:target"}));
}

TEST(tr_InputDispatchDrop, DragDropCodeMayKeepTheObjectOnTheCursor) {
    InputRig rig;
    tr_Object* item = MakeButton(rig.Root(), "item", 0.0f, 0.0f);
    MakeButton(rig.Root(), "target", 100.0f, 0.0f);
    item->SetDraggable(true);
    bool refuse = true;
    rig.queue.actions["dragdrop:item"] = [&] {
        if (refuse)
            rig.Dispatch().SetKeepDragging();
    };

    rig.Down(5.0f, 5.0f);
    rig.Move(105.0f, 5.0f);
    rig.Down(105.0f, 5.0f);
    rig.Frame(); // the dragdrop code runs before the deferred drop
    EXPECT_EQ(tr_InputFocus::Dragged().Get(), item);
    EXPECT_FALSE(rig.Dispatch().IsKeepDragging());
    EXPECT_FALSE(rig.Dispatch().IsDropPending());
    rig.Move(106.0f, 5.0f); // still following
    tr_Object::ComputeDrawState(item, tr_DrawState(), 0);
    EXPECT_FLOAT_EQ(item->GetWorldMatrix()[12], 106.0f);
    rig.queue.Take();

    refuse = false;
    rig.Down(106.0f, 5.0f);
    rig.Frame();
    EXPECT_FALSE(tr_InputFocus::Dragged());
    EXPECT_EQ(rig.queue.Take(), (Codes{"dragdrop:item", "menter:target"}));
}

TEST(tr_InputDispatchDrop, StopAndKeepRequestsOutsideADrag) {
    InputRig rig;
    tr_Object* first = MakeButton(rig.Root(), "first", 0.0f, 0.0f);
    tr_Object* second = MakeButton(rig.Root(), "second", 50.0f, 0.0f);

    rig.Dispatch().Drop(); // nothing dragged: nothing happens
    EXPECT_FALSE(rig.Dispatch().IsDropPending());
    EXPECT_TRUE(rig.queue.Take().empty());

    // The dragdrop code deletes its object: nothing is left to drop.
    rig.queue.actions["dragdrop:first"] = [&] { rig.scene.DeleteObject(first); };
    rig.Dispatch().StartDrag(first);
    rig.Dispatch().Drop();
    rig.Dispatch().SetKeepDragging();
    rig.queue.RunQueue();
    EXPECT_FALSE(tr_InputFocus::Dragged());
    rig.Frame();

    // The keep request died with that drop; it does not hold on to the next.
    rig.Dispatch().StartDrag(second);
    rig.Dispatch().Drop();
    rig.Frame();
    EXPECT_FALSE(tr_InputFocus::Dragged());
}

TEST(tr_InputDispatchDrop, LateKeepRequestDoesNotRefuseTheNextDrop) {
    InputRig rig;
    tr_Object* first = MakeButton(rig.Root(), "first", 0.0f, 0.0f);
    tr_Object* second = MakeButton(rig.Root(), "second", 50.0f, 0.0f);
    // Trigger code stops the drag while the queue runs; the first object's
    // dragdrop code, which refuses drops, runs only in the next frame.
    rig.queue.actions["release"] = [&] { rig.Dispatch().Drop(); };
    rig.queue.actions["dragdrop:first"] = [&] { rig.Dispatch().SetKeepDragging(); };
    rig.Dispatch().StartDrag(first);
    rig.Frame();
    tr_QueueObjectCall("timer", "release");
    rig.Frame();
    EXPECT_FALSE(tr_InputFocus::Dragged());
    rig.Frame(); // the late refusal
    EXPECT_FALSE(rig.Dispatch().IsKeepDragging());

    rig.Dispatch().StartDrag(second);
    rig.Down(200.0f, 200.0f);
    rig.Frame();
    EXPECT_FALSE(tr_InputFocus::Dragged());
}

TEST(tr_InputDispatchDrop, DragDropCodeMayPickUpAnotherObject) {
    InputRig rig;
    tr_Object* first = MakeButton(rig.Root(), "first", 0.0f, 0.0f);
    tr_Object* second = MakeButton(rig.Root(), "second", 50.0f, 0.0f);
    rig.queue.actions["dragdrop:first"] = [&] { rig.Dispatch().StartDrag(second); };
    rig.Dispatch().StartDrag(first);
    rig.Down(200.0f, 200.0f);
    rig.Frame();
    EXPECT_EQ(tr_InputFocus::Dragged().Get(), second);
    EXPECT_FALSE(rig.Dispatch().IsDropPending());
    EXPECT_EQ(rig.queue.Take(), (Codes{"startdrag:first", "dragdrop:first", "startdrag:second"}));

    // The next press drops it as usual.
    rig.Down(200.0f, 200.0f);
    rig.Frame();
    EXPECT_FALSE(tr_InputFocus::Dragged());
    EXPECT_EQ(rig.queue.Take(), (Codes{"dragdrop:second"}));
}

TEST(tr_InputDispatchDrop, StartDragTakesTheCursorPosition) {
    InputRig rig;
    tr_Object* item = MakeButton(rig.Root(), "item", 200.0f, 200.0f);
    rig.cursor.SetPosition(7, 9);
    rig.Dispatch().StartDrag(item);
    tr_Object::ComputeDrawState(item, tr_DrawState(), 0);
    EXPECT_FLOAT_EQ(item->GetWorldMatrix()[12], 7.0f);
    EXPECT_FLOAT_EQ(item->GetWorldMatrix()[13], 9.0f);
    rig.Dispatch().StartDrag(nullptr); // ignored
    EXPECT_EQ(tr_InputFocus::Dragged().Get(), item);
}

TEST(tr_InputDispatchWaiters, MouseUpRunsOtherWaitersInNameOrder) {
    InputRig rig;
    MakeButton(rig.Root(), "holder", 0.0f, 0.0f);
    MakeButton(rig.Root(), "other", 100.0f, 0.0f);
    tr_InputDispatch& dispatch = rig.Dispatch();
    dispatch.AddMouseUpWaiter("zeta", "wait:zeta");
    dispatch.AddMouseUpWaiter("alpha", "wait:alpha");
    dispatch.AddMouseUpWaiter("Beta", "wait:Beta");
    dispatch.AddMouseUpWaiter("holder", "wait:holder");

    // Over nothing pickable: they keep waiting.
    rig.Up(500.0f, 500.0f);
    EXPECT_TRUE(rig.queue.Take().empty());
    EXPECT_EQ(dispatch.GetMouseUpWaiters().size(), 4u);

    // Over the holder's own object: its waiter is dropped unrun; the others
    // run in byte order (upper case first) under their stored names, though
    // no such objects exist.
    rig.Up(5.0f, 5.0f);
    EXPECT_EQ(rig.queue.Take(), (Codes{"mup:holder", "wait:Beta", "wait:alpha", "wait:zeta"}));
    EXPECT_TRUE(dispatch.GetMouseUpWaiters().empty());

    dispatch.AddMouseUpWaiter("holder", "wait:holder");
    rig.Up(105.0f, 5.0f);
    ASSERT_EQ(rig.queue.queued.size(), 2u);
    EXPECT_EQ(rig.queue.queued[1],
              std::make_pair(std::string("holder"), std::string("wait:holder")));
}

TEST(tr_InputDispatchSafety, CandidateDeletedBeforeTheDragStartsIsForgotten) {
    InputRig rig;
    tr_Object* box = MakeButton(rig.Root(), "box", 0.0f, 0.0f);
    box->SetDraggable(true);
    box->SetRealDrag(true);
    rig.Down(5.0f, 5.0f);
    ASSERT_EQ(rig.Dispatch().GetDragCandidate(), box);
    EXPECT_TRUE(rig.scene.DeleteObject(box));
    EXPECT_EQ(rig.Dispatch().GetDragCandidate(), nullptr);
    rig.Move(40.0f, 40.0f);
    EXPECT_FALSE(tr_InputFocus::Dragged());
    EXPECT_EQ(rig.queue.Take(), (Codes{"mdown:box"}));
}

TEST(tr_InputDispatchSafety, ObjectDeletingItselfDuringThePickIsNotPicked) {
    // Stands for a widget whose input handler runs script code at once.
    struct SelfDeleting : tr_Object {
        SelfDeleting(tr_Scene& scene) : tr_Object("doomed"), scene_(scene) {}
        bool HandleInput(tr_InputEvent& event, tr_Object* picked,
                         const tr_DrawState& state) override {
            const bool taken = tr_Object::HandleInput(event, picked, state);
            scene_.DeleteObject(this);
            return taken;
        }
        tr_Scene& scene_;
    };
    InputRig rig;
    SelfDeleting* doomed = new SelfDeleting(rig.scene);
    doomed->SetInputRect(tr_Rect{0.0f, 0.0f, 20.0f, 20.0f});
    doomed->SetEventCode(TR_EVENT_MENTER, "menter:doomed");
    doomed->SetDraggable(true);
    tr_Object::Attach(rig.Root(), doomed);

    EXPECT_EQ(rig.Move(5.0f, 5.0f), nullptr);
    EXPECT_FALSE(tr_InputFocus::Hovered());
    EXPECT_EQ(rig.scene.FindObject("doomed"), nullptr);
    EXPECT_TRUE(rig.queue.Take().empty());
}

TEST(tr_InputDispatchCrop, PointsOutsideAnAncestorsCropAreClipped) {
    InputRig rig;
    tr_Object* frame = MakeButton(rig.Root(), "frame", 0.0f, 0.0f);
    frame->SetInputRect(tr_Rect{0.0f, 0.0f, 200.0f, 200.0f});
    frame->SetCropRect(tr_Rect{0.0f, 0.0f, 50.0f, 50.0f});
    tr_Object* inner = MakeButton(frame, "inner", 40.0f, 0.0f);

    EXPECT_EQ(rig.Down(45.0f, 5.0f), inner);
    // Inside inner's rectangle but outside the frame's crop: neither takes it.
    EXPECT_EQ(rig.Down(55.0f, 5.0f), nullptr);
    EXPECT_EQ(rig.Down(100.0f, 100.0f), nullptr);
    EXPECT_EQ(rig.queue.Take(), (Codes{"mdown:inner"}));

    // Without the crop the same points are taken.
    frame->SetCropRect(tr_Rect{0.0f, 0.0f, 500.0f, 500.0f});
    EXPECT_EQ(rig.Down(55.0f, 5.0f), inner);
    EXPECT_EQ(rig.Down(100.0f, 100.0f), frame);
}

TEST(tr_InputDispatchKeys, KeysPassThePickWithoutObjectEvents) {
    struct KeyProbe : tr_Object {
        KeyProbe() : tr_Object("keys") {}
        bool HandleInput(tr_InputEvent& event, tr_Object* picked,
                         const tr_DrawState& state) override {
            types.push_back(event.type);
            return tr_Object::HandleInput(event, picked, state);
        }
        std::vector<int> types;
    };
    InputRig rig;
    KeyProbe* probe = new KeyProbe;
    probe->SetInputRect(tr_Rect{0.0f, 0.0f, 20.0f, 20.0f});
    probe->SetEventCode(TR_EVENT_MDOWN, "mdown:keys");
    probe->SetEventCode(TR_EVENT_MENTER, "menter:keys");
    probe->SetDraggable(true);
    tr_Object::Attach(rig.Root(), probe);

    tr_InputEvent event;
    event.x = 5.0f;
    event.y = 5.0f;
    event.type = TR_EVENT_KEY_DOWN;
    EXPECT_EQ(rig.scene.DispatchInput(event), nullptr);
    event.type = TR_EVENT_KEY_UP;
    EXPECT_EQ(rig.scene.DispatchInput(event), nullptr);
    // Characters and mouse-leave reach the hit test and may be taken, but
    // they start no hover, click or drag.
    event.type = TR_EVENT_CHAR;
    EXPECT_EQ(rig.scene.DispatchInput(event), probe);
    event.type = TR_EVENT_MOUSE_LEAVE;
    EXPECT_EQ(rig.scene.DispatchInput(event), probe);

    EXPECT_EQ(probe->types, (std::vector<int>{TR_EVENT_KEY_DOWN, TR_EVENT_KEY_UP, TR_EVENT_CHAR,
                                              TR_EVENT_MOUSE_LEAVE}));
    EXPECT_TRUE(rig.queue.Take().empty());
    EXPECT_FALSE(tr_InputFocus::Hovered());
    EXPECT_FALSE(tr_InputFocus::Dragged());
}

} // namespace
