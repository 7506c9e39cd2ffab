// tp_ProfileList: the contents of "profile_list.xml" as a value: the
// profiles in list order (id naming the saved-game file, name as typed) and
// the current index. Parse works on a byte buffer and trusts nothing in it;
// Print gives the document the profile manager writes. Owned by whoever
// holds it (the profile manager, the save checker, tests).
#pragma once

#include <string>
#include <vector>

struct tp_ProfileRecord {
    std::string id;
    std::string name;
};

class tp_ProfileList {
public:
    // current: -1 no profile, -2 the list file did not parse.
    static constexpr int kNoProfile = -1;
    static constexpr int kListError = -2;

    std::vector<tp_ProfileRecord> profiles;
    int current = kNoProfile;

    // False (and the list left empty with current -2) when the bytes are not
    // an XML document. A current index that names no profile reads as -1
    // (-2 as written is kept: a list saved after a failed read says so).
    bool Parse(const char* data, size_t size);
    // The document with the XML library's default formatting.
    std::string Print() const;

    // Whether an id may name a file: "p_" followed by 1 to 10 digits.
    static bool IsValidId(const std::string& id);
    // The number of a valid id, -1 for any other.
    static long long IdNumber(const std::string& id);
    static std::string MakeId(long long number);
};
