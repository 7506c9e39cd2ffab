// tr_ObjectRef: a weak reference to a scene object. It reads as null once the
// object is destroyed, so anything that remembers an object it does not own
// (hovered and dragged objects, the drag candidate, the name registry, masks,
// a level's current room ...) holds one of these instead of a raw pointer.
// The object owns the shared anchor; refs only share it.
#pragma once

#include <memory>

class tr_Object;

class tr_ObjectRef {
public:
    tr_ObjectRef() = default;
    explicit tr_ObjectRef(tr_Object* object) { Set(object); }

    // The object, or null when none was set or it has been destroyed.
    tr_Object* Get() const { return anchor_ ? *anchor_ : nullptr; }
    // The object as T, or null when gone or of another type.
    template <class T> T* GetAs() const { return dynamic_cast<T*>(Get()); }
    void Set(tr_Object* object);
    void Reset() { anchor_.reset(); }

    bool Is(const tr_Object* object) const { return object && Get() == object; }
    explicit operator bool() const { return Get() != nullptr; }
    tr_Object* operator->() const { return Get(); }

private:
    std::shared_ptr<tr_Object*> anchor_;
};
