// tr_Object: the base of everything that lives in a scene. It owns its
// children (deleted with it) and knows its parent without owning it. It carries
// the transform, colour and blend mode its draw state is built from, the named
// attributes loaded and saved through a tr_SLHelper, nine event-code slots,
// optional input and crop rectangles, and the keyframe modifiers that animate
// its attributes. Objects outside their tree are owned by whoever created
// them; inside it the scene's roots own everything. Anything that remembers an
// object it does not own holds a tr_ObjectRef, never a raw pointer.
#pragma once

#include "engine/core/tr_FrameInfo.h"
#include "engine/core/tr_InputEvent.h"
#include "engine/render/tr_DrawState.h"
#include "engine/render/tr_Rect.h"
#include "engine/scene/tr_Modifier.h"
#include "engine/scene/tr_Serializable.h"

#include <memory>
#include <string>
#include <vector>

class tr_Render;
class tr_Resource;
class tr_SLHelper;

enum tr_EventSlot : int {
    TR_EVENT_MDOWN = 0,
    TR_EVENT_MUP = 1,
    TR_EVENT_MENTER = 2,
    TR_EVENT_MLEAVE = 3,
    TR_EVENT_MENTER_DRAG = 4,
    TR_EVENT_MLEAVE_DRAG = 5,
    TR_EVENT_STARTDRAG = 6,
    TR_EVENT_DRAGDROP = 7,
    TR_EVENT_DRAG = 8,
    TR_EVENT_SLOT_COUNT = 9,
};

// How an object inherits its parent's transform (see ComputeDrawState).
enum tr_AttachType : int {
    TR_ATTACH_FULL = 0,
    TR_ATTACH_NO_ROTATION = 1,
    TR_ATTACH_POSITION_ONLY = 2,
    TR_ATTACH_NONE_OF_PARENT = 3,
};

class tr_Object : public tr_Serializable {
public:
    tr_Object();
    explicit tr_Object(std::string name);
    tr_Object(const tr_Object&) = delete;
    tr_Object& operator=(const tr_Object&) = delete;

    void Load(tr_SLHelper& helper) override;
    void Save(tr_SLHelper& helper) override;
    ~tr_Object() override;
    virtual std::string GetRes() const { return res_name_; }
    virtual void SetRes(const std::string& name);
    virtual std::shared_ptr<tr_Resource> GetResource();
    virtual std::string GetType() const { return "obj"; }
    virtual tr_Rect GetDrawRect() { return tr_Rect(); }
    virtual bool HitTest(float x, float y, const tr_DrawState& state);
    virtual void Refresh(bool recursive);
    virtual void ResetDefaults();
    virtual void Initialise() { initialised_ = true; }
    virtual void Deinitialise() { initialised_ = false; }
    virtual void LoadResources() { resources_loaded_ = true; }
    virtual void UnloadResources() { resources_loaded_ = false; }
    virtual void Update(const tr_FrameInfo& frame);
    virtual bool HandleInput(tr_InputEvent& event, tr_Object* picked, const tr_DrawState& state);
    virtual void Draw(tr_Render* render, const tr_DrawState& state);

    // Tree operations. AddChild ignores null children and refuses cycles and
    // (with a log line) trees deeper than kMaxTreeDepth levels: every walk
    // over the tree (update, draw, input, deletion, resource loading)
    // recurses once per level, so the cap bounds the stack they need.
    // Children stay sorted by ascending z, equal z in attach order: a child
    // joins after the siblings of equal z, and a list whose z values changed
    // since it was last sorted is stably sorted again.
    static constexpr int kMaxTreeDepth = 1000;
    static void AddChild(tr_Object* parent, tr_Object* child);
    static tr_Object* RemoveChild(tr_Object* parent, tr_Object* child, bool recursive);
    static void DeleteChildren(tr_Object* object);
    static tr_Object* FindChild(tr_Object* object, const std::string& name, bool recursive);
    // AddChild, then loads or unloads the child's subtree to match the parent.
    static void Attach(tr_Object* parent, tr_Object* child);
    static std::string GetEventCode(const tr_Object* object, int index);

    // The draw state of object under a parent state; mode 0 for drawing and
    // hit testing, 1 to 3 for the partial parent transforms of attach types.
    static tr_DrawState ComputeDrawState(tr_Object* object, const tr_DrawState& parent, int mode);
    // The object's world transform composed afresh from its root down (mode
    // 0 at every level), so a change made since the last frame already
    // counts; the cached world matrix only follows at the next draw.
    static tr_Matrix ComputeWorldTransform(tr_Object* object);
    // The crop rectangle in screen space under world (axis-aligned).
    tr_Rect GetScreenCropRect(const tr_Matrix& world) const;
    // Whether (x, y) lies in the crop rectangle transformed by world; true
    // when no crop rectangle is defined.
    bool CropContains(float x, float y, const tr_Matrix& world) const;
    // Even-odd test of (x, y) against rect's corners transformed by world.
    static bool QuadContains(const tr_Rect& rect, const tr_Matrix& world, float x, float y);

    // Stable re-sort of the children by ascending z (a z that is not a number
    // sorts before every number). Linear when in order or when only the last
    // child is out of place (a new child), n log n otherwise.
    void SortChildren();

    // Modifiers: one per kind (per attribute for TR_MOD_ATTRIBUTE). keys holds
    // value_count floats, cut to whole keys. Returns false when refused (a
    // kind outside the table, or an attribute kind without a name).
    bool AddModifier(int kind, const std::string& attribute, bool loop, bool relative,
                     const std::string& end_code, const float* keys, int value_count);
    // Removes the modifier without running its end code.
    bool RemoveModifier(int kind, const std::string& attribute);
    size_t GetModifierCount() const { return modifiers_.size(); }

    const std::string& GetName() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    tr_Object* GetParent() const { return parent_; }
    const std::vector<tr_Object*>& GetChildren() const { return children_; }

    bool IsInitialised() const { return initialised_; }
    bool AreResourcesLoaded() const { return resources_loaded_; }

    float GetPosX() const { return pos_[0]; }
    float GetPosY() const { return pos_[1]; }
    float GetPosZ() const { return pos_[2]; }
    void SetPosition(float x, float y);
    void SetPosZ(float z);
    float GetAngle() const { return angle_; }
    void SetAngle(float angle);
    float GetScaleX() const { return scale_[0]; }
    float GetScaleY() const { return scale_[1]; }
    void SetScale(float x, float y);
    float GetAlpha() const { return own_state_.alpha; }
    void SetAlpha(float alpha) { own_state_.alpha = alpha; }
    void SetColor(float red, float green, float blue);
    const tr_DrawState& GetOwnState() const { return own_state_; }
    // The colour factors the keyframe modifiers apply on top of the own state.
    struct ModifierColor {
        float alpha = 1.0f;
        float red = 1.0f;
        float green = 1.0f;
        float blue = 1.0f;
    };
    const ModifierColor& GetModifierState() const { return mod_state_; }
    int GetBlendMode() const { return own_state_.blend; }
    void SetBlendMode(int blend) { own_state_.blend = blend; }
    int GetAttachType() const { return attach_type_; }
    void SetAttachType(int type) { attach_type_ = type; }

    bool IsActive() const { return active_; }
    void SetActive(bool on) { active_ = on; }
    bool IsInputEnabled() const { return input_; }
    void SetInputEnabled(bool on) { input_ = on; }
    bool IsVisible() const { return visible_; }
    void SetVisible(bool on) { visible_ = on; }
    bool IsDraggable() const { return drag_; }
    void SetDraggable(bool on) { drag_ = on; }
    bool IsRealDrag() const { return realdrag_; }
    void SetRealDrag(bool on) { realdrag_ = on; }
    bool GetUpdateChildren() const { return update_children_; }
    void SetUpdateChildren(bool on) { update_children_ = on; }
    bool GetInputChildren() const { return input_children_; }
    void SetInputChildren(bool on) { input_children_ = on; }
    bool GetDrawChildren() const { return draw_children_; }
    void SetDrawChildren(bool on) { draw_children_ = on; }

    bool IsInputRectDefined() const { return input_rect_defined_; }
    const tr_Rect& GetInputRect() const { return input_rect_; }
    void SetInputRect(const tr_Rect& rect);
    bool IsCropRectDefined() const { return crop_rect_defined_; }
    const tr_Rect& GetCropRect() const { return crop_rect_; }
    void SetCropRect(const tr_Rect& rect);

    const std::string& GetEventCodeRef(int index) const;
    void SetEventCode(int index, const std::string& code);

    void SetDragPosition(float x, float y, float z);
    const tr_Matrix& GetWorldMatrix() const { return world_; }
    void MarkTransformDirty() { local_dirty_ = true; }

    // Set while a deletion waits for the running tree walk to end; marked
    // objects are skipped by walks and lookups.
    bool IsPendingDelete() const { return pending_delete_; }
    void MarkPendingDelete() { pending_delete_ = true; }

    // The shared anchor tr_ObjectRef reads; nulled when the object dies.
    const std::shared_ptr<tr_Object*>& GetAnchor();

protected:
    // Local matrix for a mode (see ComputeDrawState); mode 0 uses the cache.
    tr_Matrix LocalMatrix(int mode);
    // The local matrix of mode 0, brought up to date.
    const tr_Matrix& CachedLocalMatrix();

    // What every draw reads comes first, so that a walk over many objects
    // touches as few cache lines of each as it can; names, event code and
    // the rest follow.
    std::vector<tr_Object*> children_;
    tr_Object* parent_ = nullptr;
    bool visible_ = true;
    bool draw_children_ = true;
    bool crop_rect_defined_ = false;
    bool local_dirty_ = true;
    bool active_ = true;
    bool update_children_ = true;
    bool initialised_ = false;
    bool resources_loaded_ = false;
    bool input_ = true;
    bool input_children_ = true;
    bool input_rect_defined_ = false;
    bool drag_ = false;
    bool realdrag_ = false;
    // Set while a deletion waits for the running tree walk to end (see
    // MarkPendingDelete).
    bool pending_delete_ = false;
    int attach_type_ = TR_ATTACH_FULL;
    float pos_[3] = {0.0f, 0.0f, 0.0f};
    float angle_ = 0.0f;
    float scale_[2] = {1.0f, 1.0f};
    float pos_offset_[3] = {0.0f, 0.0f, 0.0f};
    float angle_offset_ = 0.0f;
    float scale_factor_[2] = {1.0f, 1.0f};
    tr_DrawState own_state_;
    ModifierColor mod_state_;
    tr_Matrix local_cache_;
    tr_Matrix world_;

    std::string name_;
    std::string res_name_;
    tr_Rect input_rect_;
    tr_Rect crop_rect_;
    std::string event_code_[TR_EVENT_SLOT_COUNT];
    std::vector<tr_Modifier> modifiers_;
    float drag_pos_[3] = {0.0f, 0.0f, 0.0f};

private:
    static tr_Matrix WorldMatrix(tr_Object* object, const tr_Matrix& local,
                                 const tr_Matrix& parent_matrix, int mode);
    // Moves world's translation to the drag position while object is dragged.
    static void PlaceIfDragged(const tr_Object* object, tr_Matrix& world);
    void ApplyModifiers(float dt);
    void ApplyModifier(const tr_Modifier& modifier, const float value[3]);
    void ApplyAttribute(const std::string& attribute, float value);
    // Tells the parent its child list may be out of z order.
    void ZChanged();

    std::shared_ptr<tr_Object*> anchor_;
    bool has_modifier_results_ = false; // offsets or colours differ from neutral
    // No child's z changed since the list was last sorted, so a new child can
    // go straight to its place.
    bool children_in_order_ = true;
};
