// tr_Mediator: the process-wide message bus. Senders name a message by an
// integer id and pass a tr_MediatorDataTable they own; every listener
// subscribed to that id gets it synchronously, in subscription order, and may
// write replies into it before Send returns.
//
// Exactly one mediator exists: the application creates it (the game's
// tp_Mediator derives from this class) before the engine and deletes it last.
// The constructor makes it reachable through tr_Mediator::Get(); the
// destructor clears that pointer. Listeners are not owned.
//
// Dispatch is re-entrant. A listener subscribed to id during a Send of id is
// called in that same Send; a listener unsubscribed (or destroyed) during a
// Send is not called afterwards and does not make others be skipped.
#pragma once

#include <map>
#include <vector>

class tr_Listener;
class tr_MediatorDataTable;

class tr_Mediator {
public:
    tr_Mediator();
    tr_Mediator(const tr_Mediator&) = delete;
    tr_Mediator& operator=(const tr_Mediator&) = delete;
    virtual ~tr_Mediator();

    // The process-wide mediator, or null before it is created / after it died.
    static tr_Mediator* Get() { return instance_; }

    // Appends listener to the list of id; subscribing twice means two calls.
    void Subscribe(int id, tr_Listener* listener);
    // Removes every occurrence of listener from every id.
    void Unsubscribe(tr_Listener* listener);
    void Send(int id, tr_MediatorDataTable& data);
    // Send on the live mediator; nothing (false) when there is none, as
    // early in start-up, late in shutdown and in tests without one.
    static bool SendIfAny(int id, tr_MediatorDataTable& data);

    // Number of live subscriptions of id (mostly for diagnostics and tests).
    int CountListeners(int id) const;

private:
    // Entries removed during a dispatch are nulled instead of erased so that
    // running dispatch loops keep their positions; they are compacted once the
    // outermost Send returns.
    void Compact();

    static tr_Mediator* instance_;
    std::map<int, std::vector<tr_Listener*>> listeners_;
    int dispatch_depth_ = 0;
    bool needs_compaction_ = false;
};
