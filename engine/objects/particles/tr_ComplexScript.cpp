#include "engine/objects/particles/tr_ComplexScript.h"

namespace {

tr_ComplexScript::Maker& InstalledMaker() {
    static tr_ComplexScript::Maker maker;
    return maker;
}

} // namespace

void tr_ComplexScript::SetMaker(Maker maker) {
    InstalledMaker() = std::move(maker);
}

std::unique_ptr<tr_ComplexScript> tr_ComplexScript::Make(tr_PartSysImpl_Complex* system) {
    const Maker& maker = InstalledMaker();
    return maker ? maker(system) : nullptr;
}
