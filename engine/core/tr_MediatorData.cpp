#include "engine/core/tr_MediatorData.h"

#include "engine/core/tr_MediatorDataArray.h"
#include "engine/core/tr_MediatorDataFloat.h"
#include "engine/core/tr_MediatorDataInt.h"
#include "engine/core/tr_MediatorDataPointer.h"
#include "engine/core/tr_MediatorDataString.h"
#include "engine/core/tr_MediatorDataTable.h"

#include <cstring>

tr_MediatorData* tr_MediatorData::CreateByType(int type) {
    switch (type) {
    case TYPE_POINTER:
        return new tr_MediatorDataPointer();
    case TYPE_INT:
        return new tr_MediatorDataInt();
    case TYPE_FLOAT:
        return new tr_MediatorDataFloat();
    case TYPE_STRING:
        return new tr_MediatorDataString();
    case TYPE_ARRAY:
        return new tr_MediatorDataArray();
    case TYPE_TABLE:
        return new tr_MediatorDataTable();
    default:
        return nullptr;
    }
}

tr_MediatorData* tr_MediatorData::CreateByTypeLetter(const char* letter) {
    if (letter == nullptr || std::strlen(letter) != 1) {
        return nullptr;
    }
    switch (letter[0]) {
    case 'i':
        return new tr_MediatorDataInt();
    case 'f':
        return new tr_MediatorDataFloat();
    case 's':
        return new tr_MediatorDataString();
    case 'a':
        return new tr_MediatorDataArray();
    case 't':
        return new tr_MediatorDataTable();
    default:
        return nullptr;
    }
}
