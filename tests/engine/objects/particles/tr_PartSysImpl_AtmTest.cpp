// Atmospheric effects: births at tiny density, per-update forces, the life
// and depth fades, gusts, and the perpendicular jitter that never divides
// by zero.
#include "ParticleTestContent.h"

#include "engine/core/tr_Random.h"
#include "engine/objects/particles/tr_PartSysImpl_Atm.h"
#include "engine/platform/headless/tr_Render_Null.h"

#include <cmath>

namespace {

class AtmTest : public ::testing::Test {
protected:
    void SetUp() override { tr_Random::Reset(); }

    // A camera looking along +z at a 768 x 768 window through a shallow
    // volume, so that every particle born stays in view.
    std::unique_ptr<tr_ParticleSystem> Effect(const std::string& extra) {
        content.WriteEffect("rain", "atm",
                            "  <emit scr_clip_size_x=\"768\" scr_clip_size_y=\"768\" "
                            "floor_clip=\"100\" near_z=\"1\" far_z=\"1.1\" " +
                                extra + "/>\n");
        auto system = content.Load("rain");
        EXPECT_NE(Atm(*system), nullptr);
        return system;
    }
    static tr_PartSysImpl_Atm* Atm(tr_ParticleSystem& system) {
        return dynamic_cast<tr_PartSysImpl_Atm*>(system.GetImpl());
    }
    static void Step(tr_ParticleSystem& system, float dt) {
        tr_FrameInfo frame;
        frame.dt = frame.raw_dt = dt;
        system.Update(frame);
    }

    ParticleTestContent content{"atm_test"};
};

TEST_F(AtmTest, TinyDensityStillGivesOneBirthPerUpdate) {
    auto system = Effect("dencity=\"0.000001\" particle_inv_mass=\"0\"");
    for (int i = 1; i <= 5; ++i) {
        Step(*system, 0.0167f);
        EXPECT_EQ(system->GetImpl()->GetParticleCount(), i);
    }
    // A huge density is capped.
    auto flood = Effect("dencity=\"1e12\" particle_inv_mass=\"0\"");
    Step(*flood, 0.0167f);
    EXPECT_EQ(flood->GetImpl()->GetParticleCount(), tr_PartSysImpl::kMaxBirthsPerUpdate);
}

TEST_F(AtmTest, ForcesChangeTheVelocityOncePerUpdateWhateverTheFrameTime) {
    for (float dt : {0.0167f, 0.05f}) {
        auto system = Effect("particle_inv_mass=\"0.01\" air_counterforce=\"0\" deviation=\"0\" "
                             "rand_wind_max_force=\"0\" dencity=\"0.000001\" "
                             "particle_life_time=\"100\"");
        Step(*system, dt);
        const float y0 = Atm(*system)->GetParticles().at(0).pos[1];
        Step(*system, dt);
        Step(*system, dt);
        const auto& p = Atm(*system)->GetParticles().at(0);
        EXPECT_NEAR(p.velocity[1], 2 * 0.098f, 1e-5f) << dt;
        EXPECT_NEAR(p.pos[1], y0 + 0.098f * dt + 0.196f * dt, 1e-4f) << dt;
        EXPECT_FLOAT_EQ(p.velocity[0], 0.0f);
    }
}

TEST_F(AtmTest, LifeAndDepthFades) {
    struct Life {
        float age, y, alpha;
    } lives[] = {{0.2f, 0, 0.5f},  {9.8f, 0, 0.5f},      {5, 0, 1},
                 {5, 1.95f, 0.5f}, {0.2f, 1.95f, 0.25f}, {10.5f, 0, -1}};
    for (const Life& l : lives)
        EXPECT_NEAR(tr_PartSysImpl_Atm::LifeAlpha(l.age, 10, l.y, 2), l.alpha, 1e-4f)
            << l.age << " " << l.y;
    struct Depth {
        bool rain;
        float head, tail, alpha;
    } depths[] = {{false, 0.08f, 0, 0.5f},
                  {false, 0.93f, 0, 0.5f},
                  {false, 0.5f, 0, 1},
                  {true, 0.5f, 0.08f, 0.5f},
                  {true, 0.08f, 0.93f, 0.25f}};
    for (const Depth& d : depths)
        EXPECT_NEAR(tr_PartSysImpl_Atm::DepthAlpha(d.rain, d.head, d.tail), d.alpha, 1e-4f)
            << d.head << " " << d.tail;
}

TEST_F(AtmTest, TheFirstUpdateStartsAHorizontalGustWithinItsStrength) {
    auto system =
        Effect("rand_wind_min_force=\"2\" rand_wind_max_force=\"3\" particle_inv_mass=\"0\"");
    tr_PartSysImpl_Atm* atm = Atm(*system);
    Step(*system, 0.0167f);
    ASSERT_TRUE(atm->IsGustBlending());
    EXPECT_GE(atm->GetGustDuration(), 0.5f);
    EXPECT_LE(atm->GetGustDuration(), 2.0f);
    // Blend to the end: the gust is the target.
    for (int i = 0; i < 130 && atm->IsGustBlending(); ++i)
        Step(*system, 0.0167f);
    ASSERT_FALSE(atm->IsGustBlending());
    const float* gust = atm->GetGust();
    EXPECT_FLOAT_EQ(gust[1], 0.0f);
    const float strength = std::hypot(gust[0], gust[2]);
    EXPECT_GE(strength, 2.0f);
    EXPECT_LE(strength, 3.0f);
}

TEST_F(AtmTest, PerpendicularsOfAxisVectorsAreDefined) {
    const float origin[3] = {1, 2, 3};
    const float normals[][3] = {{0, 1, 0}, {0, -4, 0}, {-2, 0, 0}, {0, 0, 0}, {3, 3, 3}};
    for (const auto& n : normals) {
        float out[3];
        tr_PartSysImpl_Atm::RandomPerpendicular(n, origin, out);
        const float length = std::sqrt(out[0] * out[0] + out[1] * out[1] + out[2] * out[2]);
        const bool zero = n[0] == 0 && n[1] == 0 && n[2] == 0;
        EXPECT_NEAR(length, zero ? 0.0f : 1.0f, 1e-4f);
        EXPECT_NEAR(out[0] * n[0] + out[1] * n[1] + out[2] * n[2], 0.0f, 1e-4f);
    }
}

TEST_F(AtmTest, StopWithClearEmptiesAndStartResumes) {
    auto system = Effect("dencity=\"0.000001\" particle_inv_mass=\"0\"");
    Step(*system, 0.0167f);
    system->GetImpl()->Stop(false);
    Step(*system, 0.0167f);
    EXPECT_EQ(system->GetImpl()->GetParticleCount(), 1);
    system->GetImpl()->Stop(true); // no longer active: nothing to clear
    EXPECT_EQ(system->GetImpl()->GetParticleCount(), 1);
    system->GetImpl()->Start();
    system->GetImpl()->Stop(true);
    EXPECT_EQ(system->GetImpl()->GetParticleCount(), 0);
}

TEST_F(AtmTest, EachVisibleParticleIsOneQuadPlacedByTheDrawState) {
    for (const char* type : {"0", "1"}) {
        auto system = Effect(std::string("dencity=\"0.000001\" particle_inv_mass=\"0\" type=\"") +
                             type + "\"");
        Step(*system, 0.0167f);
        Step(*system, 0.0167f);
        tr_Render_Null render;
        render.Init(1024, 768);
        render.BeginFrame();
        render.BeginDraw();
        std::vector<tr_Vertex> drawn[2];
        for (int i = 0; i < 2; ++i) {
            tr_DrawState state;
            state.transform = tr_MakeTransform(100.0f * i, 0, 0, 1, 1);
            system->Draw(&render, state);
            drawn[i] = Atm(*system)->GetBatch().GetList()->GetElements();
        }
        ASSERT_EQ(drawn[0].size(), 12u) << type;
        ASSERT_EQ(drawn[1].size(), 12u) << type;
        for (size_t v = 0; v < 12; ++v) {
            EXPECT_NEAR(drawn[1][v].x - drawn[0][v].x, 100.0f, 1e-3f);
            EXPECT_FLOAT_EQ(drawn[1][v].y, drawn[0][v].y);
        }
    }
}

} // namespace
