// tr_FileReader: the one place where content and user files are opened. Only
// regular files are opened: a FIFO (which would block the game until some
// writer came), a device (a link to /dev/zero never ends) or a folder is
// refused with one log line naming the file. Whole-file reads are capped by
// the kind of file, so that a corrupt or hostile file costs a log line and not
// the memory of the machine. Streams returned by Open belong to the caller,
// who closes them with fclose.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

class tr_FileReader {
public:
    // What a whole-file read is for; each kind has its own size limit.
    enum Kind : int {
        KIND_MODULE = 0,       // scene modules (XML)
        KIND_STRING_TABLE = 1, // string tables (XML)
        KIND_SUBTITLES = 2,    // subtitle tracks (text)
        KIND_DESCRIPTION = 3,  // animation and frame-texture descriptions (XML)
        KIND_CONFIG = 4,       // the game's configuration and small settings
        KIND_USER_DATA = 5,    // settings, profiles and saved games
        KIND_FONT = 6,         // font files
        KIND_MEDIA = 7,        // anything else read whole (resource lists, images)
    };

    // The largest file of kind that a whole-file read accepts, in bytes.
    static size_t Limit(Kind kind);
    static const char* KindName(Kind kind);

    // fopen of path (modes as fopen) when it is a regular file, or may become
    // one (a new file for writing); null otherwise. Never blocks on a FIFO.
    // A path that is there but not a regular file is logged.
    static FILE* Open(const std::string& path, const char* mode);
    // The whole file into data; false (data cleared) when it cannot be
    // opened, is not a regular file or is larger than the kind's limit.
    static bool ReadAll(const std::string& path, Kind kind, std::vector<char>& data);
    // Reads the rest of an open stream, at most Limit(kind) bytes; a longer
    // stream is logged under name and refused.
    static bool ReadStream(FILE* file, const std::string& name, Kind kind, std::vector<char>& data);
};
