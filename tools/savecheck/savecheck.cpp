// savecheck: looks inside the player files of the user folder.
//
//   savecheck FILE...          verify and print
//   savecheck --sign FILE...   give hand-edited saved games a new checksum
//
// A saved game ("p_000003.xml") is verified against its checksum line and
// its data printed as a tree in Lua notation (what tp_global holds after
// loading it). A profile list ("profile_list.xml") is printed with its
// names decoded. --sign rewrites a saved game's checksum line to match its
// document (the file is replaced atomically) so content authors and tests
// can edit saves by hand. Exit status 0 when every file is sound, 1 when
// any is not (or cannot be read or written), 2 for bad arguments.
#include "game/app/tp_ProfileList.h"
#include "game/app/tp_SaveGameEntry.h"
#include "game/app/tp_SaveGameFile.h"

#include <tinyxml2.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

const char kHelp[] =
    "usage: savecheck [--sign] FILE...\n"
    "\n"
    "Looks inside the player files of the user folder. A saved game\n"
    "(\"p_000003.xml\") is verified against its checksum line and its data printed\n"
    "as a tree in Lua notation (what tp_global holds after loading it); a profile\n"
    "list (\"profile_list.xml\") is printed with its names decoded.\n"
    "\n"
    "  --sign   give hand-edited saved games a matching checksum line (the file\n"
    "           is replaced atomically)\n"
    "  --help   this text\n"
    "\n"
    "Exit status: 0 every file sound, 1 any is not (or cannot be read or\n"
    "written), 2 bad arguments.\n"
    "\n"
    "Examples:\n"
    "  savecheck ~/.local/share/Brightfold/\"Tarrow Demo\"/p_000000.xml\n"
    "  savecheck --sign p_000000.xml\n";

// --help anywhere on the line: the help on standard output, nothing run.
bool AsksForHelp(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
            return true;
    }
    return false;
}

bool ReadAll(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool WriteAtomically(const std::string& path, const std::string& bytes) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), std::streamsize(bytes.size()));
        if (!out.flush()) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    return std::rename(temporary.c_str(), path.c_str()) == 0;
}

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c < 0x20 || c == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\%d", c);
            out += escape;
        } else {
            out += char(c);
        }
    }
    return out + "\"";
}

bool IsIdentifier(const std::string& text) {
    if (text.empty() || (text[0] >= '0' && text[0] <= '9'))
        return false;
    for (char c : text) {
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
              c == '_'))
            return false;
    }
    return true;
}

std::string KeyText(const tp_SaveGameKey& key) {
    if (!key.is_number)
        return IsIdentifier(key.text) ? key.text : "[" + Quoted(key.text) + "]";
    std::string number;
    tp_SaveGameEntry::AppendNumber(number, key.number);
    return "[" + number + "]";
}

void PrintTable(const tinyxml2::XMLElement& parent, int depth) {
    const std::string indent(size_t(depth) * 2, ' ');
    for (const tinyxml2::XMLElement* child = parent.FirstChildElement(); child;
         child = child->NextSiblingElement()) {
        const char letter = child->Name()[0];
        const char* value = child->Attribute("v");
        const std::string v = value ? value : "";
        const std::string key = KeyText(tp_SaveGameEntry::ReadKey(*child));
        if (letter == 'b') {
            std::printf("%s%s = %s\n", indent.c_str(), key.c_str(),
                        std::atoi(v.c_str()) != 0 ? "true" : "false");
        } else if (letter == 'n') {
            std::string number;
            tp_SaveGameEntry::AppendNumber(number, std::strtod(v.c_str(), nullptr));
            std::printf("%s%s = %s\n", indent.c_str(), key.c_str(), number.c_str());
        } else if (letter == 's') {
            std::printf("%s%s = %s\n", indent.c_str(), key.c_str(),
                        Quoted(v == " " ? "" : v).c_str());
        } else if (letter == 't') {
            std::printf("%s%s = {\n", indent.c_str(), key.c_str());
            PrintTable(*child, depth + 1);
            std::printf("%s}\n", indent.c_str());
        } else {
            std::printf("%s-- skipped element <%s>\n", indent.c_str(), child->Name());
        }
    }
}

bool CheckList(const std::string& path, const std::string& bytes) {
    tp_ProfileList list;
    if (!list.Parse(bytes.data(), bytes.size())) {
        std::printf("%s: profile list: not an XML document\n", path.c_str());
        return false;
    }
    std::printf("%s: profile list: %zu profiles, current %d\n", path.c_str(), list.profiles.size(),
                list.current);
    for (const tp_ProfileRecord& record : list.profiles)
        std::printf("  %s %s%s\n", record.id.c_str(), Quoted(record.name).c_str(),
                    tp_ProfileList::IsValidId(record.id) ? "" : "  (id names no file)");
    return true;
}

bool CheckSave(const std::string& path, const std::string& bytes) {
    tinyxml2::XMLDocument document(true, tinyxml2::PRESERVE_WHITESPACE);
    const tinyxml2::XMLElement* data = nullptr;
    const tp_SaveGameFile::Status status =
        tp_SaveGameFile::Open(bytes.data(), bytes.size(), document, &data);
    if (status == tp_SaveGameFile::WRONG_CHECKSUM) {
        int32_t stored = 0;
        int32_t actual = 0;
        tp_SaveGameFile::Verify(bytes.data(), bytes.size(), &stored, &actual);
        std::printf("%s: wrong checksum (line says %d, document adds up to %d)\n", path.c_str(),
                    stored, actual);
        return false;
    }
    if (status != tp_SaveGameFile::OK) {
        std::printf("%s: %s\n", path.c_str(), tp_SaveGameFile::Describe(status));
        return false;
    }
    std::printf("%s: ok\n", path.c_str());
    std::printf("tp_global = {\n");
    if (data)
        PrintTable(*data, 1);
    std::printf("}\n");
    return true;
}

bool Check(const std::string& path) {
    std::string bytes;
    if (!ReadAll(path, bytes)) {
        std::printf("%s: cannot be read\n", path.c_str());
        return false;
    }
    if (bytes.compare(0, 4, "<!--") != 0 && bytes.find("<profiles") != std::string::npos)
        return CheckList(path, bytes);
    return CheckSave(path, bytes);
}

bool Sign(const std::string& path) {
    std::string bytes;
    if (!ReadAll(path, bytes)) {
        std::printf("%s: cannot be read\n", path.c_str());
        return false;
    }
    if (!WriteAtomically(path, tp_SaveGameFile::Resign(bytes.data(), bytes.size()))) {
        std::printf("%s: cannot be written\n", path.c_str());
        return false;
    }
    std::printf("%s: signed\n", path.c_str());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (AsksForHelp(argc, argv)) {
        std::fputs(kHelp, stdout);
        return 0;
    }
    bool sign = false;
    int first = 1;
    if (argc > 1 && std::strcmp(argv[1], "--sign") == 0) {
        sign = true;
        first = 2;
    }
    if (first >= argc || (argc > 1 && argv[first][0] == '-')) {
        std::fprintf(stderr, "usage: savecheck [--sign] FILE...\n");
        return 2;
    }
    bool sound = true;
    for (int i = first; i < argc; ++i)
        sound = (sign ? Sign(argv[i]) : Check(argv[i])) && sound;
    return sound ? 0 : 1;
}
