#include "engine/core/tr_SLHelper_TinyXML2.h"

#include "engine/core/tr_SLHelper_XML.h"

#include <tinyxml2.h>

tr_SLHelper_TinyXML2::tr_SLHelper_TinyXML2(tinyxml2::XMLDocument* document) : document_(document) {
    if (document_ != nullptr) {
        root_ = document_->FirstChildElement();
        current_ = root_;
    }
}

tr_SLHelper_TinyXML2::~tr_SLHelper_TinyXML2() = default;

void tr_SLHelper_TinyXML2::WriteString(const char* key, const std::string& value) {
    if (!WritesSkipped()) {
        tr_SLHelper_XML::SetString(current_, key, value);
    }
}

void tr_SLHelper_TinyXML2::WriteFloat(const char* key, const float& value) {
    if (!WritesSkipped()) {
        tr_SLHelper_XML::SetFloat(current_, key, value);
    }
}

void tr_SLHelper_TinyXML2::WriteInt(const char* key, const int& value) {
    if (!WritesSkipped()) {
        tr_SLHelper_XML::SetInt(current_, key, value);
    }
}

void tr_SLHelper_TinyXML2::WriteInt2(const char* key, const int& value) {
    WriteInt(key, value);
}

void tr_SLHelper_TinyXML2::WriteBool(const char* key, const bool& value) {
    if (!WritesSkipped()) {
        tr_SLHelper_XML::SetInt(current_, key, value ? 1 : 0);
    }
}

bool tr_SLHelper_TinyXML2::ReadString(const char* key, std::string& value) {
    return tr_SLHelper_XML::GetString(current_, key, value);
}

bool tr_SLHelper_TinyXML2::ReadFloat(const char* key, float& value) {
    return tr_SLHelper_XML::GetFloat(current_, key, value);
}

bool tr_SLHelper_TinyXML2::ReadInt(const char* key, int& value) {
    return tr_SLHelper_XML::GetInt(current_, key, value);
}

bool tr_SLHelper_TinyXML2::ReadInt2(const char* key, int& value) {
    return ReadInt(key, value);
}

bool tr_SLHelper_TinyXML2::ReadBool(const char* key, bool& value) {
    return tr_SLHelper_XML::GetBool(current_, key, value);
}

bool tr_SLHelper_TinyXML2::BeginGroup(const char* name) {
    if (current_ == nullptr || current_->FirstChildElement(name) == nullptr) {
        return false;
    }
    groups_.push_back(GroupPosition());
    return true;
}

void tr_SLHelper_TinyXML2::EndGroup() {
    if (!groups_.empty()) {
        groups_.pop_back();
    }
}

bool tr_SLHelper_TinyXML2::NextInGroup() {
    if (groups_.empty() || current_ == nullptr) {
        return false;
    }
    GroupPosition& group = groups_.back();
    tinyxml2::XMLElement* child = nullptr;
    if (group.last != nullptr && group.parent == current_ && group.counter > 0) {
        child = group.last->NextSiblingElement();
    } else {
        child = current_->FirstChildElement();
        for (int position = 0; child != nullptr && position < group.counter; ++position) {
            child = child->NextSiblingElement();
        }
    }
    ++group.counter;
    if (child == nullptr) {
        return false;
    }
    group.parent = current_;
    group.last = child;
    current_ = child;
    return true;
}

bool tr_SLHelper_TinyXML2::Enter(const char* name) {
    tinyxml2::XMLElement* child = current_ != nullptr ? current_->FirstChildElement(name) : nullptr;
    if (child == nullptr) {
        return false;
    }
    current_ = child;
    return true;
}

void tr_SLHelper_TinyXML2::Leave() {
    if (current_ == nullptr || current_ == root_) {
        return;
    }
    if (tinyxml2::XMLNode* parent = current_->Parent()) {
        if (tinyxml2::XMLElement* element = parent->ToElement()) {
            current_ = element;
        }
    }
}
