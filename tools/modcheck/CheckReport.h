// CheckReport: the findings of one modcheck run, each tied to a file and a
// line, printed the way compilers print theirs ("file:line: message") so
// that editors jump to them. Findings are kept until Print, which sorts them
// by file and line (the checks visit files in several passes).
#pragma once

#include <cstdio>
#include <string>
#include <vector>

class CheckReport {
public:
    void Add(const std::string& file, int line, const std::string& message);
    size_t Count() const { return findings_.size(); }
    // Prints every finding, sorted, one a line.
    void Print(std::FILE* out) const;

private:
    struct Finding {
        std::string file;
        int line;
        std::string message;
    };
    std::vector<Finding> findings_;
};
