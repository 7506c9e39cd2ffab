// tr_ContentPath: the one way content files (modules, textures, sounds,
// fonts, string tables, videos, description files) are found and opened.
// Content made on Windows writes "\" separators and mixes letter case, so a
// path has its backslashes turned into "/" and, when that exact path does not
// exist, is matched case-insensitively (ASCII letters) one component at a
// time. Paths are relative to the working directory unless absolute. User
// data (settings, saves, the log) goes through tr_FileManager instead.
#pragma once

#include "engine/resources/files/tr_FileReader.h"

#include <cstdio>
#include <string>
#include <vector>

class tr_ContentPath {
public:
    // The path of an existing file or folder for path, or the path with "/"
    // separators when nothing matches (so error messages stay readable).
    static std::string Resolve(const std::string& path);
    static bool Exists(const std::string& path);
    // fopen of the resolved path through tr_FileReader (regular files only);
    // null when it cannot be opened. Modes as fopen; files are always read as
    // bytes (no text translation on Linux).
    static FILE* Open(const std::string& path, const char* mode = "rb");
    // The whole file; false (data cleared) when it cannot be opened or read
    // or is larger than the limit for its kind.
    static bool ReadBinary(const std::string& path, std::vector<char>& data,
                           tr_FileReader::Kind kind = tr_FileReader::KIND_MEDIA);
    // The whole file with every CR that precedes an LF dropped, as a
    // Windows text-mode read would deliver it.
    static bool ReadText(const std::string& path, std::string& text,
                         tr_FileReader::Kind kind = tr_FileReader::KIND_MEDIA);
    // Drops every CR that precedes an LF in place.
    static void DropCarriageReturns(std::string& text);
    static std::string NormaliseSeparators(const std::string& path);
};
