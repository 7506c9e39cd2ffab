// tr_Scene: the engine core's container of scene objects: the display root
// "tr_origin" (its tree is updated, drawn and takes input; resources loaded)
// and the storage root "tr_storage" (objects that exist but are not shown).
// The scene owns both roots and, through them, every attached object.
// Objects are looked up by name through the process-wide name registry, then
// by searching both trees.
#pragma once

#include "engine/core/tr_FrameInfo.h"
#include "engine/core/tr_InputEvent.h"
#include "engine/render/tr_DrawState.h"
#include "engine/scene/tr_InputDispatch.h"

#include <string>

class tr_Object;
class tr_Render;

class tr_Scene {
public:
    tr_Scene();
    ~tr_Scene();
    tr_Scene(const tr_Scene&) = delete;
    tr_Scene& operator=(const tr_Scene&) = delete;

    tr_Object* GetDisplayRoot() const { return display_root_; }
    tr_Object* GetStorageRoot() const { return storage_root_; }
    bool IsRoot(const tr_Object* object) const;
    // A root, or an object native code owns or points at (its name carries
    // the engine's or the game's reserved prefix): scripts must not move,
    // delete or hand it over, or its owner would be left dangling.
    bool IsReserved(const tr_Object* object) const;

    // The registered object of that name, else the first match in the
    // display tree, then in the storage tree; null when none.
    tr_Object* FindObject(const std::string& name) const;

    // Releases a dropped object first (the deferred drop), then re-sorts
    // children by z and updates active objects of the display tree.
    void Update(const tr_FrameInfo& frame);
    // Draws the visible part of the display tree with the default state.
    void Draw(tr_Render* render);
    // Draws object and its visible subtree under parent the way Draw draws
    // the display tree (invisible subtrees skipped, crop rectangles clip),
    // for pictures made outside the frame's walk such as render targets.
    static void DrawSubtree(tr_Object* object, tr_Render* render, const tr_DrawState& parent);
    // Runs the pick traversal over the display tree, then the hover, mouse-up
    // waiter and drag-and-drop rules; returns the object that took the event,
    // or null.
    tr_Object* DispatchInput(const tr_InputEvent& event);
    tr_InputDispatch& GetInputDispatch() { return input_dispatch_; }

    // Deletes object with its subtree. The roots are refused. While a tree
    // walk runs the object is only marked (walks and lookups skip it) and is
    // deleted when the walk ends, so script code run from inside an update,
    // draw or pick can delete anything safely.
    bool DeleteObject(tr_Object* object);
    // tr_Object::Attach for callers that name objects at will (scripts):
    // the roots are never moved under another object. False when refused.
    bool AttachObject(tr_Object* parent, tr_Object* child);

private:
    tr_Object* display_root_;
    tr_Object* storage_root_;
    tr_InputDispatch input_dispatch_;
};
