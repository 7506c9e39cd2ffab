#include "game/interface/tp_WidgetSupport.h"

#include "engine/bindings/tr_EngineCore.h"
#include "engine/core/tr_Mediator.h"
#include "engine/core/tr_MediatorDataArray.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/scene/tr_Object.h"
#include "game/core/tp_Messages.h"
#include "game/interface/tp_MessageData.h"

namespace {

tr_Scene& Scene() {
    return tr_EngineCore::Get()->GetScene();
}

} // namespace

tr_Object* tp_FindSceneObject(const std::string& name) {
    if (name.empty())
        return nullptr;
    tr_Object* object = Scene().FindObject(name);
    return Scene().IsReserved(object) ? nullptr : object;
}

void tp_DeleteSceneObject(tr_Object* object, const tr_Object* keeper) {
    if (!object)
        return;
    for (const tr_Object* up = keeper; up; up = up->GetParent())
        if (up == object)
            return;
    Scene().DeleteObject(object);
}

void tp_ParkInStorage(tr_Object* object) {
    if (object)
        Scene().AttachObject(Scene().GetStorageRoot(), object);
}

void tp_PositionInSpaceOf(tr_Object* object, tr_Object* space, float& x, float& y) {
    const tr_Matrix world = tr_Object::ComputeWorldTransform(object);
    x = world[12];
    y = world[13];
    if (!space)
        return;
    tr_Matrix inverse;
    if (tr_Object::ComputeWorldTransform(space).Inverse2D(inverse))
        inverse.TransformPoint(x, y);
}

bool tp_IsLevelLoading() {
    tr_Mediator* mediator = tr_Mediator::Get();
    if (!mediator)
        return false;
    tr_MediatorDataTable data;
    mediator->Send(LevelIsLoading, data);
    int loading = 0;
    return tp_ReadOptionalInt(data, "loading", loading) && loading == 1;
}

void tp_FinishTransfer(int type) {
    tr_Mediator* mediator = tr_Mediator::Get();
    if (!mediator)
        return;
    tr_MediatorDataTable data;
    data.SetInt("type", type);
    mediator->Send(Command_Transporter_Finish, data);
}

const tr_MediatorDataArray* tp_AsArray(const tr_MediatorData* value) {
    static const tr_MediatorDataArray kEmpty;
    if (!value)
        return nullptr;
    if (value->GetType() == tr_MediatorData::TYPE_ARRAY)
        return static_cast<const tr_MediatorDataArray*>(value);
    if (value->GetType() == tr_MediatorData::TYPE_TABLE &&
        static_cast<const tr_MediatorDataTable*>(value)->Count() == 0)
        return &kEmpty;
    return nullptr;
}

bool tp_ReadArray(const tr_MediatorDataTable& data, const std::string& key,
                  const tr_MediatorDataArray*& out) {
    const tr_MediatorDataArray* array = tp_AsArray(data.Get(key));
    if (!array)
        return false;
    out = array;
    return true;
}
