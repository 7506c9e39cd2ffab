#include "engine/scene/tr_ObjectRef.h"

#include "engine/scene/tr_Object.h"

void tr_ObjectRef::Set(tr_Object* object) {
    if (object)
        anchor_ = object->GetAnchor();
    else
        anchor_.reset();
}
