// Suggestion: the "did you mean" of misspelt names: the closest of a set of
// known names by edit distance (insertions, deletions, substitutions and
// swaps of neighbours), when it is close enough to be a likely typo.
#pragma once

#include <string>
#include <vector>

class Suggestion {
public:
    // The nearest candidate within half the word's length (at least 1,
    // at most 3 edits), or "" when none is that near.
    static std::string Nearest(const std::string& word, const std::vector<std::string>& known);
    // " (did you mean "x"?)" for the nearest candidate, or "".
    static std::string DidYouMean(const std::string& word, const std::vector<std::string>& known);
    static size_t Distance(const std::string& a, const std::string& b);
};
