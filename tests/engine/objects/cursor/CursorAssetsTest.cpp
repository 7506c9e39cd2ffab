// The demo game's cursor art as the game registers it: every shape loads,
// the animated ones loop their "DoAnim" function, and each shows its frames.
#include "engine/core/tr_FrameInfo.h"
#include "engine/objects/tr_AnimSprite.h"
#include "engine/objects/tr_Sprite.h"
#include "engine/platform/headless/tr_Cursor_Headless.h"
#include "engine/platform/headless/tr_Render_Null.h"
#include "engine/render/tr_FrameTexture.h"
#include "engine/resources/files/tr_ResourceRegistry.h"

#include "tests/engine/resources/text/LogCapture.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

const char* const kShapes[] = {"cursor",       "cursor_magglass", "cursor_get", "cursor_hand",
                               "cursor_use",   "cursor_down",     "cursor_up",  "cursor_left",
                               "cursor_right", "cursor_finger"};

std::string ShapePath(const std::string& shape) {
    return std::string(TARROW_SOURCE_DIR) + "/assets/cursors/" + shape;
}

TEST(CursorAssets, EveryShapeLoadsWithoutComplaint) {
    LogCapture log;
    tr_ResourceRegistry registry;
    tr_Cursor_Headless cursor;
    for (const char* shape : kShapes) {
        const int index = cursor.AddShape(ShapePath(shape), 0, 0, 32512);
        const tr_CursorShape* record = cursor.GetShape(index);
        ASSERT_NE(record, nullptr);
        ASSERT_TRUE(record->object) << shape;
        const auto* sprite = dynamic_cast<const tr_Sprite*>(record->object.get());
        ASSERT_NE(sprite, nullptr) << shape;
        ASSERT_TRUE(sprite->GetTexture()) << shape;
        const tr_Rect rect = sprite->GetTexture()->GetRect(record->object->GetOwnState());
        EXPECT_FLOAT_EQ(rect.w, 32.0f) << shape;
        EXPECT_FLOAT_EQ(rect.h, 32.0f) << shape;
    }
    EXPECT_TRUE(log.lines.empty()) << log.lines.front();
}

TEST(CursorAssets, AnimatedShapesLoopThroughEveryFrameOfTheirTexture) {
    tr_ResourceRegistry registry;
    tr_Cursor_Headless cursor;
    for (const char* shape : {"cursor_magglass", "cursor_use"}) {
        const int index = cursor.AddShape(ShapePath(shape), 0, 0, 32646);
        cursor.SetCurrent(index);
        const tr_CursorShape* record = cursor.GetShape(index);
        ASSERT_TRUE(record->animated) << shape;
        const auto* sprite = static_cast<const tr_AnimSprite*>(record->object.get());
        const auto frames = std::dynamic_pointer_cast<tr_FrameTexture>(sprite->GetTexture());
        ASSERT_TRUE(frames) << shape;

        std::set<int> seen;
        tr_FrameInfo frame;
        frame.dt = 1.0f / 60.0f;
        for (int i = 0; i < 60 * 5; ++i) {
            cursor.Update(frame);
            seen.insert(sprite->GetFrame());
            ASSERT_TRUE(sprite->IsPlaying()) << shape;
        }
        EXPECT_EQ(static_cast<int>(seen.size()), frames->GetFrameCount()) << shape;
        EXPECT_GE(*seen.begin(), 0);
        EXPECT_LT(*seen.rbegin(), frames->GetFrameCount());
    }
}

} // namespace
