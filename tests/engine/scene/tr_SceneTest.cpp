#include "engine/scene/tr_Scene.h"
#include "engine/bindings/tr_EngineCore.h"
#include "engine/scene/tr_Object.h"

#include "tests/engine/scene/SceneTestDoubles.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const tr_FrameInfo kFrame{1.0f / 60.0f, 1.0f / 60.0f, 0.0f};

// Runs a callback from its Update, the way script code called from an
// object's update would.
class ScriptedObject : public tr_Object {
public:
    ScriptedObject(const std::string& name, std::function<void()> action)
        : tr_Object(name), action_(std::move(action)) {}
    void Update(const tr_FrameInfo& frame) override {
        tr_Object::Update(frame);
        ++updates;
        if (action_)
            action_();
    }
    int updates = 0;

private:
    std::function<void()> action_;
};

TEST(tr_Scene, RootsAndFindObjectByRegistryThenTrees) {
    tr_Scene scene;
    EXPECT_EQ(scene.GetDisplayRoot()->GetName(), "tr_origin");
    EXPECT_EQ(scene.GetStorageRoot()->GetName(), "tr_storage");
    EXPECT_TRUE(scene.GetDisplayRoot()->AreResourcesLoaded());
    EXPECT_FALSE(scene.GetStorageRoot()->AreResourcesLoaded());
    EXPECT_EQ(scene.FindObject("tr_storage"), scene.GetStorageRoot());

    tr_Object* first = new tr_Object("twin");
    tr_Object* second = new tr_Object("twin");
    tr_Object::Attach(scene.GetDisplayRoot(), first);
    tr_Object::Attach(scene.GetStorageRoot(), second);
    EXPECT_EQ(scene.FindObject("twin"), second); // attached last
    EXPECT_TRUE(scene.DeleteObject(second));
    EXPECT_EQ(scene.FindObject("twin"), first); // found by searching the trees
    EXPECT_EQ(scene.FindObject("nobody"), nullptr);

    // An object named like a root never hides the root from lookups.
    tr_Object::Attach(scene.GetStorageRoot(), new tr_Object("tr_origin"));
    EXPECT_EQ(scene.FindObject("tr_origin"), scene.GetDisplayRoot());
    EXPECT_FALSE(scene.DeleteObject(scene.GetDisplayRoot()));
    EXPECT_FALSE(scene.DeleteObject(nullptr));

    // Roots never move under another object; cycles are refused too.
    EXPECT_FALSE(scene.AttachObject(first, scene.GetStorageRoot()));
    EXPECT_EQ(scene.GetStorageRoot()->GetParent(), nullptr);
    EXPECT_TRUE(scene.AttachObject(scene.GetStorageRoot(), first));
    EXPECT_FALSE(first->AreResourcesLoaded());
    tr_Object* inner = new tr_Object("inner");
    EXPECT_TRUE(scene.AttachObject(first, inner));
    EXPECT_FALSE(scene.AttachObject(inner, first));
}

TEST(tr_Scene, InvisibleActiveSubtreeUpdatesButIsNotDrawn) {
    tr_Scene scene;
    std::vector<std::string> log;
    LoggingObject* hidden = new LoggingObject("hidden", &log);
    LoggingObject* below = new LoggingObject("below", &log);
    LoggingObject* idle = new LoggingObject("idle", &log);
    LoggingObject* idle_child = new LoggingObject("idle_child", &log);
    tr_Object::Attach(scene.GetDisplayRoot(), hidden);
    tr_Object::Attach(hidden, below);
    tr_Object::Attach(scene.GetDisplayRoot(), idle);
    tr_Object::Attach(idle, idle_child);
    hidden->SetVisible(false);
    idle->SetActive(false);
    log.clear();

    scene.Update(kFrame);
    RecordingRender render;
    scene.Draw(&render);
    EXPECT_EQ(log, (std::vector<std::string>{"update:hidden", "update:below", "draw:idle",
                                             "draw:idle_child"}));
}

TEST(tr_Scene, UpdateResortsByZAndDrawHonoursDrawChildrenAndCrop) {
    tr_Scene scene;
    std::vector<std::string> log;
    LoggingObject* a = new LoggingObject("a", &log);
    LoggingObject* b = new LoggingObject("b", &log);
    LoggingObject* inner = new LoggingObject("inner", &log);
    tr_Object::Attach(scene.GetDisplayRoot(), a);
    tr_Object::Attach(scene.GetDisplayRoot(), b);
    tr_Object::Attach(b, inner);
    a->SetPosZ(5.0f); // takes effect at the next update
    a->SetPosition(10.0f, 20.0f);
    a->SetCropRect(tr_Rect{0.0f, 0.0f, 50.0f, 60.0f});
    b->SetDrawChildren(false);
    scene.Update(kFrame);
    log.clear();

    RecordingRender render;
    scene.Draw(&render);
    EXPECT_EQ(log, (std::vector<std::string>{"draw:b", "draw:a"}));
    EXPECT_EQ(render.log, (std::vector<std::string>{"push", "pop"}));
    ASSERT_EQ(render.clips.size(), 1u);
    EXPECT_FLOAT_EQ(render.clips[0].x, 10.0f);
    EXPECT_FLOAT_EQ(render.clips[0].h, 60.0f);
    EXPECT_FLOAT_EQ(a->last_state.transform[12], 10.0f);
}

TEST(tr_Scene, DeletingFromInsideTheUpdateWalkIsSafe) {
    tr_Scene scene;
    tr_Object* group = new tr_Object("group");
    tr_Object::Attach(scene.GetDisplayRoot(), group);
    tr_Object* later = new tr_Object("later");
    tr_Object::Attach(scene.GetDisplayRoot(), later);

    // Deletes its own parent (and so itself) directly, mid-walk.
    ScriptedObject* vandal = new ScriptedObject("vandal", [group] { delete group; });
    ScriptedObject* sibling = new ScriptedObject("sibling", nullptr);
    tr_Object::Attach(group, vandal);
    tr_Object::Attach(group, sibling);
    // Deletes a later sibling through the scene and itself the same way.
    ScriptedObject* tidy = nullptr;
    tidy = new ScriptedObject("tidy", [&scene, &tidy, later] {
        scene.DeleteObject(later);
        scene.DeleteObject(tidy);
    });
    tr_Object::Attach(scene.GetDisplayRoot(), tidy);
    tidy->SetPosZ(-1.0f);

    scene.Update(kFrame);
    EXPECT_EQ(scene.FindObject("group"), nullptr);
    EXPECT_EQ(scene.FindObject("later"), nullptr);
    EXPECT_EQ(scene.FindObject("tidy"), nullptr);
    EXPECT_TRUE(scene.GetDisplayRoot()->GetChildren().empty());
    scene.Update(kFrame);
}

TEST(tr_Scene, DeferredDeletionHidesTheObjectUntilTheWalkEnds) {
    tr_Scene scene;
    tr_Object* victim = new tr_Object("victim");
    tr_Object* child = new tr_Object("victim_child");
    tr_Object::Attach(scene.GetDisplayRoot(), victim);
    tr_Object::Attach(victim, child);
    bool seen_during = true;
    ScriptedObject* script = new ScriptedObject("script", [&] {
        scene.DeleteObject(victim);
        seen_during = scene.FindObject("victim") || scene.FindObject("victim_child");
    });
    script->SetPosZ(-1.0f);
    tr_Object::Attach(scene.GetDisplayRoot(), script);
    scene.Update(kFrame);
    EXPECT_FALSE(seen_during);
    EXPECT_EQ(scene.GetDisplayRoot()->GetChildren(), (std::vector<tr_Object*>{script}));
}

TEST(tr_Scene, PickGivesTheEventToTheTopmostHitOnly) {
    RecordingQueue queue;
    tr_Scene scene;
    tr_Object* under = new tr_Object("under");
    tr_Object* over = new tr_Object("over");
    for (tr_Object* obj : {under, over}) {
        obj->SetInputRect(tr_Rect{0.0f, 0.0f, 100.0f, 100.0f});
        obj->SetEventCode(TR_EVENT_MDOWN, "Down");
        tr_Object::Attach(scene.GetDisplayRoot(), obj);
    }
    tr_InputEvent down;
    down.type = TR_EVENT_MOUSE_DOWN;
    down.key = TR_MOUSE_KEY;
    down.x = down.y = 50.0f;
    EXPECT_EQ(scene.DispatchInput(down), over);
    ASSERT_EQ(queue.calls.size(), 1u);
    EXPECT_EQ(queue.calls[0].first, "over");

    // A crop rectangle on the parent clips the point for the whole subtree.
    tr_Object* frame = new tr_Object("frame");
    frame->SetCropRect(tr_Rect{0.0f, 0.0f, 10.0f, 10.0f});
    tr_Object::Attach(scene.GetDisplayRoot(), frame);
    tr_Object::Attach(frame, over);
    EXPECT_EQ(scene.DispatchInput(down), under);
    over->SetInputEnabled(false);
    down.x = down.y = 5.0f;
    EXPECT_EQ(scene.DispatchInput(down), under);
}

// Deletes its parent (and itself with it) from inside the pick walk.
class SelfDestructButton : public tr_Object {
public:
    using tr_Object::tr_Object;
    bool HandleInput(tr_InputEvent& event, tr_Object* picked, const tr_DrawState& state) override {
        if (!tr_Object::HandleInput(event, picked, state))
            return false;
        delete GetParent();
        return true;
    }
};

TEST(tr_Scene, DeletingFromInsideThePickWalkIsSafe) {
    tr_Scene scene;
    tr_Object* under = new tr_Object("under");
    under->SetInputRect(tr_Rect{0.0f, 0.0f, 100.0f, 100.0f});
    tr_Object::Attach(scene.GetDisplayRoot(), under);
    tr_Object* panel = new tr_Object("panel");
    tr_Object::Attach(scene.GetDisplayRoot(), panel);
    SelfDestructButton* button = new SelfDestructButton("button");
    button->SetInputRect(tr_Rect{0.0f, 0.0f, 100.0f, 100.0f});
    tr_Object::Attach(panel, button);
    tr_Object::Attach(panel, new tr_Object("sibling"));

    tr_InputEvent down;
    down.type = TR_EVENT_MOUSE_DOWN;
    down.x = down.y = 10.0f;
    // The deleted button cannot be the picked object; the one under it can.
    EXPECT_EQ(scene.DispatchInput(down), under);
    EXPECT_EQ(scene.FindObject("panel"), nullptr);
    EXPECT_EQ(scene.GetDisplayRoot()->GetChildren(), (std::vector<tr_Object*>{under}));
}

TEST(tr_EngineCore, CreatedOnFirstUseAndDrawsBetweenBeginAndEnd) {
    tr_EngineCore* core = tr_EngineCore::Get();
    ASSERT_NE(core, nullptr);
    EXPECT_EQ(tr_EngineCore::Get(), core);
    std::vector<std::string> log;
    LoggingObject* obj = new LoggingObject("obj", &log);
    tr_Object::Attach(core->GetScene().GetDisplayRoot(), obj);
    EXPECT_TRUE(obj->AreResourcesLoaded());
    core->Update(&kFrame);
    RecordingRender render;
    core->Draw(&render);
    EXPECT_EQ(log, (std::vector<std::string>{"load:obj", "update:obj", "draw:obj"}));
    EXPECT_EQ(render.log, (std::vector<std::string>{"begin", "end"}));
    tr_EngineCore::Destroy();
    EXPECT_EQ(tr_EngineCore::GetIfCreated(), nullptr);
}

} // namespace
