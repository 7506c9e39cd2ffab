// tr_Listener: base of every mediator message receiver. A listener subscribes
// itself with tr_Mediator::Get()->Subscribe(id, this); its destructor removes
// it from the process-wide mediator (when one still exists), so a destroyed
// listener is never called, not even during a dispatch in progress.
#pragma once

class tr_MediatorDataTable;

class tr_Listener {
public:
    tr_Listener() = default;
    tr_Listener(const tr_Listener&) = delete;
    tr_Listener& operator=(const tr_Listener&) = delete;
    virtual ~tr_Listener();

    // Called synchronously by tr_Mediator::Send; data belongs to the sender and
    // may be written to (replies); do not keep pointers into it.
    virtual void OnMessage(int id, tr_MediatorDataTable& data) = 0;
};
