#include "engine/core/tr_DisplayEnumerator.h"

tr_DisplayEnumerator* tr_DisplayEnumerator::instance_ = nullptr;

void tr_DisplayEnumerator::Install(tr_DisplayEnumerator* enumerator) {
    if (enumerator != instance_) {
        delete instance_;
        instance_ = enumerator;
    }
}

void tr_DisplayEnumerator::Destroy() {
    delete instance_;
    instance_ = nullptr;
}
