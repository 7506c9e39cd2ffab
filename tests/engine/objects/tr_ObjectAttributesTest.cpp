// The attribute names of factory types, asked of the classes themselves:
// shared base attributes, each type's own, those read only under a flag,
// and none of the informational values or another type's.
#include "engine/objects/tr_ObjectAttributes.h"
#include "engine/objects/tr_ObjectFactory.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct AttributeCase {
    const char* type;
    std::vector<const char*> present;
    std::vector<const char*> absent;
};

TEST(ObjectAttributesTest, EachTypeListsWhatItReads) {
    const AttributeCase cases[] = {
        {"obj",
         {"name", "pos_x", "ang", "alp", "event_mdown", "event_dragdrop", "res", "inputrect_x",
          "croprect_h"},
         {"draw_width", "fontsize", "animfunc"}},
        {"spr", {"pos_x", "res", "event_mup"}, {"draw_height", "pos_xx", "angle"}},
        {"anim", {"animfunc", "endtrig", "frame", "playing", "pos_y"}, {"fontsize"}},
        {"text", {"fontsize", "shadow_aplha", "disprawtext", "text", "pos_x"}, {"animfunc"}},
        {"video", {"looped", "endtrig", "res"}, {"animfunc"}},
    };
    const tr_ObjectFactory& factory = tr_ObjectFactory::Get();
    for (const AttributeCase& c : cases) {
        const std::vector<std::string> names = tr_ObjectAttributes::Of(factory, c.type);
        EXPECT_TRUE(std::is_sorted(names.begin(), names.end())) << c.type;
        EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end()) << c.type;
        for (const char* name : c.present)
            EXPECT_TRUE(std::binary_search(names.begin(), names.end(), name))
                << c.type << " lacks " << name;
        for (const char* name : c.absent)
            EXPECT_FALSE(std::binary_search(names.begin(), names.end(), name))
                << c.type << " has " << name;
    }
    EXPECT_TRUE(tr_ObjectAttributes::Of(factory, "sprite").empty());
}

TEST(ObjectAttributesTest, TypeNamesAreTheRegisteredOnes) {
    tr_ObjectFactory factory;
    EXPECT_TRUE(factory.TypeNames().empty());
    factory.RegisterType("zeta", [] { return nullptr; });
    factory.RegisterType("alpha", [] { return nullptr; });
    EXPECT_EQ(factory.TypeNames(), (std::vector<std::string>{"alpha", "zeta"}));
    // A type whose creator makes nothing has no attributes.
    EXPECT_TRUE(tr_ObjectAttributes::Of(factory, "alpha").empty());
}

TEST(ObjectAttributesTest, CallCodeAttributes) {
    const std::pair<const char*, bool> cases[] = {
        {"event_mdown", true}, {"event_menter_drag", true}, {"trg_open", true},
        {"trg_enter", true},   {"endtrig", true},           {"pos_x", false},
        {"text", false},       {"eventmdown", false},       {"endtrigger", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tr_ObjectAttributes::HoldsCallCode(c.first), c.second) << c.first;
}

} // namespace
