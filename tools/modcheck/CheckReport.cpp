#include "tools/modcheck/CheckReport.h"

#include <algorithm>

void CheckReport::Add(const std::string& file, int line, const std::string& message) {
    findings_.push_back({file, line, message});
}

void CheckReport::Print(std::FILE* out) const {
    std::vector<Finding> sorted = findings_;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Finding& a, const Finding& b) {
        return a.file != b.file ? a.file < b.file : a.line < b.line;
    });
    for (const Finding& finding : sorted)
        std::fprintf(out, "%s:%d: %s\n", finding.file.c_str(), finding.line,
                     finding.message.c_str());
}
