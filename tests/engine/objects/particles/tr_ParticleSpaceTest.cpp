// Particles land where they are drawn: under a parent moved and scaled like
// the wide layout's application object, free particles start at the system
// and mask-spawned ones on the mask's opaque pixels, each transform once.
#include "ParticleTestContent.h"
#include "tests/engine/resources/text/LogCapture.h"

#include "engine/core/tr_Random.h"
#include "engine/objects/particles/tr_PartSysImpl_Flux.h"
#include "engine/objects/tr_Sprite.h"
#include "engine/platform/headless/tr_Render_Null.h"

namespace {

class ParticleSpaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        tr_Random::Reset();
        render.Init(1366, 768);
        content.WriteImage("dot", 4, 4);
        // 20 x 10, only the right half opaque.
        content.WriteImage("half", 20, 10, 10);
        content.WriteImage("clear", 8, 8, 8);
    }

    // World centres of the particles as drawn: the mean of each quad's six
    // vertices.
    std::vector<std::pair<float, float>> DrawnCentres(tr_ParticleSystem& system) {
        render.BeginFrame();
        render.BeginDraw();
        tr_DrawState state;
        state.transform = tr_Object::ComputeWorldTransform(&system);
        system.Draw(&render, state);
        render.EndDraw();
        render.EndFrame();
        std::vector<std::pair<float, float>> centres;
        auto* flux = dynamic_cast<tr_PartSysImpl_Flux*>(system.GetImpl());
        const tr_VertexList* list = flux->GetEmitters().at(0)->batch.GetList();
        if (!list)
            return centres;
        const auto& vertices = list->GetElements();
        for (size_t i = 0; i + 6 <= vertices.size(); i += 6) {
            float x = 0, y = 0;
            for (size_t j = i; j < i + 6; ++j) {
                x += vertices[j].x / 6;
                y += vertices[j].y / 6;
            }
            centres.emplace_back(x, y);
        }
        return centres;
    }

    ParticleTestContent content{"particle_space_test"};
    tr_Render_Null render;
    LogCapture log;
};

TEST_F(ParticleSpaceTest, FreeAndAttachedParticlesStartAtTheSystemInTheWideLayout) {
    for (float scale : {1.0f, 1.5f}) {
        for (const char* free : {"0", "1"}) {
            content.WriteEffect("fx", "flux",
                                "  <emit lifetime=\"600\" delay=\"600\" free=\"" +
                                    std::string(free) + "\" res=\"" + content.Path("dot") +
                                    "\"/>\n");
            tr_Object app("app");
            app.SetPosition(171, 0);
            app.SetScale(scale, scale);
            tr_ParticleSystem* system = content.Load("fx").release();
            system->SetPosition(100, 50);
            tr_Object::AddChild(&app, system);
            system->LoadResources();
            tr_FrameInfo frame;
            system->Update(frame);
            // Free particles stay behind when the system moves on.
            system->SetPosition(300, 50);
            const auto centres = DrawnCentres(*system);
            ASSERT_EQ(centres.size(), 1u);
            const float expected_x = 171 + scale * (free[0] == '1' ? 100 : 300);
            EXPECT_NEAR(centres[0].first, expected_x, 1e-3f) << free << " " << scale;
            EXPECT_NEAR(centres[0].second, scale * 50, 1e-3f) << free << " " << scale;
        }
    }
}

TEST_F(ParticleSpaceTest, MaskParticlesLandOnTheMasksOpaquePixels) {
    for (const char* free : {"0", "1"}) {
        content.WriteEffect("fx", "flux",
                            "  <emit lifetime=\"600\" delay=\"600\" born_count=\"50\" free=\"" +
                                std::string(free) + "\" res=\"" + content.Path("dot") + "\"/>\n");
        tr_Object app("app");
        app.SetPosition(171, 0);
        app.SetScale(2, 2);
        tr_Sprite* mask = new tr_Sprite("mask");
        mask->SetRes(content.Path("half"));
        mask->SetPosition(300, 200);
        tr_Object::AddChild(&app, mask);
        mask->LoadResources();
        tr_ParticleSystem* system = content.Load("fx").release();
        system->SetPosition(40, 30);
        tr_Object::AddChild(&app, system);
        system->LoadResources();
        system->GetImpl()->SetMaskObject(mask);
        system->Update(tr_FrameInfo());
        const auto centres = DrawnCentres(*system);
        ASSERT_EQ(centres.size(), 50u);
        for (const auto& [x, y] : centres) {
            // The mask's right half, in world units: 171 + 2 * (300 + 0..10).
            EXPECT_GE(x, 771.0f) << free;
            EXPECT_LE(x, 791.0f) << free;
            EXPECT_GE(y, 2 * 195.0f) << free;
            EXPECT_LE(y, 2 * 205.0f) << free;
        }
    }
}

TEST_F(ParticleSpaceTest, AMaskWithoutOpaquePixelsOrADeletedMaskSpawnsNoCrash) {
    content.WriteEffect("fx", "flux",
                        "  <emit lifetime=\"600\" delay=\"0\" res=\"" + content.Path("dot") +
                            "\"/>\n");
    auto system = content.Load("fx");
    auto mask = std::make_unique<tr_Sprite>("mask");
    mask->SetRes(content.Path("clear"));
    mask->LoadResources();
    system->GetImpl()->SetMaskObject(mask.get());
    for (int i = 0; i < 5; ++i)
        system->Update(tr_FrameInfo());
    EXPECT_EQ(system->GetImpl()->GetParticleCount(), 0);
    EXPECT_EQ(log.CountStartingWith("Warning: particle system"), 1);

    mask.reset();
    EXPECT_EQ(system->GetImpl()->GetMaskObject(), nullptr);
    system->Update(tr_FrameInfo());
    EXPECT_EQ(system->GetImpl()->GetParticleCount(), 1);
}

} // namespace
