#include "game/level/tp_Room.h"
#include "game/level/tp_SubRoom.h"
#include "game/level/tp_TreeRender.h"

#include "LevelTestSupport.h"

#include "engine/resources/files/tr_ResourceRegistry.h"
#include "engine/resources/images/tr_PngWriter.h"
#include "engine/scene/tr_ObjectRef.h"
#include "engine/scene/tr_SceneTraversal.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <unistd.h>

namespace {

class RoomTest : public LevelTestBase {
protected:
    // A room showing a 1024 x 768 picture, as if its resources were loaded.
    std::unique_ptr<tp_Room> MakeRoom() {
        auto room = std::make_unique<tp_Room>("hall");
        picture = Picture(1024, 768);
        room->SetTexture(picture);
        room->SetInputRect(picture->GetRect(room->GetOwnState()));
        room->SetTriggers("hall_open", "hall_close", "hall_preopen", "hall_preclose");
        return room;
    }

    // One frame as the scene runs it: draw, then update by dt.
    static void Frame(tr_Object& room, tr_Render* render, float dt) {
        render->BeginDraw();
        room.Draw(render, tr_DrawState());
        render->EndDraw();
        tr_FrameInfo frame;
        frame.dt = dt;
        room.Update(frame);
    }

    static void Step(tr_Object& room, float dt) {
        tr_FrameInfo frame;
        frame.dt = dt;
        room.Update(frame);
    }

    std::shared_ptr<tr_GeneratedTexture> picture;
};

TEST_F(RoomTest, OpenAndCloseWithoutAnimationRunTheirTriggersAtOnce) {
    auto room = MakeRoom();
    EXPECT_EQ(room->GetRoomState(), tp_Room::STATE_CLOSED); // new rooms start hidden
    EXPECT_FLOAT_EQ(room->GetAlpha(), 0.0f);
    EXPECT_FALSE(room->IsInputEnabled());
    room->Open(false);
    EXPECT_EQ(room->GetRoomState(), tp_Room::STATE_OPEN);
    EXPECT_FLOAT_EQ(room->GetAlpha(), 1.0f);
    EXPECT_TRUE(room->IsInputEnabled());
    EXPECT_TRUE(room->GetUpdateChildren());
    EXPECT_FALSE(room->GetSnapshot());

    room->Close(false);
    EXPECT_EQ(room->GetRoomState(), tp_Room::STATE_CLOSED);
    EXPECT_FLOAT_EQ(room->GetAlpha(), 0.0f);
    EXPECT_FALSE(room->IsInputEnabled());
    EXPECT_EQ(QueuedBy("hall"), (std::vector<std::string>{"hall_preopen", "hall_open",
                                                          "hall_preclose", "hall_close"}));
}

TEST_F(RoomTest, AnimatedOpeningCrossFadesTheSnapshotForSixTenthsOfASecondAfterTheFirstDraw) {
    auto room = MakeRoom();
    room->Open(true);
    EXPECT_EQ(room->GetRoomState(), tp_Room::STATE_OPENING);
    EXPECT_FLOAT_EQ(room->GetAlpha(), 0.0f);
    EXPECT_FALSE(room->IsInputEnabled());
    ASSERT_TRUE(room->GetSnapshot());
    // Taken at the layout width, so the wide margins are in the picture.
    EXPECT_FLOAT_EQ(room->GetSnapshot()->GetWidth(), 1366.0f);
    EXPECT_FLOAT_EQ(room->GetSnapshot()->GetHeight(), 768.0f);
    EXPECT_FALSE(room->WasDrawnSinceOpen()); // the snapshot is no frame on screen

    Step(*room, 1.0f); // never drawn: the clock stands still
    EXPECT_FLOAT_EQ(room->GetTransitionTime(), 0.0f);

    render.SetRecording(true);
    for (int i = 0; i < 5; ++i)
        Frame(*room, &render, 0.1f);
    EXPECT_EQ(room->GetRoomState(), tp_Room::STATE_OPENING);
    EXPECT_EQ(QueuedBy("hall"), std::vector<std::string>{"hall_preopen"});
    // Every draw showed the snapshot, faded in by the time spent so far.
    const auto& draws = render.GetRecordedDraws();
    ASSERT_EQ(draws.size(), 5u);
    EXPECT_EQ(draws[0].texture, room->GetSnapshot().get());
    EXPECT_FLOAT_EQ(draws[0].state.alpha, 0.0f);
    EXPECT_NEAR(draws[4].state.alpha, 0.4f / 0.6f, 1e-5f);

    Frame(*room, &render, 0.1f);
    EXPECT_EQ(room->GetRoomState(), tp_Room::STATE_OPEN);
    EXPECT_FALSE(room->GetSnapshot());
    EXPECT_FLOAT_EQ(room->GetAlpha(), 1.0f);
    EXPECT_EQ(QueuedBy("hall"), (std::vector<std::string>{"hall_preopen", "hall_open"}));
    Frame(*room, &render, 0.0f);
    EXPECT_EQ(draws.back().texture, picture.get());
}

TEST_F(RoomTest, CloseRightAfterAnAnimatedOpenRestartsTheClockAtTheNextDraw) {
    auto room = MakeRoom();
    room->Open(true);
    room->Close(true);
    EXPECT_EQ(room->GetRoomState(), tp_Room::STATE_CLOSING);
    EXPECT_FALSE(room->GetUpdateChildren());
    Step(*room, 0.5f);
    EXPECT_FLOAT_EQ(room->GetTransitionTime(), 0.0f);

    for (int i = 0; i < 5; ++i)
        Frame(*room, &render, 0.1f);
    EXPECT_EQ(room->GetRoomState(), tp_Room::STATE_CLOSING);
    Frame(*room, &render, 0.1f);
    EXPECT_EQ(room->GetRoomState(), tp_Room::STATE_CLOSED);
    EXPECT_FLOAT_EQ(room->GetAlpha(), 0.0f);
    EXPECT_EQ(QueuedBy("hall"),
              (std::vector<std::string>{"hall_preopen", "hall_preclose", "hall_close"}));
}

TEST_F(RoomTest, ARoomWithoutPictureStillRunsItsTransitions) {
    tp_Room room("bare");
    room.Open(true);
    EXPECT_FALSE(room.GetSnapshot());
    render.SetRecording(true);
    for (int i = 0; i < 6; ++i)
        Frame(room, &render, 0.1f);
    EXPECT_EQ(room.GetRoomState(), tp_Room::STATE_OPEN);
    EXPECT_TRUE(render.GetRecordedDraws().empty());
}

TEST_F(RoomTest, AttributesFollowTheSpriteKeysInOrder) {
    MapHelper in;
    in.values = {{"trg_open", "a"},     {"trg_close", "b"}, {"trg_preopen", "c"},
                 {"trg_preclose", "d"}, {"start_x", "10"},  {"start_y", "20"},
                 {"end_x", "30"},       {"end_y", "40"},    {"pos_x", "5"}};
    tp_SubRoom sub;
    sub.Load(in);
    EXPECT_EQ(sub.GetOpenTrigger(), "a");
    EXPECT_EQ(sub.GetCloseTrigger(), "b");
    EXPECT_EQ(sub.GetPreOpenTrigger(), "c");
    EXPECT_EQ(sub.GetPreCloseTrigger(), "d");
    EXPECT_EQ(sub.GetStartX(), 10);
    EXPECT_EQ(sub.GetEndY(), 40);
    EXPECT_FLOAT_EQ(sub.GetPosX(), 5.0f);

    MapHelper out;
    sub.Save(out);
    const std::vector<std::string> tail{"trg_open", "trg_close", "trg_preopen", "trg_preclose",
                                        "start_x",  "start_y",   "end_x",       "end_y"};
    ASSERT_GT(out.keys.size(), tail.size());
    EXPECT_EQ(std::vector<std::string>(out.keys.end() - tail.size(), out.keys.end()), tail);
    EXPECT_EQ(out.keys.front(), "name");
    EXPECT_EQ(out.values["end_x"], "30");
    EXPECT_EQ(out.values["trg_preclose"], "d");
}

class SubRoomTest : public RoomTest {
protected:
    std::unique_ptr<tp_SubRoom> MakeSubRoom() {
        auto sub = std::make_unique<tp_SubRoom>("desk");
        picture = Picture(300, 200);
        sub->SetTexture(picture);
        sub->SetInputRect(tr_Rect{-150.0f, -100.0f, 300.7f, 200.5f});
        return sub;
    }

    // Expected zoom value between a and b at t, from the ease-in curve.
    static float Along(float a, float b, float t) {
        const double eased = std::sin(t * 3.141592 / 2 - 3.141592 / 2) + 1;
        return static_cast<float>(a + (b - a) * eased);
    }

    void ExpectTransform(const tr_MediatorDataTable& t, float x, float y, float size) {
        EXPECT_NEAR(Float(t, "pos_x"), x, 1e-3f);
        EXPECT_NEAR(Float(t, "pos_y"), y, 1e-3f);
        EXPECT_NEAR(Float(t, "scale"), size, 1e-5f);
        EXPECT_NEAR(Float(t, "alpha"), size, 1e-5f);
    }
};

TEST_F(SubRoomTest, EaseInCurveStartsSlowAndEndsExactly) {
    EXPECT_FLOAT_EQ(tp_SubRoom::EaseIn(0.0f), 0.0f);
    EXPECT_FLOAT_EQ(tp_SubRoom::EaseIn(1.0f), 1.0f);
    EXPECT_NEAR(tp_SubRoom::EaseIn(0.5f), 1.0f - std::sqrt(0.5f), 1e-6f);
    EXPECT_LT(tp_SubRoom::EaseIn(0.25f), 0.25f);
    EXPECT_FLOAT_EQ(tp_SubRoom::EaseLerp(100.0f, 500.0f, 1.0f), 500.0f);
}

TEST_F(SubRoomTest, StartZoomAnnouncesTheSizeAndOpensAlongTheEasedPath) {
    auto sub = MakeSubRoom();
    sub->StartZoom(100, 200, 500, 400, true);
    const auto shows = app.Heard(Command_FrameSubroom_Show);
    ASSERT_EQ(shows.size(), 1u);
    EXPECT_EQ(shows[0].Find("width")->GetType(), tr_MediatorData::TYPE_INT);
    EXPECT_EQ(shows[0].Find("width")->GetInt(), 300); // truncated
    EXPECT_FLOAT_EQ(Float(shows[0], "height"), 200.5f);
    EXPECT_EQ(sub->GetRoomState(), tp_Room::STATE_OPENING);
    ASSERT_TRUE(sub->GetSnapshot());
    EXPECT_FLOAT_EQ(sub->GetSnapshot()->GetHeight(), 200.0f);
    EXPECT_FALSE(sub->GetDrawChildren());

    // t = 0: nothing moves and nothing is announced.
    app.heard.clear();
    Step(*sub, 0.0f);
    Frame(*sub, &render, 0.0f); // drawn, so its clock runs, but still at 0
    EXPECT_TRUE(sub->WasDrawnSinceOpen());
    EXPECT_FLOAT_EQ(sub->GetScaleX(), 0.0f);
    EXPECT_TRUE(app.Heard(SubRoomTransform).empty());

    // t = 0.5.
    Frame(*sub, &render, 0.3f);
    auto moves = app.Heard(SubRoomTransform);
    ASSERT_EQ(moves.size(), 1u);
    ExpectTransform(moves[0], Along(100, 500, 0.5f), Along(200, 400, 0.5f), Along(0, 1, 0.5f));
    EXPECT_NEAR(sub->GetPosX(), Along(100, 500, 0.5f), 1e-3f);
    EXPECT_NEAR(sub->GetScaleY(), Along(0, 1, 0.5f), 1e-5f);

    // t = 1: open, sitting at the end point at full size.
    Frame(*sub, &render, 0.3f);
    EXPECT_EQ(sub->GetRoomState(), tp_Room::STATE_OPEN);
    moves = app.Heard(SubRoomTransform);
    ASSERT_EQ(moves.size(), 2u);
    ExpectTransform(moves[1], 500.0f, 400.0f, 1.0f);
    EXPECT_TRUE(sub->GetDrawChildren());
    EXPECT_FALSE(sub->GetSnapshot());
}

TEST_F(SubRoomTest, AnimatedCloseShrinksBackTowardsTheStartAndEndsHiddenAtTheEnd) {
    auto sub = MakeSubRoom();
    sub->StartZoom(100, 200, 500, 400, false);
    EXPECT_EQ(sub->GetRoomState(), tp_Room::STATE_OPEN);
    app.heard.clear();

    sub->Close(true);
    ASSERT_TRUE(sub->GetSnapshot());
    EXPECT_EQ(sub->GetRoomState(), tp_Room::STATE_CLOSING);
    render.SetRecording(true);
    Frame(*sub, &render, 0.3f);
    // Only the snapshot is drawn while closing.
    ASSERT_FALSE(render.GetRecordedDraws().empty());
    EXPECT_EQ(render.GetRecordedDraws().back().texture, sub->GetSnapshot().get());
    auto moves = app.Heard(SubRoomTransform);
    ASSERT_EQ(moves.size(), 1u);
    ExpectTransform(moves[0], Along(100, 500, 0.5f), Along(200, 400, 0.5f), Along(0, 1, 0.5f));

    Frame(*sub, &render, 0.2f);
    EXPECT_LT(sub->GetPosX(), Along(100, 500, 0.5f)); // heading for the start point
    Frame(*sub, &render, 0.1f);
    EXPECT_EQ(sub->GetRoomState(), tp_Room::STATE_CLOSED);
    moves = app.Heard(SubRoomTransform);
    ExpectTransform(moves.back(), 500.0f, 400.0f, 0.0f);
    EXPECT_FALSE(sub->GetSnapshot());
}

TEST_F(SubRoomTest, CloseWithoutAnimationTakesNoSnapshot) {
    auto sub = MakeSubRoom();
    sub->StartZoom(1, 2, 3, 4, false);
    const int draws_before = render.GetDrawCount();
    sub->Close(false);
    EXPECT_EQ(sub->GetRoomState(), tp_Room::STATE_CLOSED);
    EXPECT_FALSE(sub->GetSnapshot());
    EXPECT_EQ(render.GetDrawCount(), draws_before);
}

TEST_F(SubRoomTest, ZoomWithAllCoordinatesZeroKeepsTheLoadedOnes) {
    auto sub = MakeSubRoom();
    MapHelper in;
    in.values = {{"start_x", "7"}, {"start_y", "8"}, {"end_x", "70"}, {"end_y", "80"}};
    sub->Load(in);
    sub->StartZoom(0, 0, 0, 0, false);
    EXPECT_EQ(sub->GetStartX(), 7);
    EXPECT_FLOAT_EQ(sub->GetPosX(), 70.0f);
    EXPECT_FLOAT_EQ(sub->GetPosY(), 80.0f);

    sub->StartZoom(0, 0, 0, 5, false); // one non-zero value replaces all four
    EXPECT_EQ(sub->GetStartX(), 0);
    EXPECT_FLOAT_EQ(sub->GetPosY(), 5.0f);
}

// Deletes the sub-room that announces itself, as a frame widget's script
// could while handling the announcement.
class DeletingListener : public tr_Listener {
public:
    explicit DeletingListener(tr_Object* target) : target_(target) {
        tr_Mediator::Get()->Subscribe(Command_FrameSubroom_Show, this);
    }
    void OnMessage(int, tr_MediatorDataTable&) override {
        tr_SceneTraversal::DeleteLater(target_.Get());
    }

private:
    tr_ObjectRef target_;
};

TEST_F(SubRoomTest, SubRoomDeletedByItsOwnAnnouncementIsLeftAlone) {
    tp_SubRoom* sub = MakeSubRoom().release();
    tr_ObjectRef alive(sub);
    DeletingListener deleter(sub);
    sub->StartZoom(1, 2, 3, 4, true);
    EXPECT_FALSE(alive);
    EXPECT_TRUE(QueuedBy("desk").empty()); // it never opened
}

TEST_F(SubRoomTest, LoadedPictureBecomesTheCropRectangle) {
    const std::string base = ::testing::TempDir() + "tp_subroom_" + std::to_string(getpid());
    std::vector<uint32_t> pixels(40 * 30, 0xFF336699u);
    ASSERT_TRUE(tr_PngWriter::Write(base + ".png", pixels.data(), 40, 30));
    tr_ResourceRegistry registry;
    tp_SubRoom sub("lid");
    sub.SetRes(base);
    sub.LoadResources();
    std::remove((base + ".png").c_str());
    ASSERT_TRUE(sub.GetTexture());
    ASSERT_TRUE(sub.IsCropRectDefined());
    EXPECT_FLOAT_EQ(sub.GetCropRect().x, -20.0f);
    EXPECT_FLOAT_EQ(sub.GetCropRect().y, -15.0f);
    EXPECT_FLOAT_EQ(sub.GetCropRect().w, 40.0f);
    EXPECT_FLOAT_EQ(sub.GetCropRect().h, 30.0f);

    tp_Room room("plain"); // a room keeps no crop rectangle
    room.SetRes(base);
    room.LoadResources();
    EXPECT_FALSE(room.IsCropRectDefined());
}

} // namespace

TEST(tp_PixelSize, ContentSizesBecomeDefinedPictureSizes) {
    EXPECT_EQ(tp_PixelSize(640.7f), 640);
    EXPECT_EQ(tp_PixelSize(0.0f), 0);
    EXPECT_EQ(tp_PixelSize(-20.0f), 0);
    EXPECT_EQ(tp_PixelSize(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(tp_PixelSize(1e30f), 16384);
    EXPECT_EQ(tp_PixelSize(std::numeric_limits<float>::infinity()), 16384);
}
