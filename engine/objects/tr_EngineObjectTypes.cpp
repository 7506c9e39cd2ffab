#include "engine/objects/tr_EngineObjectTypes.h"

#include "engine/objects/particles/tr_ParticleSystem.h"
#include "engine/objects/tr_AnimSprite.h"
#include "engine/objects/tr_ComplexAnim.h"
#include "engine/objects/tr_FlashAnim.h"
#include "engine/objects/tr_Grid.h"
#include "engine/objects/tr_ObjectFactory.h"
#include "engine/objects/tr_Sprite.h"
#include "engine/objects/tr_Text.h"
#include "engine/objects/tr_Video.h"
#include "engine/scene/tr_Object.h"
#include "engine/scene/tr_TimerObj.h"

// One line per type, in the engine's order. The types marked "not yet" get
// their line here when their class lands.
void tr_RegisterEngineObjectTypes(tr_ObjectFactory& factory) {
    factory.RegisterType("obj", [] { return new tr_Object; });
    factory.RegisterType("spr", [] { return new tr_Sprite; });
    factory.RegisterType("anim", [] { return new tr_AnimSprite; });
    factory.RegisterType("partsys", [] { return new tr_ParticleSystem; });
    factory.RegisterType("text", [] { return new tr_Text; });
    factory.RegisterType("video", [] { return new tr_Video; });
    factory.RegisterType("flashanim", [] { return new tr_FlashAnim; });
    factory.RegisterType("grid", [] { return new tr_Grid; });
    factory.RegisterType("timer", [] { return new tr_TimerObj; });
    factory.RegisterType("complexanim", [] { return new tr_ComplexAnim; });
}
