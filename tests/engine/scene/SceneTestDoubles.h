// Test doubles for the scene tests: a renderer that records what the scene
// asks of it, a call queue that records queued calls, a map-backed
// serialization helper and an object that logs its lifecycle calls.
#pragma once

#include "engine/core/tr_SLHelper.h"
#include "engine/render/tr_Render.h"
#include "engine/scene/tr_Object.h"
#include "engine/script/tr_CallQueue.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

class RecordingRender : public tr_Render {
public:
    void BeginFrame() override {}
    void EndFrame() override {}
    void BeginDraw() override {
        tr_Render::BeginDraw();
        log.push_back("begin");
    }
    void EndDraw() override { log.push_back("end"); }
    void BeginRenderToTexture(int, int) override {}
    std::shared_ptr<tr_Texture> EndRenderToTexture() override { return nullptr; }
    void DrawQuad(const std::shared_ptr<tr_Texture>&, const tr_DrawState&) override {}
    void DrawVertexList(const std::shared_ptr<tr_Texture>&, tr_VertexList&,
                        const tr_DrawState&) override {}
    void DrawIndexed(const std::shared_ptr<tr_Texture>&, tr_VertexList&, tr_IndexList&,
                     const tr_DrawState&) override {}
    void DrawLine(float, float, float, float, float, float, float, float, float,
                  const tr_DrawState&) override {}
    bool PushClip(const tr_Rect& rect) override {
        clips.push_back(rect);
        log.push_back("push");
        return tr_Render::PushClip(rect);
    }
    void PopClip() override {
        log.push_back("pop");
        tr_Render::PopClip();
    }

    std::vector<std::string> log;
    std::vector<tr_Rect> clips;
};

// Installs itself for its lifetime.
class RecordingQueue : public tr_CallQueue {
public:
    RecordingQueue() { tr_CallQueue::Install(this); }
    ~RecordingQueue() override { tr_CallQueue::Install(nullptr); }
    bool QueueCall(const std::string& sender, const std::string& code) override {
        calls.emplace_back(sender, code);
        return true;
    }
    std::vector<std::pair<std::string, std::string>> calls;
};

// Values stored as text under their key; writes in order are kept in keys.
class MapHelper : public tr_SLHelper {
public:
    void WriteString(const char* key, const std::string& v) override { Put(key, v); }
    void WriteFloat(const char* key, const float& v) override { Put(key, std::to_string(v)); }
    void WriteInt(const char* key, const int& v) override { Put(key, std::to_string(v)); }
    void WriteInt2(const char* key, const int& v) override { Put(key, std::to_string(v)); }
    void WriteBool(const char* key, const bool& v) override { Put(key, v ? "1" : "0"); }
    bool ReadString(const char* key, std::string& v) override {
        auto it = values.find(key);
        if (it == values.end())
            return false;
        v = it->second;
        return true;
    }
    bool ReadFloat(const char* key, float& v) override {
        std::string s;
        if (!ReadString(key, s))
            return false;
        v = std::stof(s);
        return true;
    }
    bool ReadInt(const char* key, int& v) override {
        std::string s;
        if (!ReadString(key, s))
            return false;
        v = std::stoi(s);
        return true;
    }
    bool ReadInt2(const char* key, int& v) override { return ReadInt(key, v); }
    bool ReadBool(const char* key, bool& v) override {
        int i = 0;
        if (!ReadInt(key, i))
            return false;
        v = i != 0;
        return true;
    }

    std::map<std::string, std::string> values;
    std::vector<std::string> keys;

private:
    void Put(const char* key, const std::string& v) {
        if (WritesSkipped())
            return;
        values[key] = v;
        keys.push_back(key);
    }
};

// Logs lifecycle calls as "<what>:<name>" into a shared log.
class LoggingObject : public tr_Object {
public:
    LoggingObject(const std::string& name, std::vector<std::string>* log)
        : tr_Object(name), log_(log) {}
    void Initialise() override {
        tr_Object::Initialise();
        log_->push_back("init:" + name_);
    }
    void Deinitialise() override {
        tr_Object::Deinitialise();
        log_->push_back("deinit:" + name_);
    }
    void LoadResources() override {
        tr_Object::LoadResources();
        log_->push_back("load:" + name_);
    }
    void UnloadResources() override {
        tr_Object::UnloadResources();
        log_->push_back("unload:" + name_);
    }
    void Update(const tr_FrameInfo& frame) override {
        tr_Object::Update(frame);
        log_->push_back("update:" + name_);
    }
    void Draw(tr_Render*, const tr_DrawState& state) override {
        log_->push_back("draw:" + name_);
        last_state = state;
    }
    tr_Rect GetDrawRect() override { return tr_Rect{0.0f, 0.0f, 30.0f, 40.0f}; }

    tr_DrawState last_state;

private:
    std::vector<std::string>* log_;
};
