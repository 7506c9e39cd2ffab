#include "engine/render/tr_VertexList.h"
#include "engine/render/tr_IndexList.h"

#include <gtest/gtest.h>

namespace {

TEST(VertexListTest, WritesStopAtCapacityAndNeedABuffer) {
    tr_VertexList list;
    list.AddVertex(1, 2, 0, 0, 1, 1, 1, 1);
    EXPECT_EQ(list.GetCount(), 0); // no buffer yet
    ASSERT_TRUE(list.Create(3));
    EXPECT_FALSE(list.Create(10)); // only once
    EXPECT_EQ(list.GetCapacity(), 3);
    for (int i = 0; i < 5; ++i)
        list.AddVertex(static_cast<float>(i), 0, 0.5f, 0.25f, 1.0f, 0.0f, 0.0f, 0.5f);
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_TRUE(list.IsLocked());
    const tr_Vertex& last = list.GetElements().back();
    EXPECT_FLOAT_EQ(last.x, 2.0f);
    EXPECT_FLOAT_EQ(last.z, 0.0f);
    EXPECT_EQ(last.color, 0x80FF0000u);
    EXPECT_FLOAT_EQ(last.v, 0.25f);
    list.Unlock();
    EXPECT_FALSE(list.IsLocked());
}

TEST(VertexListTest, ZeroCapacityLeavesTheListWithoutBuffer) {
    tr_IndexList list;
    EXPECT_FALSE(list.Create(0));
    EXPECT_FALSE(list.HasBuffer());
    list.AddIndex(7);
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(VertexListTest, RegistryRecreatesBuffersFromShadowCopies) {
    const size_t before = tr_IndexList::LiveCount();
    {
        tr_IndexList indices;
        ASSERT_TRUE(indices.Create(4));
        indices.AddIndex(1);
        indices.AddIndex(2);
        EXPECT_EQ(tr_IndexList::LiveCount(), before + 1);
        tr_IndexList::ReleaseAll();
        EXPECT_FALSE(indices.HasBuffer());
        indices.AddIndex(3); // ignored without buffer
        tr_IndexList::RecreateAll();
        EXPECT_TRUE(indices.HasBuffer());
        EXPECT_EQ(indices.GetCount(), 2);
        EXPECT_FALSE(indices.IsLocked());
        indices.AddIndex(3);
        EXPECT_EQ(indices.GetElements().back(), 3);
    }
    EXPECT_EQ(tr_IndexList::LiveCount(), before);
}

} // namespace
