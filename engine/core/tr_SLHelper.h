// tr_SLHelper: named, typed read/write adapter through which objects load and
// save their attributes without knowing where the values live (XML element,
// Lua table, one animated value, tinyxml2 document). Reads return true only
// when the value was found and stored; the destination is untouched otherwise.
// The helper does not own what it wraps unless a subclass says so.
#pragma once

#include <string>

class tr_SLHelper {
public:
    virtual ~tr_SLHelper() = default;

    virtual void WriteString(const char* key, const std::string& value) = 0;
    virtual void WriteFloat(const char* key, const float& value) = 0;
    virtual void WriteInt(const char* key, const int& value) = 0;
    virtual void WriteInt2(const char* key, const int& value) = 0;
    virtual void WriteBool(const char* key, const bool& value) = 0;
    virtual bool ReadString(const char* key, std::string& value) = 0;
    virtual bool ReadFloat(const char* key, float& value) = 0;
    virtual bool ReadInt(const char* key, int& value) = 0;
    virtual bool ReadInt2(const char* key, int& value) = 0;
    virtual bool ReadBool(const char* key, bool& value) = 0;
    virtual bool BeginGroup(const char* /*name*/) { return false; }
    virtual void EndGroup() {}
    virtual bool NextInGroup() { return false; }
    virtual bool Enter(const char* /*name*/) { return false; }
    virtual void Leave() {}

    // Values that describe an object but are not meant to be loaded back
    // ("draw_width", ...) are written only while both flags allow it.
    void SetIncludeInformational(bool include) { include_informational_ = include; }
    bool GetIncludeInformational() const { return include_informational_; }
    void SetInformationalMode(bool on) { informational_mode_ = on; }
    bool GetInformationalMode() const { return informational_mode_; }

protected:
    // Subclasses call this first in every Write.
    bool WritesSkipped() const { return informational_mode_ && !include_informational_; }

private:
    bool include_informational_ = false;
    bool informational_mode_ = false;
};
