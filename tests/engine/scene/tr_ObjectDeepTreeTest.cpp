// Trees that content could make hostile: chains deeper than every walk can
// afford are refused at attach time with a log line, and thousands of
// siblings with any z values (not-a-number included) end up sorted.
#include "engine/core/tr_FrameInfo.h"
#include "engine/core/tr_InputEvent.h"
#include "engine/scene/tr_Object.h"
#include "engine/scene/tr_Scene.h"

#include "tests/engine/resources/text/LogCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

namespace {

// A chain of 20,000 objects, each asked to go under the previous one: once
// at the depth limit the rest are refused, and the whole scene still
// updates, draws, picks and deletes without overflowing the stack.
TEST(tr_ObjectDeepTree, ChainsStopAtTheDepthLimitAndStillWalkAndDelete) {
    LogCapture log;
    tr_Scene scene;
    tr_Object* top = new tr_Object("link0");
    tr_Object::Attach(scene.GetDisplayRoot(), top);
    tr_Object* last = top;
    int refused = 0;
    for (int i = 1; i < 20000; ++i) {
        tr_Object* link = new tr_Object("link" + std::to_string(i));
        tr_Object::Attach(last, link);
        if (link->GetParent() == last) {
            last = link;
        } else {
            ++refused;
            delete link;
        }
    }
    // The display root is level 1, so the chain holds kMaxTreeDepth - 1 links.
    EXPECT_EQ(refused, 20000 - (tr_Object::kMaxTreeDepth - 1));
    EXPECT_EQ(log.CountStartingWith("Error: object link999 not attached to link998: the tree "
                                    "would be more than 1000 levels deep"),
              1);
    EXPECT_TRUE(last->AreResourcesLoaded());

    // A subtree that would reach too deep as a whole is refused too, and
    // stays where it was.
    tr_Object* branch = new tr_Object("branch");
    tr_Object::AddChild(branch, new tr_Object("leaf"));
    tr_Object::Attach(last->GetParent(), branch);
    EXPECT_EQ(branch->GetParent(), nullptr);
    delete branch;

    scene.Update(tr_FrameInfo{0.1f, 0.1f, 0.0f});
    tr_InputEvent click{};
    click.type = TR_EVENT_MOUSE_DOWN;
    scene.DispatchInput(click);
    delete top;
    EXPECT_TRUE(scene.GetDisplayRoot()->GetChildren().empty());
}

// Children sort by ascending z with equal z in attach order; a z that is
// not a number sorts first. Expected orders are built from (z rank, attach
// index) pairs, independently of the sort under test.
TEST(tr_ObjectDeepTree, ThousandsOfSiblingsSortByZStably) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::vector<float> random_z;
    uint32_t state = 12345;
    for (int i = 0; i < 5000; ++i) {
        state = state * 1103515245u + 12345u;
        random_z.push_back(static_cast<float>((state >> 16) % 50)); // many ties
    }
    std::vector<float> descending;
    for (int i = 0; i < 3000; ++i)
        descending.push_back(static_cast<float>(3000 - i));
    const std::vector<std::vector<float>> cases = {
        random_z, descending, {2, 1, nan, 1, -5, nan, 2}, {0, 0, 0, -1}};
    for (const std::vector<float>& zs : cases) {
        SCOPED_TRACE(zs.size());
        tr_Object parent("parent");
        std::vector<std::tuple<int, float, int>> expected;
        for (size_t i = 0; i < zs.size(); ++i) {
            tr_Object* child = new tr_Object("c" + std::to_string(i));
            child->SetPosZ(zs[i]);
            tr_Object::AddChild(&parent, child);
            expected.emplace_back(std::isnan(zs[i]) ? 0 : 1, std::isnan(zs[i]) ? 0 : zs[i],
                                  static_cast<int>(i));
        }
        std::sort(expected.begin(), expected.end());
        const std::vector<tr_Object*>& children = parent.GetChildren();
        ASSERT_EQ(children.size(), zs.size());
        for (size_t i = 0; i < children.size(); ++i)
            ASSERT_EQ(children[i]->GetName(), "c" + std::to_string(std::get<2>(expected[i])))
                << "at " << i;

        // Every child's z changed at once (a script shuffling the layer).
        for (size_t i = 0; i < children.size(); ++i)
            children[i]->SetPosZ(-static_cast<float>(i % 7));
        parent.SortChildren();
        EXPECT_TRUE(std::is_sorted(
            children.begin(), children.end(),
            [](const tr_Object* a, const tr_Object* b) { return a->GetPosZ() < b->GetPosZ(); }));
    }
}

// Attaching puts the list in the order a stable sort by z of the list with
// the new child last would give, also after children's z changed since the
// last sort (a script moving a layer, a loaded z). Steps: {z, -1} attaches
// a child of z, {z, i} gives child i (attach order) z without re-sorting.
TEST(tr_ObjectDeepTree, AttachAfterZChangesKeepsTheStableSortOrder) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::vector<std::vector<std::pair<float, int>>> cases = {
        {{1, -1}, {0, -1}, {1, -1}, {0, -1}, {1, -1}},
        {{3, -1}, {2, -1}, {1, -1}, {0, -1}},
        {{0, -1}, {0, -1}, {0, -1}, {5, 0}, {0, -1}, {-1, -1}},
        {{1, -1}, {2, -1}, {3, -1}, {9, 0}, {-9, 2}, {2, -1}, {2, -1}},
        {{nan, -1}, {1, -1}, {nan, -1}, {1, 0}, {nan, 1}, {0, -1}, {nan, -1}},
        {{2, -1}, {2, -1}, {2, 1}, {1, 0}, {2, -1}, {1, 1}, {1, -1}},
    };
    for (size_t c = 0; c < cases.size(); ++c) {
        SCOPED_TRACE(c);
        tr_Object parent("parent");
        std::vector<tr_Object*> attached;
        std::vector<tr_Object*> model;
        for (const auto& [z, target] : cases[c]) {
            if (target >= 0) {
                attached[static_cast<size_t>(target)]->SetPosZ(z);
                continue;
            }
            tr_Object* child = new tr_Object("c" + std::to_string(attached.size()));
            child->SetPosZ(z);
            tr_Object::AddChild(&parent, child);
            attached.push_back(child);
            model.push_back(child);
            std::stable_sort(
                model.begin(), model.end(), [](const tr_Object* a, const tr_Object* b) {
                    const float za = a->GetPosZ();
                    const float zb = b->GetPosZ();
                    return std::isnan(za) ? !std::isnan(zb) : !std::isnan(zb) && za < zb;
                });
            ASSERT_EQ(parent.GetChildren(), model) << "after attaching " << child->GetName();
        }
    }
}

// Logs its name when it dies.
class DyingObject : public tr_Object {
public:
    DyingObject(const std::string& name, std::vector<std::string>* log)
        : tr_Object(name), log_(log) {}
    ~DyingObject() override { log_->push_back(GetName()); }

private:
    std::vector<std::string>* log_;
};

// Children die first to last whether their parent deletes them or dies
// itself.
TEST(tr_ObjectDeepTree, ChildrenAreDeletedInListOrder) {
    std::vector<std::string> log;
    tr_Object* parent = new tr_Object("parent");
    for (const char* name : {"a", "b", "c"})
        tr_Object::AddChild(parent, new DyingObject(name, &log));
    tr_Object::DeleteChildren(parent);
    EXPECT_TRUE(parent->GetChildren().empty());
    for (const char* name : {"d", "e"})
        tr_Object::AddChild(parent, new DyingObject(name, &log));
    delete parent;
    EXPECT_EQ(log, (std::vector<std::string>{"a", "b", "c", "d", "e"}));
}

} // namespace
