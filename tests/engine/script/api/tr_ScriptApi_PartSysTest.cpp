// The particle system script functions drive the named system's effect and
// leave other objects and unknown names alone.
#include "ScriptApiFixture.h"

#include "engine/core/tr_Random.h"
#include "engine/objects/particles/tr_ParticleSystem.h"
#include "tests/engine/objects/particles/ParticleTestContent.h"

namespace {

class ScriptApiPartSysTest : public ScriptApiTest {
protected:
    void SetUp() override {
        ScriptApiTest::SetUp();
        tr_Random::Reset();
        content.WriteEffect("fx", "flux", "  <emit lifetime=\"600\" delay=\"1\" autooff=\"2\"/>\n");
        content.WriteImage("dot", 4, 4);
        system = AddOwned(new tr_ParticleSystem("fx"));
        system->SetRes(content.Path("fx"));
        ASSERT_NE(system->GetImpl(), nullptr);
    }
    void Step(int times) {
        tr_FrameInfo frame;
        frame.dt = frame.raw_dt = 0.017f;
        for (int i = 0; i < times; ++i)
            Scene().Update(frame);
    }
    int Count() { return system->GetImpl()->GetParticleCount(); }

    ParticleTestContent content{"script_api_partsys"};
    tr_ParticleSystem* system = nullptr;
};

TEST_F(ScriptApiPartSysTest, StopPauseStartAndRestartDriveTheEffect) {
    Step(5);
    EXPECT_EQ(Count(), 2);
    EXPECT_FALSE(system->GetImpl()->IsActive());
    Run("PartSysStart('fx')");
    EXPECT_TRUE(system->GetImpl()->IsActive());
    EXPECT_EQ(Count(), 0); // a start begins afresh
    Step(1);
    Run("PartSysStop('fx', 0)");
    Step(3);
    EXPECT_EQ(Count(), 1); // stopped without clearing: the particle lives on
    Run("PartSysStop('fx', 1)");
    EXPECT_EQ(Count(), 0);

    Run("PartSysRestart('fx')");
    Step(1);
    Run("PartSysPause('fx', 1)");
    Step(5);
    EXPECT_EQ(Count(), 1);
    Run("PartSysPause('fx', 2)"); // only 1 pauses
    Step(5);
    EXPECT_EQ(Count(), 2);
}

TEST_F(ScriptApiPartSysTest, PauseBeforeStartAndMaskObjectsAreHarmless) {
    Run("PartSysStop('fx', 1); PartSysPause('fx', 1); PartSysStart('fx')");
    Step(3);
    EXPECT_EQ(Count(), 0);
    Run("PartSysPause('fx', 0)");
    Step(1);
    EXPECT_EQ(Count(), 1);

    tr_Object* plain = Add("plain");
    Run("PartSysSetMaskObj('fx', 'nobody'); PartSysSetMaskObj('plain', 'fx')");
    EXPECT_EQ(system->GetImpl()->GetMaskObject(), nullptr);
    Run("PartSysSetMaskObj('fx', 'plain')");
    EXPECT_EQ(system->GetImpl()->GetMaskObject(), plain);
    Run("PartSysStart('plain'); PartSysStop(nil, 1); PartSysRestart({}); PartSysPause(3, 1)");
    EXPECT_TRUE(log.lines.empty());
}

} // namespace
