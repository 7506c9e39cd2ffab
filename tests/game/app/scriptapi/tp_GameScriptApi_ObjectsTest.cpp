// Positions in design units and other objects' spaces, the cursor through
// the application's transform, and SendMessage carrying tables both ways.
#include "GameScriptApiFixture.h"

#include "engine/core/tr_MediatorDataArray.h"
#include "engine/platform/headless/tr_Cursor_Headless.h"
#include "engine/render/tr_Matrix.h"
#include "game/app/tp_DisplayMode.h"
#include "game/app/tp_DisplayModeSelection.h"
#include "game/app/tp_Layout.h"
#include "game/core/tp_Messages.h"

namespace {

// Answers AppGetMatrix the way the application does: sixteen floats.
class MatrixApp : public Listener {
public:
    explicit MatrixApp(const tr_Matrix& matrix)
        : Listener({AppGetMatrix}, [matrix](int, tr_MediatorDataTable& data) {
              tr_MediatorDataArray* numbers = data.AddArray("matrix");
              for (float value : matrix.m)
                  numbers->AddFloat(value);
          }) {}
};

class ObjectScriptTest : public GameScriptApiTest {
protected:
    void TearDown() override {
        tp_DisplayMode::SetCurrent(tp_DisplayMode());
        GameScriptApiTest::TearDown();
    }
    // "x,y" of a {x, y} result, or "none" when the call returned nothing.
    std::string Point(const std::string& call) {
        return Eval("(function(p) return p and (p[1] .. ',' .. p[2]) or 'none' end)(" + call + ")");
    }
};

} // namespace

TEST_F(ObjectScriptTest, GetObjPosByObjMeasuresInTheReferenceSpace) {
    tr_Object* table = Add("table");
    table->SetPosition(100.0f, 50.0f);
    table->SetScale(2.0f, 2.0f);
    tr_Object* cup = Add("cup", table);
    cup->SetPosition(10.0f, 20.0f);
    tr_Object* shelf = Add("shelf");
    shelf->SetPosition(20.0f, 30.0f);

    EXPECT_EQ(Point("GetObjPosByObj('cup', 'table')"), "10,20");
    EXPECT_EQ(Point("GetObjPosByObj('cup', 'shelf')"), "100,60");
    EXPECT_EQ(Point("GetObjPosByObj('cup', 'nobody')"), "120,90"); // pixels

    // No reference: design units through the application's transform.
    MatrixApp app(tr_MakeTransform(40.0f, 10.0f, 0.0f, 0.5f, 0.5f));
    EXPECT_EQ(Point("GetObjPosByObj('cup')"), "160,160");
    EXPECT_EQ(Point("GetObjPosByObj('cup', '')"), "160,160");

    EXPECT_EQ(Point("GetObjPosByObj('nobody', 'table')"), "none");
    EXPECT_EQ(Eval("select('#', GetObjPosByObj('nobody'))"), "0");
}

TEST_F(ObjectScriptTest, GetObjPosByObjAgainstACollapsedReferenceReturnsNothing) {
    Add("closed_subroom")->SetScale(0.0f, 0.0f);
    Add("item")->SetPosition(5.0f, 5.0f);
    EXPECT_EQ(Eval("select('#', GetObjPosByObj('item', 'closed_subroom'))"), "0");
    // Only the reference must be invertible: a collapsed object still has a position.
    EXPECT_EQ(Point("GetObjPosByObj('closed_subroom', 'item')"), "-5,-5");
}

TEST_F(ObjectScriptTest, GameCursorPosIsTheCursorInDesignUnits) {
    tr_Cursor_Headless cursor;
    // 1920x1080 full screen: scale 1.40625, the design area 240 pixels in.
    tp_DisplayModeSelection::Desktop desktop;
    desktop.known = true;
    desktop.width = 1920;
    desktop.height = 1080;
    desktop.monitor_ratio = 16.0f / 9.0f;
    const tp_DisplayMode mode = tp_DisplayModeSelection::Choose(true, true, desktop);
    ASSERT_FLOAT_EQ(mode.offset_x, 240.0f);

    cursor.SetPosition(240 + 45, 1080 / 2);
    {
        MatrixApp app(tp_Layout::Transform(mode));
        EXPECT_NEAR(Number("GetGameCursorPos()[1]"), 32.0, 1e-3);
        EXPECT_NEAR(Number("GetGameCursorPos()[2]"), 384.0, 1e-3);
    }
    // Without an answer the current display mode places the design space.
    tp_DisplayMode::SetCurrent(mode);
    cursor.SetPosition(240 + 1440, 0);
    EXPECT_NEAR(Number("GetGameCursorPos()[1]"), 1024.0, 1e-3);
    EXPECT_NEAR(Number("GetGameCursorPos()[2]"), 0.0, 1e-3);

    // A transform that cannot be inverted leaves the pixels as they are.
    MatrixApp collapsed(tr_Matrix::Scale(0.0f, 0.0f));
    EXPECT_EQ(Point("GetGameCursorPos()"), "1680,0");
}

TEST_F(ObjectScriptTest, SendMessageCarriesTheTableAndBringsRepliesBack) {
    Listener app({AppGetWidth},
                 [](int, tr_MediatorDataTable& data) { data.SetFloat("width", 1366.0f); });
    EXPECT_EQ(Eval("SendMessage(7).width"), "1366");
    EXPECT_EQ(Eval("SendMessage(7.2, {width = 5}).width"), "1366"); // the number rounds

    Listener widget({Command_Inventory_AddObject}, [](int, tr_MediatorDataTable& data) {
        const tr_MediatorData* count = data.Find("count");
        data.SetInt("doubled", count ? count->GetInt() * 2 : -1);
        data.Remove("drop");
    });
    const std::string add = std::to_string(int(Command_Inventory_AddObject));
    Run("reply = SendMessage(" + add + ", {name = 'key', count = 3, drop = 'x', pos = {1, 2}})");
    const tr_MediatorDataTable heard = widget.Last(Command_Inventory_AddObject);
    EXPECT_EQ(Listener::Text(heard, "name"), "key");
    ASSERT_TRUE(heard.Find("pos") && heard.Find("pos")->GetType() == tr_MediatorData::TYPE_ARRAY);
    EXPECT_EQ(Eval("reply.doubled"), "6");
    EXPECT_EQ(Eval("reply.name .. reply.pos[2]"), "key2");
    EXPECT_EQ(Eval("reply.drop"), "nil");

    // No data, or data that is no table, sends an empty table.
    EXPECT_EQ(Eval("SendMessage(" + add + ").doubled"), "-1");
    EXPECT_EQ(Eval("SendMessage(" + add + ", 'text').doubled"), "-1");
    EXPECT_EQ(widget.Count(Command_Inventory_AddObject), 3);
    // Nobody listening: the table comes back as it went.
    EXPECT_EQ(Eval("SendMessage(100000, {a = 'b'}).a"), "b");
}
