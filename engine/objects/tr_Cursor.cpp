#include "engine/objects/tr_Cursor.h"

#include "engine/core/tr_FrameInfo.h"
#include "engine/objects/tr_AnimSprite.h"
#include "engine/objects/tr_Sprite.h"
#include "engine/render/tr_Render.h"
#include "engine/resources/files/tr_ContentPath.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

tr_Cursor* tr_Cursor::instance_ = nullptr;

namespace {

// The part after the last "/" or "\".
std::string BaseName(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A whole decimal integer within int's range, else false.
bool ParseIndex(const std::string& text, int& value) {
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    const long parsed = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || parsed < INT_MIN || parsed > INT_MAX)
        return false;
    value = static_cast<int>(parsed);
    return true;
}

} // namespace

tr_Cursor::tr_Cursor() {
    instance_ = this;
}

tr_Cursor::~tr_Cursor() {
    DeleteShapes();
    if (instance_ == this)
        instance_ = nullptr;
}

tr_Cursor* tr_Cursor::Get() {
    return instance_;
}

void tr_Cursor::DeleteShapes() {
    shapes_.clear();
    current_ = -1;
}

void tr_Cursor::SetSystemMode(bool on) {
    system_mode_ = on;
    ApplyPlatformCursor();
}

void tr_Cursor::SetCurrent(int index) {
    if (index < 0 || index >= GetShapeCount() || index == current_)
        return;
    current_ = index;
    const tr_SystemCursor system_cursor = shapes_[static_cast<size_t>(index)].system_cursor;
    if (!system_mode_)
        ShowSystemCursor(0);
    else if (system_cursor != 0)
        ShowSystemCursor(system_cursor);
}

bool tr_Cursor::SetCurrentByName(const std::string& name) {
    int index = 0;
    if (ParseIndex(name, index)) {
        if (index < 0 || index >= GetShapeCount())
            return false;
        SetCurrent(index);
        return true;
    }
    for (int i = 0; i < GetShapeCount(); ++i) {
        const std::string& shape_name = shapes_[static_cast<size_t>(i)].name;
        if (!name.empty() && (shape_name == name || BaseName(shape_name) == name)) {
            SetCurrent(i);
            return true;
        }
    }
    return false;
}

void tr_Cursor::SetPosition(int x, int y) {
    MoveTo(static_cast<float>(x), static_cast<float>(y));
    ApplyPlatformCursor();
    outside_ = false;
}

void tr_Cursor::ApplyPlatformCursor() {
    if (!system_mode_) {
        ShowSystemCursor(0);
        return;
    }
    const tr_CursorShape* shape = CurrentShape();
    const tr_SystemCursor wanted = shape ? shape->system_cursor : 0;
    if (GetShownSystemCursor() != wanted)
        ShowSystemCursor(wanted);
}

void tr_Cursor::Draw(tr_Render* render) {
    tr_CursorShape* shape = CurrentShape();
    if (!render || !shape || system_mode_ || outside_ || !shape->object)
        return;
    tr_Object* object = shape->object.get();
    render->BeginDraw();
    object->SetPosition(GetX() + static_cast<float>(shape->offset_x),
                        GetY() + static_cast<float>(shape->offset_y));
    const tr_DrawState state = tr_Object::ComputeDrawState(object, tr_DrawState(), 0);
    object->Draw(render, state);
    render->EndDraw();
}

void tr_Cursor::Update(const tr_FrameInfo& frame) {
    tr_CursorShape* shape = CurrentShape();
    if (shape && !system_mode_ && shape->animated && shape->object)
        shape->object->Update(frame);
}

int tr_Cursor::AddShape(const std::string& name, int offset_x, int offset_y, int system_cursor_id) {
    tr_CursorShape shape;
    shape.name = name;
    shape.offset_x = offset_x;
    shape.offset_y = offset_y;
    if (!name.empty() && tr_ContentPath::Exists(name + ".xml")) {
        auto sprite = std::make_unique<tr_AnimSprite>(name);
        sprite->SetRes(name);
        sprite->LoadResources();
        sprite->Play("DoAnim", std::string());
        shape.animated = true;
        shape.object = std::move(sprite);
    } else if (!name.empty() && tr_ContentPath::Exists(name + ".png")) {
        auto sprite = std::make_unique<tr_Sprite>(name);
        sprite->SetRes(name);
        sprite->LoadResources();
        shape.object = std::move(sprite);
    }
    shape.system_cursor = LoadSystemCursor(system_cursor_id);
    shapes_.push_back(std::move(shape));
    return GetShapeCount() - 1;
}

const tr_CursorShape* tr_Cursor::GetShape(int index) const {
    if (index < 0 || index >= GetShapeCount())
        return nullptr;
    return &shapes_[static_cast<size_t>(index)];
}

tr_CursorShape* tr_Cursor::CurrentShape() {
    if (current_ < 0 || current_ >= GetShapeCount())
        return nullptr;
    return &shapes_[static_cast<size_t>(current_)];
}
