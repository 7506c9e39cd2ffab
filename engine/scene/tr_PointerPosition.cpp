#include "engine/scene/tr_PointerPosition.h"

tr_PointerPosition* tr_PointerPosition::live_ = nullptr;

tr_PointerPosition::tr_PointerPosition() {
    live_ = this;
}

tr_PointerPosition::~tr_PointerPosition() {
    if (live_ == this)
        live_ = nullptr;
}
