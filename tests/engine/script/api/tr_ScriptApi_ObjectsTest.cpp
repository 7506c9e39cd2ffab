// Script functions on scene objects: attributes through ObjSet / ObjGet,
// relations, the intersection corner rule, keyframe animation, the tree
// functions and their refusal of reserved objects, drag-and-drop.
#include "ScriptApiFixture.h"

#include "engine/objects/tr_Sprite.h"
#include "engine/scene/tr_InputDispatch.h"
#include "engine/scene/tr_InputFocus.h"
#include "engine/script/tr_CallQueue.h"

#include <cmath>
#include <utility>

namespace {

// Installs itself for its lifetime and records what objects queue.
class RecordingQueue : public tr_CallQueue {
public:
    RecordingQueue() : previous_(tr_CallQueue::Installed()) { tr_CallQueue::Install(this); }
    ~RecordingQueue() override { tr_CallQueue::Install(previous_); }
    bool QueueCall(const std::string& sender, const std::string& code) override {
        calls.emplace_back(sender, code);
        return true;
    }
    std::vector<std::pair<std::string, std::string>> calls;

private:
    tr_CallQueue* previous_;
};

void Step(tr_Scene& scene, float dt) {
    tr_FrameInfo frame;
    frame.dt = dt;
    frame.raw_dt = dt;
    scene.Update(frame);
}

} // namespace

TEST_F(ScriptApiTest, ObjSetChangesOnlyTheAttributesOfTheType) {
    tr_Object* object = Add("box");
    object->SetPosition(3.0f, 7.0f);
    Run("ObjSet('box', {pos_x = 12, unknown_key = 5})");
    EXPECT_FLOAT_EQ(object->GetPosX(), 12.0f);
    EXPECT_FLOAT_EQ(object->GetPosY(), 7.0f);
    EXPECT_FLOAT_EQ(object->GetAlpha(), 1.0f);
    EXPECT_TRUE(object->IsVisible());

    // A number names the object by its text; other name types are ignored.
    Add("42");
    Run("ObjSet(42, {pos_y = 9})");
    EXPECT_FLOAT_EQ(Scene().FindObject("42")->GetPosY(), 9.0f);
    Run("ObjSet(true, {pos_x = 1}); ObjSet({}, {pos_x = 1}); ObjSet('box', 5)");
    EXPECT_FLOAT_EQ(object->GetPosX(), 12.0f);

    // An empty name names nothing, not the first unnamed object.
    tr_Object* unnamed = Add("");
    Run("ObjSet('', {pos_x = 77})");
    EXPECT_FLOAT_EQ(unnamed->GetPosX(), 0.0f);

    // A table whose lookups raise is read by its own fields only: the
    // missing attributes never reach the raising metamethod.
    Run("ObjSet('box', setmetatable({pos_x = 3}, {__index = function() error('boom') end}))");
    EXPECT_FLOAT_EQ(object->GetPosX(), 3.0f);
}

TEST_F(ScriptApiTest, ObjSetConvertsLooselyTypedValues) {
    tr_Object* object = Add("box");
    Run("ObjSet('box', {pos_x = '10.5', blendmode = 2.5, attachtype = 10.6, visible = 0,"
        " input = '0', drag = 'yes', alp = 0.25})");
    EXPECT_FLOAT_EQ(object->GetPosX(), 10.5f);
    EXPECT_EQ(object->GetBlendMode(), 2); // halves to the even neighbour
    EXPECT_EQ(object->GetAttachType(), 11);
    EXPECT_FALSE(object->IsVisible());
    EXPECT_FALSE(object->IsInputEnabled());
    EXPECT_FALSE(object->IsDraggable()); // text-to-integer of "yes" is 0
    EXPECT_FLOAT_EQ(object->GetAlpha(), 0.25f);

    Run("ObjSet('box', {visible = true, inputrect_init = true, inputrect_w = 30})");
    EXPECT_TRUE(object->IsVisible());
    EXPECT_TRUE(object->IsInputRectDefined());
    EXPECT_FLOAT_EQ(object->GetInputRect().w, 30.0f);
}

TEST_F(ScriptApiTest, ObjGetReturnsTypedAttributesOrAnEmptyTable) {
    EXPECT_EQ(Eval("next(ObjGet('nobody'))"), "nil");
    EXPECT_EQ(Eval("next(ObjGet(nil))"), "nil");

    tr_Object* object = Add("box");
    object->SetPosition(4.5f, -2.0f);
    object->SetVisible(false);
    object->SetEventCode(TR_EVENT_MDOWN, "trg_click");
    EXPECT_EQ(Eval("ObjGet('box').pos_x"), "4.5");
    EXPECT_EQ(Eval("ObjGet('box').pos_y"), "-2");
    EXPECT_EQ(Eval("ObjGet('box').visible"), "false");
    EXPECT_EQ(Eval("type(ObjGet('box').input)"), "boolean");
    EXPECT_EQ(Eval("ObjGet('box').event_mdown"), "trg_click");
    EXPECT_EQ(Eval("ObjGet('box').name"), "box");
    // Rectangle coordinates only appear while the rectangle is defined.
    EXPECT_EQ(Eval("ObjGet('box').inputrect_x"), "nil");

    // A table from ObjGet loads back into another object unchanged.
    tr_Object* copy = Add("copy");
    Run("local t = ObjGet('box'); t.name = nil; ObjSet('copy', t)");
    EXPECT_FLOAT_EQ(copy->GetPosX(), 4.5f);
    EXPECT_FALSE(copy->IsVisible());
    EXPECT_EQ(copy->GetEventCodeRef(TR_EVENT_MDOWN), "trg_click");
}

TEST_F(ScriptApiTest, ObjGetOfASpriteCarriesItsTypeAndInformationalValues) {
    tr_Sprite* sprite = AddOwned(new tr_Sprite("pic"));
    sprite->SetPosition(8.0f, 0.0f);
    EXPECT_EQ(Eval("ObjGet('pic').pos_x"), "8");
    EXPECT_EQ(Eval("ObjGet('pic').res"), "");
    EXPECT_EQ(Eval("type(ObjGet('pic').draw_width)"), "number");
    EXPECT_EQ(Eval("type(ObjGet('pic').draw_height)"), "number");
    EXPECT_EQ(Eval("type(ObjGet('pic').croprect_init)"), "boolean");
}

TEST_F(ScriptApiTest, ObjGetRelationsNamesParentAndChildrenInOrder) {
    tr_Object* stored = Add("stored", Scene().GetStorageRoot());
    Add("first", stored)->SetPosZ(1.0f);
    Add("second", stored)->SetPosZ(2.0f);
    Add("zeroth", stored)->SetPosZ(0.0f);
    EXPECT_EQ(Eval("ObjGetRelations('stored').parent"), "tr_storage");
    EXPECT_EQ(Eval("table.concat(ObjGetRelations('stored').childs, ',')"), "zeroth,first,second");
    EXPECT_EQ(Eval("#ObjGetRelations('first').childs"), "0");

    // Taken out of its tree, the object stays findable but has no parent.
    tr_Object* loose = Add("loose");
    tr_Object::RemoveChild(Scene().GetDisplayRoot(), loose, false);
    EXPECT_EQ(Eval("ObjGetRelations('loose').parent"), "null");
    delete loose;

    EXPECT_EQ(Eval("next(ObjGetRelations('nobody'))"), "nil");
}

TEST_F(ScriptApiTest, ObjIntersectNeedsACornerInsideTheOther) {
    auto with_rect = [&](const char* name, tr_Rect rect) {
        tr_Object* object = Add(name);
        object->SetInputRect(rect);
        return object;
    };
    with_rect("a", tr_Rect{0, 0, 10, 10});
    with_rect("b", tr_Rect{5, 5, 10, 10});
    EXPECT_EQ(Eval("ObjIntersect('a', 'b')"), "true");
    EXPECT_EQ(Eval("ObjIntersect('b', 'a')"), "true");

    // A cross: each rectangle spans the other without a corner inside.
    with_rect("wide", tr_Rect{0, 10, 40, 5});
    with_rect("tall", tr_Rect{15, 0, 5, 40});
    EXPECT_EQ(Eval("ObjIntersect('wide', 'tall')"), "false");

    // Containment counts (the small one's corners are inside).
    with_rect("inner", tr_Rect{2, 2, 1, 1});
    EXPECT_EQ(Eval("ObjIntersect('a', 'inner')"), "true");

    // The transforms of the whole chain apply: a parent moved far away
    // carries its child away from "a".
    tr_Object* far = Add("far");
    far->SetPosition(100.0f, 0.0f);
    Add("child", far)->SetInputRect(tr_Rect{0, 0, 10, 10});
    EXPECT_EQ(Eval("ObjIntersect('a', 'child')"), "false");
    far->SetPosition(-5.0f, -5.0f);
    EXPECT_EQ(Eval("ObjIntersect('a', 'child')"), "true");

    // An object without an input rectangle never intersects, even when its
    // origin lies inside the other.
    Add("bare")->SetPosition(5.0f, 5.0f);
    EXPECT_EQ(Eval("ObjIntersect('a', 'bare')"), "false");
    EXPECT_EQ(Eval("ObjIntersect('a', 'nobody')"), "false");
}

TEST_F(ScriptApiTest, ObjAnimateAlphaFadesOverOneSecondAndNamesNoTriggerAtTheEnd) {
    tr_Object* object = Add("fader");
    Run("ObjAnimate('fader', 'alp', 0, 0, nil, {0, 0, 1, 1, 0, 0})");
    ASSERT_EQ(object->GetModifierCount(), 1u);
    const std::string no_trigger = "Error: object fader try to call trigger   - no such trigger";
    for (int step = 1; step <= 3; ++step) {
        Step(Scene(), 0.25f);
        EXPECT_NEAR(object->GetAlpha(), 1.0f - 0.25f * step, 1e-5f) << "step " << step;
    }
    EXPECT_FALSE(log.Contains(no_trigger));
    Step(Scene(), 0.25f);
    EXPECT_NEAR(object->GetAlpha(), 0.0f, 1e-5f);
    EXPECT_EQ(object->GetModifierCount(), 0u);
    // Without an end code the animation names the trigger " ", which the
    // trigger registry reports.
    EXPECT_TRUE(log.Contains(no_trigger));
    ASSERT_FALSE(log.lines.empty());
    EXPECT_EQ(log.lines.back(), no_trigger);
}

TEST_F(ScriptApiTest, ObjAnimateQueuesASingleSpaceWhenTheEndCodeIsNotAString) {
    RecordingQueue queue;
    Add("fader");
    Run("ObjAnimate('fader', 'alp', 0, 0, 17, {0, 0, 1, 1, 0, 0})");
    Step(Scene(), 1.0f);
    ASSERT_EQ(queue.calls.size(), 1u);
    EXPECT_EQ(queue.calls[0], std::make_pair(std::string("fader"), std::string(" ")));
}

TEST_F(ScriptApiTest, ObjAnimateReadsKindsFlagsAndKeys) {
    RecordingQueue queue;
    tr_Object* object = Add("mover");
    // Numeric kind 0 (pos_x), relative, looping; keys stop at the first
    // non-number and are cut to whole keys.
    Run("ObjAnimate('mover', 0, 1, 1, 'trg_done', {0, 0, 0, 1, 0, 10, 'x', 5})");
    object->SetPosition(100.0f, 0.0f);
    Step(Scene(), 0.5f);
    tr_Object::ComputeDrawState(object, tr_DrawState(), 0);
    EXPECT_NEAR(object->GetWorldMatrix()[12], 105.0f, 1e-4f);
    EXPECT_FLOAT_EQ(object->GetPosX(), 100.0f); // relative: an offset only
    Step(Scene(), 0.5f);
    ASSERT_EQ(queue.calls.size(), 1u);
    EXPECT_EQ(queue.calls[0].second, "trg_done");
    EXPECT_EQ(object->GetModifierCount(), 1u); // looping goes on

    // The same kind replaces the earlier modifier; another kind is added.
    Run("ObjAnimate('mover', 'pos_x', 0, 0, 'a', {0, 0, 1})");
    Run("ObjAnimate('mover', 'scale_xy', 0, 0, 'b', {0, 0, 1, 1, 1, 0, 2, 2})");
    EXPECT_EQ(object->GetModifierCount(), 2u);
    // An attribute name is its own kind.
    Run("ObjAnimate('mover', 'drawoff_x', 0, 0, 'c', {0, 0, 1, 1, 0, 3})");
    EXPECT_EQ(object->GetModifierCount(), 3u);
    Run("ObjStopAnimate('mover', 'drawoff_x'); ObjStopAnimate('mover', 6)");
    EXPECT_EQ(object->GetModifierCount(), 1u);

    // Numbers outside the built-in kinds index nothing and are refused.
    Run("ObjAnimate('mover', 13, 0, 0, 'd', {0, 0, 1})");
    Run("ObjAnimate('mover', 99, 0, 0, 'd', {0, 0, 1})");
    Run("ObjAnimate('mover', -1, 0, 0, 'd', {0, 0, 1})");
    Run("ObjAnimate('mover', true, 0, 0, 'd', {0, 0, 1})");
    Run("ObjAnimate('nobody', 'alp', 0, 0, 'd', {0, 0, 1})");
    EXPECT_EQ(object->GetModifierCount(), 1u);
    // A kind of 8.5 rounds to 8 (alpha).
    Run("ObjAnimate('mover', 8.5, 0, 0, 'e', {0, 0, 0.5})");
    EXPECT_EQ(object->GetModifierCount(), 2u);
    Step(Scene(), 0.1f);
    EXPECT_NEAR(object->GetAlpha(), 0.5f, 1e-5f);
    EXPECT_EQ(object->GetModifierCount(), 0u); // both single-key curves ended

    // Stopping runs no end code.
    Run("ObjAnimate('mover', 'pos_y', 0, 0, 'f', {0, 0, 0, 1, 0, 1})");
    const size_t queued = queue.calls.size();
    Run("ObjStopAnimate('mover', 'pos_y')");
    EXPECT_EQ(object->GetModifierCount(), 0u);
    Step(Scene(), 1.0f);
    EXPECT_EQ(queue.calls.size(), queued);
}

TEST_F(ScriptApiTest, ObjAnimateKeysSharingATimeJumpInsteadOfDividingByZero) {
    tr_Object* object = Add("jumper");
    // Before the first key both keys share the time 0.5: the later value
    // shows at once rather than a NaN from 0 / 0.
    Run("ObjAnimate('jumper', 'pos_x', 0, 0, 'x', {0.5, 0, 0, 0.5, 0, 10, 1, 0, 10})");
    Step(Scene(), 0.1f);
    EXPECT_FLOAT_EQ(object->GetPosX(), 10.0f);
}

TEST_F(ScriptApiTest, TreeFunctionsMoveAndDeleteObjects) {
    tr_Object* item = Add("item", Scene().GetStorageRoot());
    tr_Object* holder = Add("holder");
    EXPECT_FALSE(item->AreResourcesLoaded());
    Run("ObjAttach('item', 'holder')");
    EXPECT_EQ(item->GetParent(), holder);
    EXPECT_TRUE(item->AreResourcesLoaded());
    Run("ObjDetach('item')");
    EXPECT_EQ(item->GetParent(), Scene().GetStorageRoot());
    EXPECT_FALSE(item->AreResourcesLoaded());
    Run("ObjAttach('item', 'nobody'); ObjAttach('nobody', 'holder')");
    EXPECT_EQ(item->GetParent(), Scene().GetStorageRoot());

    Add("inner", item);
    Run("ObjDelete('item')");
    EXPECT_EQ(Scene().FindObject("item"), nullptr);
    EXPECT_EQ(Scene().FindObject("inner"), nullptr);
    EXPECT_TRUE(Scene().GetStorageRoot()->GetChildren().empty());
}

TEST_F(ScriptApiTest, TreeFunctionsRefuseRootsAndReservedObjects) {
    tr_Object* origin = Scene().GetDisplayRoot();
    tr_Object* storage = Scene().GetStorageRoot();
    tr_Object* level = Add("tp_level");
    tr_Object* content = Add("trg_holder");
    Run("ObjDelete('tr_origin'); ObjDelete('tr_storage'); ObjDelete('tp_level')");
    Run("ObjAttach('tr_storage', 'trg_holder'); ObjAttach('tr_origin', 'tr_storage')");
    Run("ObjAttach('tp_level', 'trg_holder'); ObjDetach('tr_origin'); ObjDetach('tp_level')");
    EXPECT_EQ(Scene().FindObject("tr_origin"), origin);
    EXPECT_EQ(Scene().FindObject("tr_storage"), storage);
    EXPECT_EQ(origin->GetParent(), nullptr);
    EXPECT_EQ(storage->GetParent(), nullptr);
    EXPECT_EQ(level->GetParent(), origin);
    EXPECT_TRUE(log.Contains("Warning: ObjDelete refused for reserved object \"tr_origin\""));
    EXPECT_TRUE(log.Contains("Warning: ObjAttach refused for reserved object \"tp_level\""));
    EXPECT_TRUE(log.Contains("Warning: ObjDetach refused for reserved object \"tp_level\""));

    // Reserved objects still serve as parents.
    Add("plain", storage);
    Run("ObjAttach('plain', 'tp_level')");
    EXPECT_EQ(Scene().FindObject("plain")->GetParent(), level);
    EXPECT_EQ(content->GetParent(), origin);
}

TEST_F(ScriptApiTest, DragFunctionsReachTheInputDispatch) {
    tr_Object* item = Add("item");
    item->SetDraggable(true);
    tr_InputDispatch& dispatch = Scene().GetInputDispatch();
    Run("ObjStartDrag('item')");
    EXPECT_TRUE(tr_InputFocus::Dragged().Is(item));
    Run("ObjStopDrag()");
    EXPECT_TRUE(dispatch.IsDropPending());
    Run("ObjDoNotDrop()");
    EXPECT_TRUE(dispatch.IsKeepDragging());
    Scene().Update(tr_FrameInfo{0.0f, 0.0f, 0.0f});
    EXPECT_TRUE(tr_InputFocus::Dragged().Is(item));

    Run("ObjWaitForMouseUp('item', 'trg_up'); ObjWaitForMouseUp(7, 'trg_seven')");
    Run("ObjWaitForMouseUp('item', 'trg_again')");
    ASSERT_EQ(dispatch.GetMouseUpWaiters().size(), 2u);
    EXPECT_EQ(dispatch.GetMouseUpWaiters().at("item"), "trg_again");
    EXPECT_EQ(dispatch.GetMouseUpWaiters().at("7"), "trg_seven");

    Run("ObjStartDrag('nobody')");
    EXPECT_TRUE(tr_InputFocus::Dragged().Is(item));
    tr_InputFocus::Dragged().Reset();
}
