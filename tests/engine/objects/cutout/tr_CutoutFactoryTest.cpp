// The factory makes the flash, complex and grid types, so module elements of
// those types keep their subtrees.
#include "engine/objects/tr_ComplexAnim.h"
#include "engine/objects/tr_FlashAnim.h"
#include "engine/objects/tr_Grid.h"
#include "engine/objects/tr_ObjectFactory.h"

#include <gtest/gtest.h>
#include <tinyxml2.h>

#include <memory>
#include <string>

TEST(CutoutFactory, ModuleElementsMakeTheTypeAndKeepTheirChildren) {
    for (const std::string type : {"flashanim", "complexanim", "grid"}) {
        tinyxml2::XMLDocument document;
        const std::string xml =
            "<" + type + " name='made' playing='1'><obj name='inside'/></" + type + ">";
        ASSERT_EQ(document.Parse(xml.c_str()), tinyxml2::XML_SUCCESS);
        std::unique_ptr<tr_Object> made(
            tr_ObjectFactory::Get().CreateFromElement(document.FirstChildElement()));
        ASSERT_NE(made, nullptr) << type;
        EXPECT_EQ(made->GetType(), type);
        ASSERT_EQ(made->GetChildren().size(), 1u) << type;
        EXPECT_EQ(made->GetChildren()[0]->GetName(), "inside");
    }
    std::unique_ptr<tr_Object> flash(tr_ObjectFactory::Get().CreateObject("flashanim", "f"));
    std::unique_ptr<tr_Object> complex(tr_ObjectFactory::Get().CreateObject("complexanim", "c"));
    std::unique_ptr<tr_Object> grid(tr_ObjectFactory::Get().CreateObject("grid", "g"));
    EXPECT_NE(dynamic_cast<tr_FlashAnim*>(flash.get()), nullptr);
    EXPECT_NE(dynamic_cast<tr_ComplexAnim*>(complex.get()), nullptr);
    EXPECT_NE(dynamic_cast<tr_Grid*>(grid.get()), nullptr);
}
