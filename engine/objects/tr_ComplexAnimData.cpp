#include "engine/objects/tr_ComplexAnimData.h"

#include "engine/core/tr_SLHelper_TinyXML2.h"
#include "engine/resources/files/tr_ResourceXmlBuffer.h"

#include <algorithm>

namespace {

void VisitTree(const std::vector<std::unique_ptr<tr_ComplexAnimNode>>& nodes,
               const std::function<void(tr_ComplexAnimNode&)>& visit) {
    for (const auto& node : nodes) {
        visit(*node);
        VisitTree(node->children, visit);
    }
}

} // namespace

void tr_ComplexAnimData::Clear() {
    functions_.clear();
    index_.clear();
    roots_.clear();
}

bool tr_ComplexAnimData::LoadFromBuffer(const char* data, size_t size) {
    Clear();
    std::unique_ptr<tr_SLHelper_TinyXML2> reader = tr_ParseResourceXml(data, size);
    if (!reader)
        return false;
    Load(*reader);
    return true;
}

void tr_ComplexAnimData::Load(tr_SLHelper_TinyXML2& reader) {
    Clear();
    if (reader.Enter("objs")) {
        ReadNodes(reader, roots_);
        reader.Leave();
    }
    if (reader.Enter("funcs")) {
        tr_ForEachResourceElement(reader, "func", [&] { ReadFunction(reader); });
        reader.Leave();
    }
}

void tr_ComplexAnimData::ReadNodes(tr_SLHelper_TinyXML2& reader,
                                   std::vector<std::unique_ptr<tr_ComplexAnimNode>>& into) {
    tr_ForEachResourceElement(reader, "obj", [&] {
        auto node = std::make_unique<tr_ComplexAnimNode>();
        reader.ReadString("name", node->name);
        reader.ReadString("res", node->res);
        reader.ReadFloat("drawoff_x", node->drawoff_x);
        reader.ReadFloat("drawoff_y", node->drawoff_y);
        reader.ReadFloat("pos_x", node->pos_x);
        reader.ReadFloat("pos_y", node->pos_y);
        reader.ReadFloat("pos_z", node->pos_z);
        reader.ReadInt("blendmode", node->blend);
        index_.emplace(node->name, node.get()); // the first node of a name wins
        ReadNodes(reader, node->children);
        into.push_back(std::move(node));
    });
}

void tr_ComplexAnimData::ReadFunction(tr_SLHelper_TinyXML2& reader) {
    std::string name;
    reader.ReadString("name", name);
    tr_ComplexAnimFunction function;
    reader.ReadBool("loop", function.loop);
    tr_ForEachResourceElement(reader, "obj", [&] {
        tr_ComplexAnimFunction::NodeTracks entry;
        reader.ReadString("name", entry.node_name);
        entry.node = FindNode(entry.node_name);
        tr_ForEachResourceElement(reader, "anim", [&] {
            tr_ComplexAnimTrack track;
            std::string kind;
            reader.ReadString("tp", kind);
            track.kind = tr_ComplexAnimTrack::KindFromName(kind);
            reader.ReadBool("loop", track.loop);
            tr_ForEachResourceElement(reader, "fr", [&] {
                tr_ComplexAnimKey key;
                reader.ReadFloat("t", key.time);
                reader.ReadFloat("v", key.value);
                reader.ReadInt("i", key.interp);
                key.forward_time = key.backward_time = key.time;
                key.forward_value = key.backward_value = key.value;
                reader.ReadFloat("fm_t", key.forward_time);
                reader.ReadFloat("fm_v", key.forward_value);
                reader.ReadFloat("bm_t", key.backward_time);
                reader.ReadFloat("bm_v", key.backward_value);
                function.duration = std::max(function.duration, key.time);
                track.keys.push_back(key);
            });
            entry.tracks.push_back(std::move(track));
        });
        function.nodes.push_back(std::move(entry));
    });
    functions_[name] = std::move(function);
}

tr_ComplexAnimFunction* tr_ComplexAnimData::FindFunction(const std::string& name) {
    const auto found = functions_.find(name);
    return found == functions_.end() ? nullptr : &found->second;
}

tr_ComplexAnimNode* tr_ComplexAnimData::FindNode(const std::string& name) const {
    const auto found = index_.find(name);
    return found == index_.end() ? nullptr : found->second;
}

void tr_ComplexAnimData::RewindTracks(tr_ComplexAnimFunction& function) {
    for (tr_ComplexAnimFunction::NodeTracks& entry : function.nodes)
        for (tr_ComplexAnimTrack& track : entry.tracks)
            track.offset = 0.0f;
}

void tr_ComplexAnimData::EvaluatePose(tr_ComplexAnimFunction* function, float elapsed) {
    for (const auto& root : roots_)
        root->ResetPose();
    if (function) {
        float value = 0.0f;
        for (tr_ComplexAnimFunction::NodeTracks& entry : function->nodes) {
            if (!entry.node)
                continue;
            for (tr_ComplexAnimTrack& track : entry.tracks)
                if (track.Evaluate(elapsed, value))
                    entry.node->SetValue(track.kind, value);
        }
    }
    const tr_DrawState top;
    for (const auto& root : roots_)
        root->ComputePose(top);
}

void tr_ComplexAnimData::ForEachNode(const std::function<void(tr_ComplexAnimNode&)>& visit) const {
    VisitTree(roots_, visit);
}
