// ScopedService<T>: a guard for tests that install doubles of a process-wide
// service (a tr_InstalledService): whatever is installed is destroyed when
// the scope ends, however it ends, so a failed assertion leaves nothing
// installed for the next test. The default constructor starts the scope with
// no service installed.
#pragma once

template <class T> class ScopedService {
public:
    ScopedService() { T::Destroy(); }
    explicit ScopedService(T* service) { T::Install(service); }
    ~ScopedService() { T::Destroy(); }
    ScopedService(const ScopedService&) = delete;
    ScopedService& operator=(const ScopedService&) = delete;
};
