#include "engine/script/tr_Listener.h"

#include "engine/script/tr_Mediator.h"

tr_Listener::~tr_Listener() {
    if (tr_Mediator* mediator = tr_Mediator::Get()) {
        mediator->Unsubscribe(this);
    }
}
