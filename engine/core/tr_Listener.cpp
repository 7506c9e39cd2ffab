#include "engine/core/tr_Listener.h"

#include "engine/core/tr_Mediator.h"

tr_Listener::~tr_Listener() {
    if (tr_Mediator* mediator = tr_Mediator::Get()) {
        mediator->Unsubscribe(this);
    }
}
