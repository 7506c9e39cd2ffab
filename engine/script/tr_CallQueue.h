// tr_CallQueue: the seam through which scene objects ask for their event code,
// modifier end code and timer triggers to run later, with the object's name
// as sender. The trigger runtime installs its queue here; until something is
// installed the requests are dropped. The installed queue is not owned: its
// owner uninstalls it (Install(nullptr)) before it dies.
#pragma once

#include <string>

class tr_CallQueue {
public:
    virtual ~tr_CallQueue() = default;

    // Appends a call of code on behalf of sender; false when nothing was queued.
    virtual bool QueueCall(const std::string& sender, const std::string& code) = 0;

    static void Install(tr_CallQueue* queue) { installed_ = queue; }
    static tr_CallQueue* Installed() { return installed_; }

private:
    static tr_CallQueue* installed_;
};

// Queues code with sender through the installed queue. An empty code queues
// nothing, so objects without event code cost no call.
bool tr_QueueObjectCall(const std::string& sender, const std::string& code);
