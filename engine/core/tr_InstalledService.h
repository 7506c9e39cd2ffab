// tr_InstalledService<T>: the one way a process-wide service that the
// application chooses is owned. T derives from tr_InstalledService<T> and so
// gets Get() (null until one is installed), Install() (takes ownership and
// replaces, deleting, the current one) and Destroy() (deletes it). The
// application installs the service at start-up and destroys it at shutdown;
// tests install their doubles and destroy them again in a guard.
#pragma once

template <class T> class tr_InstalledService {
public:
    static T* Get() { return instance_; }
    static void Install(T* service) {
        if (service != instance_) {
            delete instance_;
            instance_ = service;
        }
    }
    static void Destroy() { Install(nullptr); }

protected:
    tr_InstalledService() = default;
    ~tr_InstalledService() = default;

private:
    static inline T* instance_ = nullptr;
};
