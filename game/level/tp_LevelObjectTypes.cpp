#include "game/level/tp_LevelObjectTypes.h"

#include "engine/objects/tr_ObjectFactory.h"
#include "game/level/tp_ParticleSystemGm.h"
#include "game/level/tp_ParticleSystemPm.h"
#include "game/level/tp_Room.h"
#include "game/level/tp_SubRoom.h"
#include "game/level/tp_TextEdit.h"

void tp_RegisterLevelObjectTypes() {
    tr_ObjectFactory& factory = tr_ObjectFactory::Get();
    factory.RegisterType("room", [] { return new tp_Room(); });
    factory.RegisterType("subroom", [] { return new tp_SubRoom(); });
    factory.RegisterType("partsys_gm", [] { return new tp_ParticleSystemGm(); });
    factory.RegisterType("partsys_pm", [] { return new tp_ParticleSystemPm(); });
    factory.RegisterType("textedit", [] { return new tp_TextEdit(); });
}
