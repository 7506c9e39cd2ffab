// tr_SLHelper_OneVal: a read-only helper holding one key and one float, used
// to feed a single animated value to an object's Load (keyframe modifiers).
// Only the float and integer reads of that key succeed (integers truncate);
// every write is ignored.
#pragma once

#include "engine/core/tr_SLHelper.h"

class tr_SLHelper_OneVal : public tr_SLHelper {
public:
    tr_SLHelper_OneVal(const std::string& key, float value) : key_(key), value_(value) {}

    void WriteString(const char*, const std::string&) override {}
    void WriteFloat(const char*, const float&) override {}
    void WriteInt(const char*, const int&) override {}
    void WriteInt2(const char*, const int&) override {}
    void WriteBool(const char*, const bool&) override {}
    bool ReadString(const char*, std::string&) override { return false; }
    bool ReadFloat(const char* key, float& value) override;
    bool ReadInt(const char* key, int& value) override;
    bool ReadInt2(const char* key, int& value) override { return ReadInt(key, value); }
    bool ReadBool(const char*, bool&) override { return false; }

private:
    std::string key_;
    float value_;
};
