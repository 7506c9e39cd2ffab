// The game-mode and performance particle variants: made by the factory,
// frozen and undrawn outside their mode, resuming where they stopped.
#include "LevelTestSupport.h"

#include "engine/core/tr_SLHelper_TinyXML2.h"
#include "engine/objects/tr_ObjectFactory.h"
#include "game/core/tp_Config.h"
#include "game/core/tp_Settings.h"
#include "game/level/tp_LevelObjectTypes.h"
#include "game/level/tp_ParticleSystemGm.h"
#include "game/level/tp_ParticleSystemPm.h"
#include "tests/engine/objects/particles/ParticleTestContent.h"

#include <tinyxml2.h>

namespace {

class ParticleVariantsTest : public LevelTestBase {
protected:
    void SetUp() override {
        tp_RegisterLevelObjectTypes();
        content.WriteImage("dot", 4, 4);
        content.WriteEffect("fx", "flux",
                            "  <emit lifetime=\"600\" delay=\"1\" res=\"" + content.Path("dot") +
                                "\"/>\n");
    }
    // An object of type made by the factory and loaded from attributes.
    std::unique_ptr<tr_ParticleSystem> Make(const char* type, const std::string& attributes) {
        std::unique_ptr<tr_Object> object(tr_ObjectFactory::Get().CreateObject(type, "p"));
        auto* document = new tinyxml2::XMLDocument;
        document->Parse(("<o res=\"" + content.Path("fx") + "\" " + attributes + "/>").c_str());
        tr_SLHelper_TinyXML2 reader(document);
        object->Load(reader);
        object->LoadResources();
        return std::unique_ptr<tr_ParticleSystem>(
            dynamic_cast<tr_ParticleSystem*>(object.release()));
    }
    // Particles after one more update, and whether a draw reached the renderer.
    std::pair<int, bool> Frame(tr_ParticleSystem& system) {
        tr_FrameInfo frame;
        frame.dt = 0.017f;
        system.Update(frame);
        render.BeginFrame();
        render.BeginDraw();
        const int before = render.GetDrawCount();
        system.Draw(&render, tr_DrawState());
        render.EndDraw();
        render.EndFrame();
        return {system.GetImpl()->GetParticleCount(), render.GetDrawCount() > before};
    }
    void UpdateGameMode(int mode) {
        tr_MediatorDataTable data;
        data.SetInt("mode", mode);
        mediator.Send(AppUpdateGameMode, data);
    }

    ParticleTestContent content{"particle_variants"};
};

TEST_F(ParticleVariantsTest, GameModeVariantsShowUpToTheirMode) {
    auto first = Make("partsys_gm", "game_mode=\"0\"");
    auto both = Make("partsys_gm", "game_mode=\"1\"");
    ASSERT_EQ(first->GetType(), "partsys_gm");
    EXPECT_EQ(dynamic_cast<tp_ParticleSystemGm*>(both.get())->GetGameMode(), 1);
    EXPECT_EQ(Frame(*first), std::make_pair(1, true));
    EXPECT_EQ(Frame(*both), std::make_pair(1, true));
    UpdateGameMode(1);
    EXPECT_EQ(Frame(*first), std::make_pair(1, false));
    EXPECT_EQ(Frame(*both), std::make_pair(2, true));
    UpdateGameMode(0);
    EXPECT_EQ(Frame(*first), std::make_pair(2, true));
}

TEST_F(ParticleVariantsTest, PerformanceVariantsRunOnlyInFullDetail) {
    tp_Config* config = tp_Config::Create();
    tp_Settings* settings = tp_Settings::Create(*config);
    auto rain = Make("partsys_pm", "");
    ASSERT_EQ(rain->GetType(), "partsys_pm");
    EXPECT_EQ(Frame(*rain), std::make_pair(1, true));
    settings->performance = 1;
    EXPECT_EQ(Frame(*rain), std::make_pair(1, false));
    EXPECT_EQ(Frame(*rain), std::make_pair(1, false));
    settings->performance = 0;
    EXPECT_EQ(Frame(*rain), std::make_pair(2, true));
    tp_Settings::Destroy();
    tp_Config::Destroy();
}

} // namespace
