// tr_Cursor: the one mouse cursor. It holds a numbered list of shapes and
// either draws the current one itself after the scene (engine mode) or lets
// the platform show the shape's system cursor (system mode). The input path
// moves it on every mouse event; the host marks it outside when the mouse
// leaves the window, and it is not drawn until the next move.
//
// The behaviour lives here; a platform part (tr_Cursor_SDL, tr_Cursor_Headless)
// only supplies the system cursors through the three protected operations.
// Get() reaches the live cursor (null when none exists); the engine services
// create it after the resource registry and delete it with the platform
// objects. It owns the shapes' scene objects; those objects live outside
// every scene tree.
#pragma once

#include "engine/objects/tr_CursorShape.h"
#include "engine/scene/tr_PointerPosition.h"

#include <string>
#include <vector>

class tr_Render;
struct tr_FrameInfo;

class tr_Cursor : public tr_PointerPosition {
public:
    // The platform cursor ids content registers its shapes with.
    enum SystemCursorId : int {
        SYSTEM_CURSOR_NONE = 0,
        SYSTEM_CURSOR_ARROW = 32512,
        SYSTEM_CURSOR_SIZE_ALL = 32646,
        SYSTEM_CURSOR_HAND = 32649,
    };

    // Becomes the live cursor (replacing any earlier one as Get's answer).
    tr_Cursor();
    tr_Cursor(const tr_Cursor&) = delete;
    tr_Cursor& operator=(const tr_Cursor&) = delete;
    virtual ~tr_Cursor();

    static tr_Cursor* Get();

    // Switching applies the platform cursor for the current shape at once.
    virtual void SetSystemMode(bool on);
    virtual bool IsSystemMode() const { return system_mode_; }
    // Ignores an index out of range and the index already in use, so an
    // animated shape keeps its phase when content selects it again.
    virtual void SetCurrent(int index);
    virtual void SetPosition(int x, int y);
    // Engine mode: draws the current shape at the position plus its hot spot.
    virtual void Draw(tr_Render* render);
    // Advances the current shape's animation (engine mode only).
    virtual void Update(const tr_FrameInfo& frame);
    // name + ".xml" makes an animated shape playing "DoAnim", else
    // name + ".png" a plain one, else a shape that draws nothing. Returns the
    // new shape's index.
    virtual int AddShape(const std::string& name, int offset_x, int offset_y, int system_cursor_id);

    // Selects by a decimal index ("2") or by a registered shape name, either
    // as registered or its last path component ("cursor_magglass"). False
    // when nothing matches; the current shape then stays.
    bool SetCurrentByName(const std::string& name);

    int GetCurrent() const { return current_; }
    // The mouse left the window; cleared by the next SetPosition.
    void SetOutside() { outside_ = true; }
    bool IsOutside() const { return outside_; }
    int GetShapeCount() const { return static_cast<int>(shapes_.size()); }
    // Null for an index out of range.
    const tr_CursorShape* GetShape(int index) const;

protected:
    // The platform's predefined cursor for id (0 when none). Handles made
    // here stay valid until the platform part is destroyed.
    virtual tr_SystemCursor LoadSystemCursor(int id) = 0;
    // Shows cursor over the window; 0 hides the platform cursor.
    virtual void ShowSystemCursor(tr_SystemCursor cursor) = 0;
    virtual tr_SystemCursor GetShownSystemCursor() const = 0;

private:
    void DeleteShapes();
    // What the platform should show now for the current shape and mode.
    void ApplyPlatformCursor();
    tr_CursorShape* CurrentShape();

    static tr_Cursor* instance_;

    int current_ = -1;
    bool system_mode_ = false;
    bool outside_ = false;
    std::vector<tr_CursorShape> shapes_;
};
