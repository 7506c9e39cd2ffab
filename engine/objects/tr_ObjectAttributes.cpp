#include "engine/objects/tr_ObjectAttributes.h"

#include "engine/core/tr_SLHelper.h"
#include "engine/objects/tr_ObjectFactory.h"
#include "engine/scene/tr_Object.h"

#include <algorithm>
#include <memory>
#include <set>

namespace {

// Notes every key asked for. Booleans read as true, so that keys read only
// under a flag (the rectangle of "inputrect_init") are asked for too; every
// other read finds nothing and leaves the object's defaults alone.
class KeyRecorder : public tr_SLHelper {
public:
    std::set<std::string> keys;

    void WriteString(const char* key, const std::string&) override { Note(key); }
    void WriteFloat(const char* key, const float&) override { Note(key); }
    void WriteInt(const char* key, const int&) override { Note(key); }
    void WriteInt2(const char* key, const int&) override { Note(key); }
    void WriteBool(const char* key, const bool&) override { Note(key); }
    bool ReadString(const char* key, std::string&) override { return Note(key); }
    bool ReadFloat(const char* key, float&) override { return Note(key); }
    bool ReadInt(const char* key, int&) override { return Note(key); }
    bool ReadInt2(const char* key, int&) override { return Note(key); }
    bool ReadBool(const char* key, bool& value) override {
        Note(key);
        value = true;
        return true;
    }

private:
    bool Note(const char* key) {
        // Informational values describe an object but are never loaded back.
        if (key && !WritesSkipped())
            keys.insert(key);
        return false;
    }
};

} // namespace

std::vector<std::string> tr_ObjectAttributes::Of(const tr_ObjectFactory& factory,
                                                 const std::string& type) {
    std::unique_ptr<tr_Object> object(factory.CreateObject(type, std::string()));
    if (!object)
        return {};
    KeyRecorder recorder;
    object->Load(recorder);
    object->Save(recorder);
    return std::vector<std::string>(recorder.keys.begin(), recorder.keys.end());
}

bool tr_ObjectAttributes::HoldsCallCode(const std::string& attribute) {
    return attribute.compare(0, 6, "event_") == 0 || attribute.compare(0, 4, "trg_") == 0 ||
           attribute == "endtrig";
}
