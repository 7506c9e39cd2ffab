// tr_GeometryList: what vertex and index lists share: a fixed capacity, a
// CPU-side shadow copy of everything written, and a device buffer made by the
// current tr_RenderDevice. Writes go to the shadow copy and mark the list
// locked; the renderer unlocks it before drawing, which uploads the shadow
// copy. Every live list of a kind is registered so that all device buffers
// can be dropped and re-created from their shadow copies.
#pragma once

#include "engine/render/tr_RenderDevice.h"

#include <algorithm>
#include <memory>
#include <vector>

template <typename Element, bool kIndexBuffer> class tr_GeometryList {
public:
    tr_GeometryList() { Registry().push_back(this); }
    virtual ~tr_GeometryList() {
        auto& lists = Registry();
        lists.erase(std::remove(lists.begin(), lists.end(), this), lists.end());
    }
    tr_GeometryList(const tr_GeometryList&) = delete;
    tr_GeometryList& operator=(const tr_GeometryList&) = delete;

    // Makes the device buffer, only when none exists yet; false when the
    // device refuses (the list then stays without buffer and ignores writes).
    virtual bool Create(int capacity) {
        if (buffer_)
            return false;
        if (capacity <= 0)
            return false;
        buffer_ = tr_RenderDevice::Current()->CreateBuffer(BytesFor(capacity), kIndexBuffer);
        if (!buffer_)
            return false;
        capacity_ = capacity;
        shadow_.reserve(static_cast<size_t>(capacity));
        return true;
    }

    // Forgets what was written so the list can be filled again.
    void Clear() {
        shadow_.clear();
        locked_ = false;
    }

    int GetCount() const { return static_cast<int>(shadow_.size()); }
    int GetCapacity() const { return capacity_; }
    bool HasBuffer() const { return buffer_ != nullptr; }
    bool IsLocked() const { return locked_; }
    const std::vector<Element>& GetElements() const { return shadow_; }
    tr_DeviceBuffer* GetBuffer() const { return buffer_.get(); }

    // Hands what was written since the last draw to the device.
    void Unlock() {
        if (locked_ && buffer_)
            buffer_->Upload(shadow_.data(), shadow_.size() * sizeof(Element));
        locked_ = false;
    }

    void ReleaseBuffer() { buffer_.reset(); }
    // A new buffer of the recorded capacity filled from the shadow copy.
    void Recreate() {
        if (capacity_ <= 0)
            return;
        buffer_ = tr_RenderDevice::Current()->CreateBuffer(BytesFor(capacity_), kIndexBuffer);
        locked_ = true;
        Unlock();
    }

    static void ReleaseAll() {
        for (tr_GeometryList* list : Registry())
            list->ReleaseBuffer();
    }
    static void RecreateAll() {
        for (tr_GeometryList* list : Registry())
            list->Recreate();
    }
    static size_t LiveCount() { return Registry().size(); }

protected:
    void Append(const Element& element) {
        if (!buffer_ || GetCount() >= capacity_)
            return;
        shadow_.push_back(element);
        locked_ = true;
    }

private:
    static size_t BytesFor(int capacity) { return static_cast<size_t>(capacity) * sizeof(Element); }
    static std::vector<tr_GeometryList*>& Registry() {
        static std::vector<tr_GeometryList*> lists;
        return lists;
    }

    std::unique_ptr<tr_DeviceBuffer> buffer_;
    std::vector<Element> shadow_;
    int capacity_ = 0;
    bool locked_ = false;
};
