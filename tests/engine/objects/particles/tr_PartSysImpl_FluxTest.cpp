// Flux effects: bursts, autooff, preproc, frame-rate independent motion,
// alpha peaks, spreads for a fixed seed, bounded work on bad values.
#include "ParticleTestContent.h"
#include "tests/engine/resources/text/LogCapture.h"

#include "engine/core/tr_Random.h"
#include "engine/objects/particles/tr_PartSysImpl_Flux.h"

#include <cmath>

namespace {

class FluxTest : public ::testing::Test {
protected:
    std::unique_ptr<tr_ParticleSystem> Effect(const std::string& emit) {
        content.WriteEffect("fx", "flux", "  <emit " + emit + "/>\n");
        auto system = content.Load("fx");
        EXPECT_NE(Flux(*system), nullptr);
        return system;
    }
    static tr_PartSysImpl_Flux* Flux(tr_ParticleSystem& system) {
        return dynamic_cast<tr_PartSysImpl_Flux*>(system.GetImpl());
    }
    static const std::vector<tr_FluxParticle*>& Particles(tr_ParticleSystem& system) {
        return Flux(system)->GetEmitters().at(0)->particles;
    }
    static void Step(tr_ParticleSystem& system, float dt, int times = 1) {
        tr_FrameInfo frame;
        frame.dt = frame.raw_dt = dt;
        for (int i = 0; i < times; ++i)
            system.Update(frame);
    }

    void SetUp() override { tr_Random::Reset(); }

    ParticleTestContent content{"flux_test"};
    LogCapture log;
};

TEST_F(FluxTest, ABurstHasTheWholePartOfItsCountAndAtLeastOneParticle) {
    struct Case {
        const char* count;
        int born;
    } cases[] = {{"0.4", 1}, {"2.7", 2}, {"1", 1}, {"5.99", 5}, {"-3", 1}};
    for (const Case& c : cases) {
        auto system =
            Effect("lifetime=\"600\" delay=\"600\" born_count=\"" + std::string(c.count) + "\"");
        Step(*system, 0.01667f);
        EXPECT_EQ(system->GetImpl()->GetParticleCount(), c.born) << c.count;
    }
}

TEST_F(FluxTest, AutooffStopsAfterItsBurstsAndTheLastParticlesPlayOut) {
    auto system = Effect("lifetime=\"30\" delay=\"2\" autooff=\"3\"");
    tr_PartSysImpl* impl = system->GetImpl();
    int most = 0;
    for (int i = 0; i < 10; ++i) {
        Step(*system, 0.01667f);
        most = std::max(most, impl->GetParticleCount());
    }
    EXPECT_EQ(most, 3);
    EXPECT_FALSE(impl->IsActive());
    Step(*system, 0.01667f, 40);
    EXPECT_EQ(impl->GetParticleCount(), 0);

    // 0 and -1 both mean unlimited.
    for (const char* unlimited : {"0", "-1"}) {
        auto endless =
            Effect(std::string("lifetime=\"600\" delay=\"1\" autooff=\"") + unlimited + "\"");
        Step(*endless, 0.017f, 20);
        EXPECT_TRUE(endless->GetImpl()->IsActive());
        EXPECT_EQ(endless->GetImpl()->GetParticleCount(), 20);
    }
}

TEST_F(FluxTest, MotionPerSecondDoesNotDependOnTheFrameRate) {
    // Each case: the emitter, then what to read from its one particle.
    struct Case {
        const char* emit;
        float (*read)(const tr_FluxParticle&);
    } cases[] = {
        {"speed_x=\"10\" speed_xf=\"0.95\"", [](const tr_FluxParticle& p) { return p.velocity_x; }},
        {"speed_y=\"3\"", [](const tr_FluxParticle& p) { return p.y; }},
        {"grav=\"2\" gravf=\"0.98\"", [](const tr_FluxParticle& p) { return p.drift; }},
        {"scale_x_speed=\"0.1\" scale_xf=\"0.95\"",
         [](const tr_FluxParticle& p) { return p.scale_speed_x; }},
        {"rotate_speed=\"6\" rotatef=\"0.97\"",
         [](const tr_FluxParticle& p) { return p.rotation_speed; }},
        {"alpha=\"0\" alpha_speed=\"0.01\"", [](const tr_FluxParticle& p) { return p.alpha; }},
        {"speed_x=\"4\" speed_xf=\"-0.95\"", [](const tr_FluxParticle& p) { return p.velocity_x; }},
    };
    for (const Case& c : cases) {
        const std::string emit = std::string("lifetime=\"6000\" delay=\"6000\" ") + c.emit;
        auto at60 = Effect(emit);
        auto at30 = Effect(emit);
        Step(*at60, 0.01667f, 60);
        Step(*at30, 0.03334f, 30);
        const float v60 = c.read(*Particles(*at60).at(0));
        const float v30 = c.read(*Particles(*at30).at(0));
        EXPECT_TRUE(std::isfinite(v30)) << c.emit;
        EXPECT_NEAR(v60, v30, 1e-4f + std::fabs(v60) * 1e-3f) << c.emit;
    }
    // At one 1/60 s frame the factor itself applies; at 1/30 s its square.
    auto halving = Effect("lifetime=\"600\" delay=\"600\" speed_x=\"8\" speed_xf=\"0.5\"");
    Step(*halving, 0.01667f);
    EXPECT_NEAR(Particles(*halving).at(0)->velocity_x, 4.0f, 1e-4f);
    Step(*halving, 0.03334f);
    EXPECT_NEAR(Particles(*halving).at(0)->velocity_x, 1.0f, 1e-4f);
}

TEST_F(FluxTest, AlphaPeakRisesToTheBirthAlphaAndFallsToZero) {
    // 58.8 frames of 0.017 s are just under one second.
    auto system = Effect("lifetime=\"58.8\" delay=\"600\" alpha=\"0.8\" alpha_peak=\"50\"");
    std::vector<float> alphas;
    while (alphas.size() < 40) {
        Step(*system, 0.05f);
        if (Particles(*system).empty())
            break;
        alphas.push_back(Particles(*system)[0]->alpha);
    }
    ASSERT_EQ(alphas.size(), 19u); // dead in the update that reaches one second
    EXPECT_FLOAT_EQ(alphas[0], 0.0f);
    EXPECT_NEAR(alphas[5], 0.4f, 2e-3f);
    EXPECT_NEAR(alphas[10], 0.8f, 2e-3f);
    EXPECT_NEAR(alphas[18], 0.16f, 2e-3f);
}

TEST_F(FluxTest, PreprocShowsHistoryOnTheFirstFrame) {
    auto system = Effect("lifetime=\"600\" delay=\"1\" preproc=\"10\"");
    ASSERT_EQ(system->GetImpl()->GetParticleCount(), 10);
    EXPECT_NEAR(Particles(*system).front()->age, 1.7f, 1e-4f);
    EXPECT_NEAR(Particles(*system).back()->age, 0.17f, 1e-4f);
    // A second Start while running changes nothing; after a Stop it restarts.
    system->GetImpl()->Start();
    EXPECT_EQ(system->GetImpl()->GetParticleCount(), 10);
    system->GetImpl()->Stop(true);
    EXPECT_EQ(system->GetImpl()->GetParticleCount(), 0);
    system->GetImpl()->Start();
    EXPECT_EQ(system->GetImpl()->GetParticleCount(), 10);
}

TEST_F(FluxTest, SpreadsAreDrawnInTheirOrderFromThePrivateGenerator) {
    // The generator's values mod 10000 from seed 1: 41, 8467, 6334, 6500,
    // 9169, 5724, 1478, 9358, 6962, 4464, 5705, 8145, 3281, 6827, 9961. The
    // burst draws the delay and the count first.
    auto system = Effect("lifetime=\"100\" lifetime_delta=\"10\" delay=\"600\" pos_x=\"100\" "
                         "pos_x_delta=\"10\" pos_y=\"50\" pos_y_delta=\"4\" scale_x=\"1\" "
                         "scale_x_delta=\"0.5\" scale_y=\"2\" scale_y_delta=\"1\" "
                         "rotate_delta=\"90\"");
    Step(*system, 0.0f);
    const tr_FluxParticle& p = *Particles(*system).at(0);
    const float quarter_turn = 90 * 0.0174533f;
    EXPECT_NEAR(p.x, 100 + 6334 * 20 / 10000.0f - 10, 1e-4f);
    EXPECT_NEAR(p.y, 50 + 6500 * 8 / 10000.0f - 4, 1e-4f);
    EXPECT_NEAR(p.scale_x, 1 + 1478 * 1 / 10000.0f - 0.5f, 1e-5f);
    EXPECT_NEAR(p.scale_y, 2 + 9358 * 2 / 10000.0f - 1, 1e-5f);
    EXPECT_NEAR(p.rotation, 3281 * 2 * quarter_turn / 10000.0f - quarter_turn, 1e-5f);
    EXPECT_NEAR(p.lifetime, (100 + 9961 * 20 / 10000.0f - 10) * 0.017f, 1e-5f);
}

TEST_F(FluxTest, BadValuesGiveDefinedResultsAndBoundedWork) {
    // A missing attribute leaves factors, scale, alpha and colour at 1.
    auto plain = Effect("lifetime=\"600\" speed_x=\"2\"");
    Step(*plain, 0.05f, 3);
    const tr_FluxParticle& p = *Particles(*plain).at(0);
    EXPECT_FLOAT_EQ(p.velocity_x, 2.0f);
    EXPECT_FLOAT_EQ(p.scale_x, 1.0f);
    EXPECT_FLOAT_EQ(p.alpha, 1.0f);
    EXPECT_FLOAT_EQ(p.blue, 1.0f);

    // No lifetime: born and gone in the same update, fades included.
    for (const char* mode : {"0", "1", "2"}) {
        auto mayfly =
            Effect(std::string("lifetime=\"-5\" alpha_peak=\"50\" alpha_mode=\"") + mode + "\"");
        Step(*mayfly, 0.017f, 3);
        EXPECT_EQ(mayfly->GetImpl()->GetParticleCount(), 0);
    }

    // Millions per burst from a bad file: capped, with one log line.
    auto flood = Effect("lifetime=\"6000\" delay=\"0\" born_count=\"1e9\"");
    Step(*flood, 0.017f, 8);
    EXPECT_EQ(flood->GetImpl()->GetParticleCount(), tr_PartSysImpl::kMaxParticles);
    EXPECT_EQ(log.CountStartingWith("Warning: particle system"), 1);
    flood.reset();
    plain.reset();
    EXPECT_EQ(tr_ParticlePool::GetFreeCount(), tr_ParticlePool::GetCapacity());
}

TEST_F(FluxTest, UnknownTypesAndMissingFilesLeaveTheSystemEmpty) {
    content.WriteEffect("odd", "sparkle", "  <emit lifetime=\"10\"/>\n");
    for (const char* name : {"odd", "missing"}) {
        auto system = content.Load(name);
        EXPECT_EQ(system->GetImpl(), nullptr) << name;
        Step(*system, 0.017f);
        system->Draw(nullptr, tr_DrawState());
    }
}

} // namespace
