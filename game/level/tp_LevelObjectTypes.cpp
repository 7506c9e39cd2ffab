#include "game/level/tp_LevelObjectTypes.h"

#include "engine/objects/tr_ObjectFactory.h"
#include "game/level/tp_Room.h"
#include "game/level/tp_SubRoom.h"

void tp_RegisterLevelObjectTypes() {
    tr_ObjectFactory& factory = tr_ObjectFactory::Get();
    factory.RegisterType("room", [] { return new tp_Room(); });
    factory.RegisterType("subroom", [] { return new tp_SubRoom(); });
}
