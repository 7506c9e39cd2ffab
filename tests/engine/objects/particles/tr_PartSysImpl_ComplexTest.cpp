// Scripted effects: the file's templates and blend comment, particles per
// second at any frame rate, keyframe tracks, properties, the phase variable,
// and scripts that fail or misbehave without stopping anything.
#include "ParticleTestContent.h"
#include "tests/engine/resources/text/LogCapture.h"

#include "engine/bindings/tr_ComplexScript_Lua.h"
#include "engine/core/tr_Random.h"
#include "engine/objects/particles/tr_PartSysImpl_Complex.h"
#include "engine/platform/headless/tr_Render_Null.h"

namespace {

using Complex = tr_PartSysImpl_Complex;

class ComplexTest : public ::testing::Test {
protected:
    void SetUp() override {
        tr_Random::Reset();
        tr_ComplexScript_Lua::Install();
    }

    // An effect with one template "spark" (scripts by kind) and a system
    // script that creates one spark emitter at (10, 20) on its first run.
    std::unique_ptr<tr_ParticleSystem> Effect(const std::string& born,
                                              const std::string& process = "",
                                              const std::string& processpart = "",
                                              const std::string& die = "") {
        const std::string text =
            "<!-- Blend: 2 -->\n<effect>\n  <emit>\n    <spark res=\"" + content.Path("dot") +
            "\">\n      <bornpart>" + born + "</bornpart>\n      <process>" + process +
            "</process>\n      <processpart>" + processpart + "</processpart>\n      <diepart>" +
            die +
            "</diepart>\n    </spark>\n    <smoke/>\n  </emit>\n"
            "  <process>if ps_state == 0 then CreateEmitter('spark', 10, 20); ps_state = 1 "
            "end</process>\n</effect>\n";
        content.WriteText("fx.xml", text);
        auto system = content.Load("fx");
        EXPECT_NE(Impl(*system), nullptr);
        return system;
    }
    static Complex* Impl(tr_ParticleSystem& system) {
        return dynamic_cast<Complex*>(system.GetImpl());
    }
    static void Step(tr_ParticleSystem& system, float dt, int times = 1) {
        tr_FrameInfo frame;
        frame.dt = frame.raw_dt = dt;
        for (int i = 0; i < times; ++i)
            system.Update(frame);
    }
    static float Property(tr_ParticleSystem& system, int index, int property) {
        const Complex::Particle* p = Impl(system)->GetParticle(index);
        return p ? p->properties[property] : -1.0f;
    }

    ParticleTestContent content{"complex_test"};
    LogCapture log;
};

TEST_F(ComplexTest, LoadReadsTemplatesScriptsAndTheBlendCommentButDoesNotStart) {
    auto system = Effect("DieAfter(1)", "CreateParticles(1)");
    Complex* impl = Impl(*system);
    ASSERT_EQ(impl->GetTemplates().size(), 2u);
    EXPECT_EQ(impl->GetTemplates()[0].name, "spark");
    EXPECT_EQ(impl->GetTemplates()[0].scripts[Complex::kBornPart], "DieAfter(1)");
    EXPECT_EQ(impl->GetTemplates()[1].name, "smoke");
    EXPECT_EQ(impl->GetTemplates()[1].scripts[Complex::kProcess], "");
    EXPECT_EQ(system->GetBlendMode(), 2);
    EXPECT_FALSE(impl->IsActive());
    Step(*system, 0.1f, 3); // before Start: nothing runs, nothing breaks
    EXPECT_FALSE(impl->HasScriptState());
    EXPECT_EQ(impl->GetParticleCount(), 0);

    impl->Start();
    Step(*system, 0.1f);
    ASSERT_EQ(impl->GetEmitters().size(), 1u);
    EXPECT_EQ(impl->GetStateVariable(), 1);
    EXPECT_EQ(impl->GetParticleCount(), 1);
    EXPECT_FLOAT_EQ(impl->GetParticle(0)->origin[0], 10.0f);
}

TEST_F(ComplexTest, ScriptsAreTheTextThatStartsTheirElement) {
    // CDATA counts as text; a comment first, or an empty element, is no script.
    content.WriteText("fx.xml", "<?xml version=\"1.0\"?>\n<!-- Blend: 2 -->\n<effect>\n"
                                "  <emit><a><process><![CDATA[CreateParticles(1)]]></process>"
                                "<bornpart><!-- none -->DieAfter(1)</bornpart><diepart/>"
                                "</a></emit>\n  <process>\n    x = 1\n  </process>\n</effect>\n");
    auto system = content.Load("fx");
    Complex* impl = Impl(*system);
    ASSERT_EQ(impl->GetTemplates().size(), 1u);
    EXPECT_EQ(impl->GetTemplates()[0].scripts[Complex::kProcess], "CreateParticles(1)");
    EXPECT_EQ(impl->GetTemplates()[0].scripts[Complex::kBornPart], "");
    EXPECT_EQ(impl->GetTemplates()[0].scripts[Complex::kDiePart], "");
    EXPECT_EQ(impl->GetSystemScript(), "\n    x = 1\n  ");
    EXPECT_EQ(system->GetBlendMode(), 0); // the declaration comes first
}

TEST_F(ComplexTest, ParticlesPerSecondDoNotDependOnTheFrameRate) {
    for (float fps : {60.0f, 30.0f, 7.0f}) {
        auto system = Effect("DieAfter(100)", "CreateParticles(ps_dt * 30)");
        Impl(*system)->Start();
        Step(*system, 1.0f / fps, static_cast<int>(fps) * 2);
        EXPECT_NEAR(Impl(*system)->GetParticleCount(), 60, 1) << fps;
    }
}

TEST_F(ComplexTest, TracksAnimateByLifePercentageAndHoldTheirLastKey) {
    auto system = Effect("DieAfter(1); Animate(tr_alpha, {0, 0, 50, 1, 100, 0}); "
                         "Animate(tr_scale_x, {0, 2, 40, 3}); Animate(tr_angle, {0, 1, 0, 5, 9}); "
                         "Animate(tr_pos_y, {}); Animate(tr_color_g, {7})",
                         "if not done then CreateParticles(1); done = true end");
    Impl(*system)->Start();
    const float alpha[] = {0.5f, 1.0f, 0.5f};
    const float scale[] = {2.625f, 3.0f, 3.0f};
    for (int i = 0; i < 3; ++i) {
        Step(*system, 0.25f);
        EXPECT_NEAR(Property(*system, 0, Complex::kAlpha), alpha[i], 1e-4f) << i;
        EXPECT_NEAR(Property(*system, 0, Complex::kScaleX), scale[i], 1e-4f) << i;
        // Equal times step to the later value; odd and empty key lists
        // keep whole pairs only.
        EXPECT_FLOAT_EQ(Property(*system, 0, Complex::kAngle), 5.0f) << i;
        EXPECT_FLOAT_EQ(Property(*system, 0, Complex::kPosY), 0.0f) << i;
        EXPECT_FLOAT_EQ(Property(*system, 0, Complex::kGreen), 1.0f) << i;
    }
    Step(*system, 0.25f);
    EXPECT_EQ(Impl(*system)->GetParticleCount(), 0);
}

TEST_F(ComplexTest, PropertiesClampAndNamedValuesDefaultToZero) {
    auto system = Effect("DieAfter(5); SetProperty(tr_color_r, 3); SetProperty('speed', 3); "
                         "SetProperty(tr_pos_z, 9); SetProperty(tr_pos_x, GetProperty('speed') + "
                         "GetProperty('other') + GetProperty(tr_pos_z) + GetProperty(42)); "
                         "SetProperty(tr_pos_y, ObjGet().pos_x)",
                         "if not done then CreateParticles(1); done = true end");
    system->SetPosition(77, 0);
    Impl(*system)->Start();
    Step(*system, 0.1f);
    EXPECT_FLOAT_EQ(Property(*system, 0, Complex::kRed), 1.0f);
    EXPECT_FLOAT_EQ(Property(*system, 0, Complex::kPosX), 3.0f);
    EXPECT_FLOAT_EQ(Property(*system, 0, Complex::kPosY), 77.0f);
}

TEST_F(ComplexTest, AParticleWithoutLifetimeDiesInItsFirstUpdateRunningItsDiepart) {
    auto system = Effect("", "if not done then CreateParticles(1); done = true end", "",
                         "CreateEmitter('x')");
    Impl(*system)->Start();
    Step(*system, 0.0f);
    EXPECT_EQ(Impl(*system)->GetParticleCount(), 1);
    Step(*system, 0.01f);
    EXPECT_EQ(Impl(*system)->GetParticleCount(), 0);
    EXPECT_EQ(Impl(*system)->GetEmitters().size(), 2u); // unknown name: the first template
}

TEST_F(ComplexTest, StopPauseAndStartFollowTheirRules) {
    auto system = Effect("DieAfter(1)", "CreateParticles(1)");
    Complex* impl = Impl(*system);
    impl->Start();
    Step(*system, 0.1f, 2);
    impl->Stop(false); // particles play out, no more births
    Step(*system, 0.1f, 2);
    EXPECT_EQ(impl->GetParticleCount(), 2);
    impl->Pause(true); // reactivates a stopped system
    EXPECT_TRUE(impl->IsActive());
    Step(*system, 0.1f);
    EXPECT_EQ(impl->GetParticleCount(), 3);
    impl->Stop(true);
    EXPECT_EQ(impl->GetParticleCount(), 0);
    EXPECT_FALSE(impl->HasScriptState());
    impl->Start();
    EXPECT_EQ(impl->GetStateVariable(), 0);
    Step(*system, 0.1f);
    EXPECT_EQ(impl->GetEmitters().size(), 1u);
}

TEST_F(ComplexTest, PauseBeforeTheFirstStartAndEndlessScriptsAreHarmless) {
    auto system = Effect("DieAfter(1)", "CreateParticles(1)", "while true do end");
    Complex* impl = Impl(*system);
    impl->Pause(true);
    Step(*system, 0.1f); // active, but no script state yet
    EXPECT_EQ(impl->GetParticleCount(), 0);
    impl->Start();
    EXPECT_TRUE(impl->HasScriptState());
    Step(*system, 0.1f, 2); // each endless processpart is stopped
    EXPECT_EQ(impl->GetParticleCount(), 2);
}

TEST_F(ComplexTest, MisbehavingScriptsNeitherCrashNorStopTheEffect) {
    // The natives do not depend on globals a script may overwrite; errors
    // abandon only the failing script; emitters and particles added while
    // they are walked start in the next update; runaway growth is capped.
    auto system =
        Effect("DieAfter(1); CreateParticles(1); error('born')",
               "pointer = 5; CreateEmitter('spark'); CreateParticles(1); local x = nil + 1",
               "CreateParticles(1000)", "this is not lua");
    Complex* impl = Impl(*system);
    impl->Start();
    Step(*system, 0.05f);
    EXPECT_EQ(impl->GetEmitters().size(), 2u);
    const int first = impl->GetParticleCount();
    EXPECT_GT(first, 1000);
    EXPECT_LT(first, tr_PartSysImpl::kMaxBirthsPerUpdate);
    Step(*system, 0.05f, 2);
    EXPECT_EQ(impl->GetEmitters().size(), 8u);
    EXPECT_EQ(impl->GetParticleCount(), first + 2 * tr_PartSysImpl::kMaxBirthsPerUpdate);
    EXPECT_EQ(log.CountStartingWith("Warning: particle system"), 1);
}

TEST_F(ComplexTest, IndependentParticlesStayBehindInTheWideLayout) {
    content.WriteImage("dot", 2, 2);
    auto* system = Effect("DieAfter(5); SetIndependent()",
                          "if not done then CreateParticles(1); done = true end")
                       .release();
    tr_Object app("app");
    app.SetPosition(171, 0);
    app.SetScale(2, 2);
    tr_Object::AddChild(&app, system);
    system->SetPosition(100, 50);
    system->LoadResources();
    Impl(*system)->Start();
    Step(*system, 0.1f);
    system->SetPosition(300, 50);
    tr_Render_Null render;
    render.Init(1366, 768);
    render.BeginFrame();
    render.BeginDraw();
    tr_DrawState state;
    state.transform = tr_Object::ComputeWorldTransform(system);
    system->Draw(&render, state);
    ASSERT_EQ(render.GetDrawCount(), 1);
    // The system's emitter origin (10, 20) plus where the system was.
    const auto& vertices = Impl(*system)->GetBatch().GetList()->GetElements();
    ASSERT_EQ(vertices.size(), 6u);
    float x = 0, y = 0;
    for (const tr_Vertex& v : vertices) {
        x += v.x / 6;
        y += v.y / 6;
    }
    EXPECT_NEAR(x, 171 + 2 * (100 + 10), 1e-3f);
    EXPECT_NEAR(y, 2 * (50 + 20), 1e-3f);
}

} // namespace
