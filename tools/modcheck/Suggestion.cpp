#include "tools/modcheck/Suggestion.h"

#include <algorithm>

size_t Suggestion::Distance(const std::string& a, const std::string& b) {
    // Optimal string alignment: three rows of the classic table.
    std::vector<size_t> before(b.size() + 1), previous(b.size() + 1), row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j)
        previous[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            row[j] = std::min({previous[j] + 1, row[j - 1] + 1, previous[j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                row[j] = std::min(row[j], before[j - 2] + 1);
        }
        before.swap(previous);
        previous.swap(row);
    }
    return previous[b.size()];
}

std::string Suggestion::Nearest(const std::string& word, const std::vector<std::string>& known) {
    const size_t limit = std::min<size_t>(3, std::max<size_t>(1, word.size() / 2));
    std::string best;
    size_t best_distance = limit + 1;
    for (const std::string& candidate : known) {
        const size_t distance = Distance(word, candidate);
        if (distance < best_distance) {
            best = candidate;
            best_distance = distance;
        }
    }
    return best;
}

std::string Suggestion::DidYouMean(const std::string& word, const std::vector<std::string>& known) {
    const std::string nearest = Nearest(word, known);
    return nearest.empty() ? std::string() : " (did you mean \"" + nearest + "\"?)";
}
