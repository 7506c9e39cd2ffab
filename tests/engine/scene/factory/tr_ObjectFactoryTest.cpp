// Type registration, object creation by type name and from XML elements.
#include "engine/objects/tr_ObjectFactory.h"
#include "engine/scene/tr_Object.h"

#include <gtest/gtest.h>
#include <tinyxml2.h>

#include <memory>
#include <string>

namespace {

std::unique_ptr<tr_Object> Own(tr_Object* object) {
    return std::unique_ptr<tr_Object>(object);
}

TEST(ObjectFactory, EngineTypesExistUnderTheirContentNames) {
    tr_ObjectFactory& factory = tr_ObjectFactory::Get();
    for (const char* type : {"obj", "spr", "anim", "text", "video", "timer"}) {
        auto object = Own(factory.CreateObject(type, std::string("made_") + type));
        ASSERT_NE(object, nullptr) << type;
        EXPECT_EQ(object->GetType(), type);
        EXPECT_EQ(object->GetName(), std::string("made_") + type);
    }
    EXPECT_EQ(factory.CreateObject("no_such_type", "x"), nullptr);
    EXPECT_EQ(factory.CreateObject("OBJ", "x"), nullptr);
}

TEST(ObjectFactory, RegisteringANameAgainReplacesItsCreator) {
    tr_ObjectFactory factory;
    EXPECT_FALSE(factory.IsRegistered("obj"));
    factory.RegisterType("thing", [] { return new tr_Object; });
    factory.RegisterType("thing", [] {
        auto* object = new tr_Object;
        object->SetAlpha(0.25f);
        return object;
    });
    auto object = Own(factory.CreateObject("thing", "t"));
    ASSERT_NE(object, nullptr);
    EXPECT_FLOAT_EQ(object->GetAlpha(), 0.25f);
    factory.RegisterType("thing", nullptr);
    EXPECT_FALSE(factory.IsRegistered("thing"));
}

class ObjectFactoryElementTest : public ::testing::Test {
protected:
    tinyxml2::XMLElement* Parse(const char* xml) {
        EXPECT_EQ(document.Parse(xml), tinyxml2::XML_SUCCESS);
        return document.FirstChildElement();
    }
    tinyxml2::XMLDocument document{true, tinyxml2::PRESERVE_WHITESPACE};
};

TEST_F(ObjectFactoryElementTest, AttributesLoadAndChildrenFollowDocumentOrder) {
    auto root = Own(tr_ObjectFactory::Get().CreateFromElement(
        Parse("<obj name='top' pos_x='12.5' pos_y='-3'>"
              "<spr name='first'/><obj name='second'><timer name='deep'/></obj></obj>")));
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetName(), "top");
    EXPECT_FLOAT_EQ(root->GetPosX(), 12.5f);
    EXPECT_FLOAT_EQ(root->GetPosY(), -3.0f);
    ASSERT_EQ(root->GetChildren().size(), 2u);
    EXPECT_EQ(root->GetChildren()[0]->GetName(), "first");
    EXPECT_EQ(root->GetChildren()[0]->GetType(), "spr");
    tr_Object* second = root->GetChildren()[1];
    EXPECT_EQ(second->GetParent(), root.get());
    ASSERT_EQ(second->GetChildren().size(), 1u);
    EXPECT_EQ(second->GetChildren()[0]->GetType(), "timer");
}

TEST_F(ObjectFactoryElementTest, UnknownTypeDropsItsSubtreeButNotItsSiblings) {
    auto root = Own(tr_ObjectFactory::Get().CreateFromElement(
        Parse("<obj name='top'><obj name='before'/>"
              "<mystery name='lost'><obj name='lost_child'/></mystery>"
              "<obj name='after'/></obj>")));
    ASSERT_NE(root, nullptr);
    ASSERT_EQ(root->GetChildren().size(), 2u);
    EXPECT_EQ(root->GetChildren()[0]->GetName(), "before");
    EXPECT_EQ(root->GetChildren()[1]->GetName(), "after");
    EXPECT_EQ(tr_Object::FindChild(root.get(), "lost_child", true), nullptr);

    EXPECT_EQ(tr_ObjectFactory::Get().CreateFromElement(Parse("<mystery name='x'/>")), nullptr);
    EXPECT_EQ(tr_ObjectFactory::Get().CreateFromElement(nullptr), nullptr);
}

} // namespace
