// tr_SceneTraversal: keeps tree walks (update, draw, input pick) safe against
// script code that deletes or moves objects while the walk is inside them.
// A walk opens a tr_SceneTraversal for its duration and Enters every object
// it descends into; an object destroyed while on the walk's path is marked,
// and the walk leaves that branch without touching it again. Deletions asked
// for through DeleteLater while any walk runs are carried out when the
// outermost walk ends.
#pragma once

#include <cstddef>
#include <vector>

class tr_Object;

class tr_SceneTraversal {
public:
    tr_SceneTraversal();
    ~tr_SceneTraversal();
    tr_SceneTraversal(const tr_SceneTraversal&) = delete;
    tr_SceneTraversal& operator=(const tr_SceneTraversal&) = delete;

    static bool Running();

    // Path bookkeeping; Leave takes the slot Enter returned, innermost first.
    // Inline: they run several times for every object of every walk.
    static size_t Enter(tr_Object* object) {
        path_->push_back(object);
        return path_->size() - 1;
    }
    static bool IsAlive(size_t slot) { return (*path_)[slot] != nullptr; }
    static void Leave(size_t slot) { path_->resize(slot); }

    // Called by the object's destructor.
    static void ObjectDestroyed(tr_Object* object);

    // Deletes object now, or marks it and deletes it at the end of the
    // outermost running walk.
    static void DeleteLater(tr_Object* object);

private:
    // Objects on the current walk's path, root first; a destroyed one reads
    // null. Never freed: objects may die during static destruction.
    static inline std::vector<tr_Object*>* path_ = new std::vector<tr_Object*>;
};
