#include "engine/scene/tr_Object.h"
#include "engine/scene/tr_InputFocus.h"
#include "engine/scene/tr_NameRegistry.h"
#include "engine/scene/tr_ObjectRef.h"
#include "engine/scene/tr_TimerObj.h"

#include "tests/engine/scene/SceneTestDoubles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

constexpr float kHalfPi = 1.5707964f;

void ExpectPoint(const tr_Matrix& m, float x, float y, float want_x, float want_y) {
    m.TransformPoint(x, y);
    EXPECT_NEAR(x, want_x, 1e-4f);
    EXPECT_NEAR(y, want_y, 1e-4f);
}

// A parent with one child, drawn the way the scene draws them.
struct Pair {
    tr_Object parent{"parent"};
    tr_Object* child = new tr_Object("child");
    Pair() { tr_Object::AddChild(&parent, child); }
    tr_DrawState ChildState() {
        const tr_DrawState ps = tr_Object::ComputeDrawState(&parent, tr_DrawState(), 0);
        return tr_Object::ComputeDrawState(child, ps, 0);
    }
};

TEST(tr_ObjectTransform, FullAttachComposesScaleAndParentTranslation) {
    Pair p;
    p.parent.SetPosition(100.0f, 0.0f);
    p.child->SetPosition(10.0f, 20.0f);
    p.child->SetScale(2.0f, 2.0f);
    const tr_DrawState state = p.ChildState();
    ExpectPoint(state.transform, 0.0f, 0.0f, 110.0f, 20.0f);
    ExpectPoint(state.transform, 1.0f, 0.0f, 112.0f, 20.0f);
    EXPECT_TRUE(p.child->GetWorldMatrix() == state.transform);
}

TEST(tr_ObjectTransform, PartialAttachTypesFollowOnlyPartsOfTheParent) {
    Pair p;
    p.parent.SetPosition(100.0f, 0.0f);
    p.parent.SetAngle(kHalfPi);
    p.parent.SetScale(2.0f, 2.0f);
    p.child->SetPosition(10.0f, 0.0f);

    // 0 rotates the child's offset with the parent.
    ExpectPoint(p.ChildState().transform, 0.0f, 0.0f, 100.0f, -20.0f);
    // 1: scale and position, no rotation.
    p.child->SetAttachType(TR_ATTACH_NO_ROTATION);
    ExpectPoint(p.ChildState().transform, 0.0f, 0.0f, 120.0f, 0.0f);
    ExpectPoint(p.ChildState().transform, 1.0f, 0.0f, 122.0f, 0.0f);
    // 2: position only -- placed at (110, 0) and unrotated.
    p.child->SetAttachType(TR_ATTACH_POSITION_ONLY);
    const tr_DrawState two = p.ChildState();
    ExpectPoint(two.transform, 0.0f, 0.0f, 110.0f, 0.0f);
    ExpectPoint(two.transform, 1.0f, 0.0f, 111.0f, 0.0f);
    // 3 and unknown types ignore the parent.
    p.child->SetAttachType(TR_ATTACH_NONE_OF_PARENT);
    ExpectPoint(p.ChildState().transform, 0.0f, 0.0f, 10.0f, 0.0f);
    p.child->SetAttachType(9);
    ExpectPoint(p.ChildState().transform, 0.0f, 0.0f, 10.0f, 0.0f);
}

TEST(tr_ObjectTransform, PartialAttachKeepsGrandparentTransformAndParentWorld) {
    tr_Object grand("grand");
    grand.SetPosition(0.0f, 50.0f);
    tr_Object* parent = new tr_Object("parent");
    parent->SetPosition(100.0f, 0.0f);
    parent->SetAngle(kHalfPi);
    tr_Object* child = new tr_Object("child");
    child->SetPosition(10.0f, 0.0f);
    child->SetAttachType(TR_ATTACH_POSITION_ONLY);
    tr_Object::AddChild(&grand, parent);
    tr_Object::AddChild(parent, child);

    const tr_DrawState gs = tr_Object::ComputeDrawState(&grand, tr_DrawState(), 0);
    const tr_DrawState ps = tr_Object::ComputeDrawState(parent, gs, 0);
    const tr_DrawState cs = tr_Object::ComputeDrawState(child, ps, 0);
    ExpectPoint(cs.transform, 0.0f, 0.0f, 110.0f, 50.0f);
    // The partial computation for the child leaves the parent's world as drawn.
    EXPECT_TRUE(parent->GetWorldMatrix() == ps.transform);
}

TEST(tr_ObjectTransform, LocalMatrixIsCachedUntilMarkedDirty) {
    tr_Object obj("o");
    obj.SetPosition(5.0f, 0.0f);
    ExpectPoint(tr_Object::ComputeDrawState(&obj, tr_DrawState(), 0).transform, 0, 0, 5, 0);
    // Changing the position through a helper marks the cache dirty (Load).
    MapHelper helper;
    helper.values["pos_x"] = "7";
    obj.Load(helper);
    ExpectPoint(tr_Object::ComputeDrawState(&obj, tr_DrawState(), 0).transform, 0, 0, 7, 0);
}

TEST(tr_ObjectTransform, DraggedObjectTakesDragPositionExceptInModeThree) {
    tr_Object parent("parent");
    parent.SetPosition(300.0f, 300.0f);
    tr_Object* obj = new tr_Object("dragged");
    tr_Object::AddChild(&parent, obj);
    obj->SetPosition(10.0f, 10.0f);
    obj->SetDragPosition(42.0f, 24.0f, 0.0f);
    const tr_DrawState ps = tr_Object::ComputeDrawState(&parent, tr_DrawState(), 0);
    tr_InputFocus::Dragged().Set(obj);
    ExpectPoint(tr_Object::ComputeDrawState(obj, ps, 0).transform, 0, 0, 42, 24);
    ExpectPoint(tr_Object::ComputeDrawState(obj, ps, 3).transform, 0, 0, 300, 300);
    tr_InputFocus::Dragged().Reset();
    ExpectPoint(tr_Object::ComputeDrawState(obj, ps, 0).transform, 0, 0, 310, 310);
}

TEST(tr_ObjectTransform, ColourMultipliesModifierOwnAndParent) {
    tr_Object obj("o");
    obj.SetAlpha(0.5f);
    obj.SetColor(1.0f, 0.5f, 0.25f);
    tr_DrawState parent;
    parent.alpha = 0.5f;
    parent.green = 0.5f;
    const float keys[] = {0.0f, 0.0f, 0.5f};
    ASSERT_TRUE(obj.AddModifier(TR_MOD_BLUE, "", false, true, "", keys, 3));
    obj.Update(tr_FrameInfo{0.1f, 0.1f, 0.0f});
    const tr_DrawState s = tr_Object::ComputeDrawState(&obj, parent, 0);
    EXPECT_FLOAT_EQ(s.alpha, 0.25f);
    EXPECT_FLOAT_EQ(s.red, 1.0f);
    EXPECT_FLOAT_EQ(s.green, 0.25f);
    EXPECT_FLOAT_EQ(s.blue, 0.125f);
}

TEST(tr_ObjectHitTest, EvenOddAgainstTransformedInputRect) {
    tr_Object obj("o");
    tr_DrawState state;
    EXPECT_FALSE(obj.HitTest(0.0f, 0.0f, state)); // undefined rectangle never hits
    obj.SetInputRect(tr_Rect{-10.0f, -5.0f, 20.0f, 10.0f});
    EXPECT_TRUE(obj.HitTest(9.0f, 4.0f, state));
    EXPECT_FALSE(obj.HitTest(11.0f, 0.0f, state));
    // Rotated a quarter turn the wide rectangle becomes tall.
    state.transform = tr_MakeTransform(100.0f, 100.0f, kHalfPi, 1.0f, 1.0f);
    EXPECT_TRUE(obj.HitTest(100.0f, 109.0f, state));
    EXPECT_FALSE(obj.HitTest(109.0f, 100.0f, state));
}

TEST(tr_ObjectHitTest, CropRectInScreenSpaceAndForInput) {
    tr_Object obj("o");
    const tr_Matrix world = tr_MakeTransform(100.0f, 50.0f, 0.0f, 2.0f, 3.0f);
    EXPECT_TRUE(obj.CropContains(1000.0f, 1000.0f, world)); // no crop: everything
    obj.SetCropRect(tr_Rect{-10.0f, -10.0f, 20.0f, 20.0f});
    const tr_Rect screen = obj.GetScreenCropRect(world);
    EXPECT_FLOAT_EQ(screen.x, 80.0f);
    EXPECT_FLOAT_EQ(screen.y, 20.0f);
    EXPECT_FLOAT_EQ(screen.w, 40.0f);
    EXPECT_FLOAT_EQ(screen.h, 60.0f);
    EXPECT_TRUE(obj.CropContains(119.0f, 79.0f, world));
    EXPECT_FALSE(obj.CropContains(121.0f, 50.0f, world));
}

TEST(tr_ObjectAttributes, SaveWritesTableOrderAndInformationalOnlyWhenIncluded) {
    LoggingObject obj("thing", nullptr);
    obj.SetEventCode(TR_EVENT_STARTDRAG, "Start");
    MapHelper plain;
    obj.Save(plain);
    EXPECT_EQ(plain.values.count("draw_width"), 0u);
    EXPECT_EQ(plain.values.count("inputrect_x"), 0u); // undefined rectangles stay out
    ASSERT_GE(plain.keys.size(), 3u);
    EXPECT_EQ(plain.keys.front(), "name");
    EXPECT_EQ(plain.keys.back(), "res");
    // Event keys in attribute order: ..., dragdrop, drag, startdrag.
    EXPECT_EQ(plain.keys[plain.keys.size() - 2], "event_startdrag");
    EXPECT_EQ(plain.keys[plain.keys.size() - 3], "event_drag");
    EXPECT_EQ(plain.values["event_startdrag"], "Start");

    MapHelper informed;
    informed.SetIncludeInformational(true);
    obj.Save(informed);
    EXPECT_EQ(std::stof(informed.values["draw_width"]), 30.0f);
    EXPECT_EQ(std::stof(informed.values["draw_height"]), 40.0f);
    EXPECT_FALSE(informed.GetInformationalMode());
}

TEST(tr_ObjectAttributes, LoadRoundTripsAndRespectsRectFlags) {
    tr_Object source("src");
    source.SetPosition(3.0f, 4.0f);
    source.SetPosZ(2.0f);
    source.SetAlpha(0.5f);
    source.SetBlendMode(TR_BLEND_ADD);
    source.SetAttachType(2);
    source.SetVisible(false);
    source.SetInputRect(tr_Rect{1.0f, 2.0f, 3.0f, 4.0f});
    source.SetEventCode(TR_EVENT_DRAGDROP, "Dropped(1)");
    MapHelper helper;
    source.Save(helper);

    tr_Object copy;
    copy.Load(helper);
    EXPECT_EQ(copy.GetName(), "src");
    EXPECT_EQ(copy.GetPosX(), 3.0f);
    EXPECT_EQ(copy.GetPosZ(), 2.0f);
    EXPECT_EQ(copy.GetAlpha(), 0.5f);
    EXPECT_EQ(copy.GetBlendMode(), TR_BLEND_ADD);
    EXPECT_EQ(copy.GetAttachType(), 2);
    EXPECT_FALSE(copy.IsVisible());
    EXPECT_TRUE(copy.IsInputRectDefined());
    EXPECT_EQ(copy.GetInputRect().h, 4.0f);
    EXPECT_EQ(tr_Object::GetEventCode(&copy, TR_EVENT_DRAGDROP), "Dropped(1)");
    EXPECT_EQ(tr_Object::GetEventCode(&copy, 9), "");

    // Coordinates of an undefined rectangle are not read.
    tr_Object plain;
    MapHelper only_x;
    only_x.values["inputrect_x"] = "5";
    only_x.values["croprect_w"] = "5";
    plain.Load(only_x);
    EXPECT_EQ(plain.GetInputRect().x, 0.0f);
    EXPECT_EQ(plain.GetCropRect().w, 0.0f);
}

TEST(tr_ObjectAttributes, SetResReinitialisesAndReloadsOnlyWhenLoaded) {
    std::vector<std::string> log;
    LoggingObject obj("o", &log);
    MapHelper helper;
    helper.values["res"] = "tex";
    obj.Load(helper);
    EXPECT_EQ(log, (std::vector<std::string>{"deinit:o", "init:o"}));
    log.clear();
    obj.Load(helper); // same name: nothing
    EXPECT_TRUE(log.empty());
    obj.LoadResources();
    log.clear();
    obj.SetRes("other");
    EXPECT_EQ(log, (std::vector<std::string>{"unload:o", "deinit:o", "init:o", "load:o"}));
    EXPECT_EQ(obj.GetRes(), "other");
}

TEST(tr_ObjectTree, AddChildRefusesCyclesAndKeepsStableZOrder) {
    tr_Object root("root");
    tr_Object* a = new tr_Object("a");
    tr_Object* b = new tr_Object("b");
    tr_Object* c = new tr_Object("c");
    a->SetPosZ(1.0f);
    b->SetPosZ(0.0f);
    c->SetPosZ(1.0f);
    tr_Object::AddChild(&root, a);
    tr_Object::AddChild(&root, b);
    tr_Object::AddChild(&root, c);
    EXPECT_EQ(root.GetChildren(), (std::vector<tr_Object*>{b, a, c}));

    tr_Object::AddChild(a, b);
    tr_Object::AddChild(b, &root); // root is b's ancestor: refused
    tr_Object::AddChild(b, b);
    tr_Object::AddChild(b, nullptr);
    EXPECT_EQ(root.GetParent(), nullptr);
    EXPECT_EQ(b->GetParent(), a);
    EXPECT_EQ(root.GetChildren(), (std::vector<tr_Object*>{a, c}));

    EXPECT_EQ(tr_Object::FindChild(&root, "b", false), nullptr);
    EXPECT_EQ(tr_Object::FindChild(&root, "b", true), b);
    EXPECT_EQ(tr_Object::RemoveChild(&root, b, false), nullptr);
    EXPECT_EQ(tr_Object::RemoveChild(&root, b, true), b);
    EXPECT_EQ(b->GetParent(), nullptr);
    delete b;
    tr_Object::DeleteChildren(&root);
    EXPECT_TRUE(root.GetChildren().empty());
}

TEST(tr_ObjectTree, AttachLoadsChildrenFirstAndUnloadsParentsFirst) {
    std::vector<std::string> log;
    tr_Object shown("shown");
    shown.LoadResources();
    tr_Object hidden("hidden");
    LoggingObject* top = new LoggingObject("top", &log);
    LoggingObject* left = new LoggingObject("left", &log);
    LoggingObject* leaf = new LoggingObject("leaf", &log);
    LoggingObject* right = new LoggingObject("right", &log);
    tr_Object::AddChild(top, left);
    tr_Object::AddChild(left, leaf);
    tr_Object::AddChild(top, right);
    right->LoadResources(); // already loaded: skipped with its subtree
    log.clear();

    tr_Object::Attach(&shown, top);
    EXPECT_EQ(log, (std::vector<std::string>{"load:leaf", "load:left", "load:top"}));
    log.clear();
    left->UnloadResources(); // not loaded: skipped with leaf below it
    log.clear();
    tr_Object::Attach(&hidden, top);
    EXPECT_EQ(log, (std::vector<std::string>{"unload:top", "unload:right"}));
    EXPECT_TRUE(leaf->AreResourcesLoaded());
}

TEST(tr_ObjectLifetime, RefsAndFocusClearWhenTheObjectDies) {
    RecordingQueue queue;
    tr_Object* obj = new tr_Object("hover");
    obj->SetEventCode(TR_EVENT_MLEAVE, "Left");
    tr_ObjectRef ref(obj);
    tr_InputFocus::Hovered().Set(obj);
    tr_InputFocus::Dragged().Set(obj);
    EXPECT_EQ(ref.Get(), obj);
    EXPECT_EQ(ref.GetAs<tr_TimerObj>(), nullptr);
    tr_TimerObj* timer = new tr_TimerObj("timer");
    tr_ObjectRef timer_ref(timer);
    EXPECT_EQ(timer_ref.GetAs<tr_TimerObj>(), timer);
    delete timer;
    EXPECT_EQ(timer_ref.GetAs<tr_TimerObj>(), nullptr);
    delete obj;
    EXPECT_EQ(ref.Get(), nullptr);
    EXPECT_FALSE(tr_InputFocus::Hovered());
    EXPECT_FALSE(tr_InputFocus::Dragged());
    ASSERT_EQ(queue.calls.size(), 1u);
    EXPECT_EQ(queue.calls[0], std::make_pair(std::string("hover"), std::string("Left")));
}

TEST(tr_ObjectLifetime, RenamedObjectLeavesNoRegistryEntryBehind) {
    tr_Object root("root");
    tr_Object* obj = new tr_Object("before");
    tr_Object::AddChild(&root, obj);
    EXPECT_EQ(tr_NameRegistry::Lookup("before"), obj);
    MapHelper rename;
    rename.values["name"] = "after";
    obj->Load(rename);
    EXPECT_EQ(tr_NameRegistry::Lookup("before"), obj); // entry keeps the attach-time name
    delete obj;
    EXPECT_EQ(tr_NameRegistry::Lookup("before"), nullptr);
    EXPECT_EQ(tr_NameRegistry::Lookup("after"), nullptr);
    EXPECT_TRUE(root.GetChildren().empty());
}

TEST(tr_ObjectInput, DefaultHandleInputQueuesMouseCodeOnHit) {
    RecordingQueue queue;
    tr_Object obj("button");
    obj.SetInputRect(tr_Rect{0.0f, 0.0f, 10.0f, 10.0f});
    obj.SetEventCode(TR_EVENT_MDOWN, "Down");
    obj.SetEventCode(TR_EVENT_MUP, "Up");
    tr_DrawState state;
    tr_InputEvent event;
    event.type = TR_EVENT_MOUSE_DOWN;
    event.x = event.y = 5.0f;
    EXPECT_TRUE(obj.HandleInput(event, nullptr, state));
    event.type = TR_EVENT_MOUSE_UP;
    EXPECT_TRUE(obj.HandleInput(event, nullptr, state));
    event.type = TR_EVENT_KEY_DOWN;
    EXPECT_FALSE(obj.HandleInput(event, nullptr, state));
    event.type = TR_EVENT_MOUSE_DOWN;
    EXPECT_FALSE(obj.HandleInput(event, &obj, state)); // already picked
    event.clipped = true;
    EXPECT_FALSE(obj.HandleInput(event, nullptr, state));
    event.clipped = false;
    event.x = 20.0f;
    EXPECT_FALSE(obj.HandleInput(event, nullptr, state));
    ASSERT_EQ(queue.calls.size(), 2u);
    EXPECT_EQ(queue.calls[0].second, "Down");
    EXPECT_EQ(queue.calls[1].second, "Up");

    // While dragging: the dragged object is never picked, others take the
    // event silently.
    event.x = 5.0f;
    tr_InputFocus::Dragged().Set(&obj);
    EXPECT_FALSE(obj.HandleInput(event, nullptr, state));
    tr_Object other("other");
    tr_InputFocus::Dragged().Set(&other);
    EXPECT_TRUE(obj.HandleInput(event, nullptr, state));
    tr_InputFocus::Dragged().Reset();
    EXPECT_EQ(queue.calls.size(), 2u);
}

} // namespace
