#include "game/interface/tp_ItemRowWidget.h"

#include "engine/core/tr_Log.h"
#include "engine/core/tr_MediatorDataArray.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/scene/tr_InputFocus.h"
#include "game/core/tp_Config.h"
#include "game/interface/tp_Transporter.h"
#include "game/interface/tp_WidgetSupport.h"

#include <algorithm>
#include <memory>

namespace {

tr_MediatorDataTable NameData(const std::string& name) {
    tr_MediatorDataTable data;
    data.SetString("name", name);
    return data;
}

// A row needs at least one slot: with none, every item would sit outside
// the window and the scrolling rules would chase a slot that never comes.
int ConfiguredSlotCount(const std::string& widget) {
    const tp_Config* config = tp_Config::Get();
    const int size = config ? config->inventory_size : 0;
    if (size >= 1)
        return size;
    tr_Log("Warning: interface widget \"%s\" has inventory_size %d; it shows 1 slot.",
           widget.c_str(), size);
    return 1;
}

} // namespace

tp_ItemRowWidget::tp_ItemRowWidget(const std::string& name, const Commands& commands)
    : tp_InterfaceWidget(name), slot_count_(ConfiguredSlotCount(name)), commands_(commands) {}

int tp_ItemRowWidget::SlotPosition(int index) const {
    if (index < first_visible_)
        return -1;
    return std::min(index - first_visible_, slot_count_);
}

int tp_ItemRowWidget::IndexOf(const std::string& name) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].name == name)
            return static_cast<int>(i);
    return -1;
}

tp_ItemRowWidget::Item tp_ItemRowWidget::MakeItem(const std::string& name) {
    Item item;
    item.name = name;
    if (tr_Object* object = tp_FindSceneObject(name)) {
        object->SetDraggable(true);
        item.object.Set(object);
        item.had_object = true;
    }
    return item;
}

void tp_ItemRowWidget::ScrollTo(int index) {
    if (index < first_visible_)
        first_visible_ = index;
    else if (index >= first_visible_ + slot_count_)
        first_visible_ = index - slot_count_ + 1;
}

bool tp_ItemRowWidget::SendLayout() {
    moving_ = true;
    auto data = std::make_shared<tr_MediatorDataTable>();
    data->SetInt("size", slot_count_);
    tr_MediatorDataArray* objects = data->AddArray("objects");
    for (size_t i = 0; i < items_.size(); ++i) {
        tr_MediatorDataTable* entry = objects->AddTable();
        entry->SetString("name", items_[i].name);
        entry->SetInt("pos", SlotPosition(static_cast<int>(i)));
    }
    return CallModuleWith(commands_.layout, std::move(data));
}

bool tp_ItemRowWidget::PageLeft() {
    if (moving_ || first_visible_ <= 0)
        return true;
    --first_visible_;
    return SendLayout();
}

bool tp_ItemRowWidget::PageRight() {
    if (moving_ || first_visible_ + slot_count_ >= static_cast<int>(items_.size()))
        return true;
    ++first_visible_;
    return SendLayout();
}

void tp_ItemRowWidget::EraseAt(int index) {
    if (index < first_visible_ || (index < first_visible_ + slot_count_ && first_visible_ > 0))
        --first_visible_;
    items_.erase(items_.begin() + index);
}

bool tp_ItemRowWidget::LetGoOfHeld() {
    held_.Reset();
    held_name_.clear();
    tp_FinishTransfer(tp_Transporter::TRANS_INVENTORY_TO_CURSOR);
    return CallModule(commands_.held_removed, tr_MediatorDataTable());
}

bool tp_ItemRowWidget::RemoveItem(const std::string& name, const tr_MediatorDataTable& data) {
    if (IndexOf(name) < 0)
        return true;
    tr_Object* object = tp_FindSceneObject(name);
    if (object && held_.Is(object)) {
        if (!LetGoOfHeld())
            return false;
        object = tp_FindSceneObject(name);
    }
    tp_ParkInStorage(object);
    // The module call above may have changed the row.
    const int index = IndexOf(name);
    if (index < 0)
        return true;
    EraseAt(index);
    return CallModule(commands_.removed, data);
}

void tp_ItemRowWidget::ClearRow() {
    items_.clear();
    held_.Reset();
    held_name_.clear();
    first_visible_ = 0;
    moving_ = false;
}

bool tp_ItemRowWidget::DropDeadObjects() {
    if (!held_name_.empty() && !held_ && !LetGoOfHeld())
        return false;
    if (!zoomed_name_.empty() && !zoomed_) {
        const std::string name = zoomed_name_;
        zoomed_name_.clear();
        if (!CallModule(commands_.zoom_out, NameData(name)))
            return false;
    }
    bool removed = false;
    for (size_t i = 0; i < items_.size();) {
        if (!items_[i].had_object || items_[i].object) {
            ++i;
            continue;
        }
        const std::string name = items_[i].name;
        EraseAt(static_cast<int>(i));
        removed = true;
        if (!CallModule(commands_.removed, NameData(name)))
            return false;
        // The module may have changed the row: look again from the start.
        i = 0;
    }
    return !removed || SendLayout();
}

bool tp_ItemRowWidget::TrackDrag() {
    tr_Object* dragged = tr_InputFocus::Dragged().Get();
    if (held_) {
        if (dragged)
            return true;
        const std::string name = held_->GetName();
        held_.Reset();
        held_name_.clear();
        tp_FinishTransfer(tp_Transporter::TRANS_INVENTORY_TO_CURSOR);
        return CallModule(commands_.drag_end, NameData(name));
    }
    if (!dragged)
        return true;
    const int index = IndexOf(dragged->GetName());
    if (index < 0)
        return true;
    held_.Set(dragged);
    held_name_ = items_[index].name;
    return CallModule(commands_.drag_start, NameData(held_name_));
}

bool tp_ItemRowWidget::HandleInput(tr_InputEvent& event, tr_Object* picked,
                                   const tr_DrawState& state) {
    tp_InterfaceWidget::HandleInput(event, picked, state);
    if (event.type == TR_EVENT_MOUSE_MOVE && !tr_InputFocus::Dragged())
        (void)TrackPointer(picked);
    return false;
}

bool tp_ItemRowWidget::TrackPointer(tr_Object* picked) {
    const bool inside = picked && tr_Object::FindChild(this, picked->GetName(), true);
    OnPointerOver(inside);
    if (!inside && !zoomed_)
        return true;
    const tr_ObjectRef under(picked);
    const int index = picked ? IndexOf(picked->GetName()) : -1;
    if (zoomed_ && (index < 0 || !zoomed_.Is(picked))) {
        const std::string name = zoomed_->GetName();
        zoomed_.Reset();
        zoomed_name_.clear();
        if (!CallModule(commands_.zoom_out, NameData(name)))
            return false;
    }
    // The module may have deleted the object under the pointer or changed
    // the row.
    picked = under.Get();
    if (!picked || zoomed_.Is(picked))
        return true;
    const int item = IndexOf(picked->GetName());
    if (item < 0)
        return true;
    zoomed_.Set(picked);
    zoomed_name_ = items_[item].name;
    return CallModule(commands_.zoom_in, NameData(zoomed_name_));
}
