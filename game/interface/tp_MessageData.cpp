#include "game/interface/tp_MessageData.h"

#include "engine/core/tr_MediatorDataTable.h"

namespace {

bool IsNumber(const tr_MediatorData* value) {
    return value && (value->GetType() == tr_MediatorData::TYPE_INT ||
                     value->GetType() == tr_MediatorData::TYPE_FLOAT);
}

bool ToInt(const tr_MediatorData* value, int& out) {
    if (!IsNumber(value))
        return false;
    out = value->GetInt();
    return true;
}

bool ToFloat(const tr_MediatorData* value, float& out) {
    if (!IsNumber(value))
        return false;
    out = value->GetFloat();
    return true;
}

bool ToString(const tr_MediatorData* value, std::string& out) {
    if (!value || value->GetType() != tr_MediatorData::TYPE_STRING)
        return false;
    out = value->GetString();
    return true;
}

} // namespace

bool tp_ReadInt(const tr_MediatorDataTable& data, const std::string& key, int& value) {
    return ToInt(data.Get(key), value);
}

bool tp_ReadFloat(const tr_MediatorDataTable& data, const std::string& key, float& value) {
    return ToFloat(data.Get(key), value);
}

bool tp_ReadString(const tr_MediatorDataTable& data, const std::string& key, std::string& value) {
    return ToString(data.Get(key), value);
}

bool tp_ReadOptionalInt(const tr_MediatorDataTable& data, const std::string& key, int& value) {
    return ToInt(data.Find(key), value);
}

bool tp_ReadOptionalFloat(const tr_MediatorDataTable& data, const std::string& key, float& value) {
    return ToFloat(data.Find(key), value);
}

bool tp_ReadOptionalString(const tr_MediatorDataTable& data, const std::string& key,
                           std::string& value) {
    return ToString(data.Find(key), value);
}

bool tp_ReadFlag(const tr_MediatorDataTable& data, const std::string& key) {
    int value = 0;
    return tp_ReadInt(data, key, value) && value == 1;
}
