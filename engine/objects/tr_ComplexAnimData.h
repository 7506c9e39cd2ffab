// tr_ComplexAnimData: a complex animation as read from its XML through the
// resource XML reader: the tree of image nodes (owned), the index of nodes
// by name, and the named functions with their keyframe tracks per node.
// Each function's node entries are tied to their nodes once, while reading
// (entries naming no node stay untied and are ignored), and the pose of a
// moment is evaluated into the nodes. A value owned by its complex
// animation object; it is not copyable, since the functions point into the
// node tree.
#pragma once

#include "engine/objects/tr_ComplexAnimNode.h"
#include "engine/objects/tr_ComplexAnimTrack.h"

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class tr_SLHelper_TinyXML2;

struct tr_ComplexAnimFunction {
    struct NodeTracks {
        std::string node_name;
        tr_ComplexAnimNode* node = nullptr; // null when no node has that name
        std::vector<tr_ComplexAnimTrack> tracks;
    };

    bool loop = false;
    float duration = 0.0f; // the largest key time of all its tracks
    std::vector<NodeTracks> nodes;
};

class tr_ComplexAnimData {
public:
    tr_ComplexAnimData() = default;
    tr_ComplexAnimData(const tr_ComplexAnimData&) = delete;
    tr_ComplexAnimData& operator=(const tr_ComplexAnimData&) = delete;

    // Reads the root element the reader stands on.
    void Load(tr_SLHelper_TinyXML2& reader);
    // Load over the bytes of a file; false (and nothing read) when they are
    // not XML.
    bool LoadFromBuffer(const char* data, size_t size);
    void Clear();

    // Null for an unknown name.
    tr_ComplexAnimFunction* FindFunction(const std::string& name);
    tr_ComplexAnimNode* FindNode(const std::string& name) const;
    const std::vector<std::unique_ptr<tr_ComplexAnimNode>>& GetRoots() const { return roots_; }
    size_t GetFunctionCount() const { return functions_.size(); }

    // Every track of function back at offset 0.
    static void RewindTracks(tr_ComplexAnimFunction& function);
    // The pose at elapsed seconds into function (null: every node hidden).
    void EvaluatePose(tr_ComplexAnimFunction* function, float elapsed);
    // Visits every node, parents before children, in document order.
    void ForEachNode(const std::function<void(tr_ComplexAnimNode&)>& visit) const;

private:
    void ReadNodes(tr_SLHelper_TinyXML2& reader,
                   std::vector<std::unique_ptr<tr_ComplexAnimNode>>& into);
    void ReadFunction(tr_SLHelper_TinyXML2& reader);

    std::vector<std::unique_ptr<tr_ComplexAnimNode>> roots_;
    std::map<std::string, tr_ComplexAnimFunction> functions_;
    std::map<std::string, tr_ComplexAnimNode*> index_;
};
