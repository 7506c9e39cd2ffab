// tp_GuideDocument: the strategy guide's document, read from an XML file in
// a small HTML-like vocabulary: under the root element, "toc" (an "h2" title
// and a "ul" of "li" entries) and "guide" (a sequence of "chapter" elements,
// each an "h2" title and "page" children of "ul"/"li" lines and "img"
// screenshots). The pages of every chapter form one flat list; a contents
// entry points at the first page of the chapter whose title equals its text.
//
// Parse works on a byte buffer and never fails: bytes that are not a guide
// give an empty guide (no contents, no pages). Nothing here keeps the buffer.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class tp_GuideDocument {
public:
    // The page number of a contents entry whose chapter is missing: the
    // empty page, which the module can show without any content.
    static constexpr int kNoPage = -2;
    // Documents above this size are not read (they cannot be a guide anyone
    // pages through, and parsing them would hold the game).
    static constexpr size_t kMaxBytes = 8u << 20;
    // The separator between the lines of a page's text.
    static constexpr const char* kLineSeparator = "&nl&";

    struct Entry {
        std::string text;
        int first_page = kNoPage;
    };
    struct Image {
        std::string name; // the file name without its extension
        int position = 0;
    };
    struct Page {
        std::string title; // its chapter's title
        std::string text;  // its lines joined with kLineSeparator
        std::vector<Image> images;
    };

    // False (and an empty guide) when the bytes do not parse as XML; what
    // cannot be told is logged against source.
    bool Parse(const char* bytes, size_t size, const std::string& source);
    // Reads and parses a content file; a missing, unreadable or oversized
    // file is logged and leaves the guide empty.
    bool Load(const std::string& path);
    void Clear();

    const std::string& GetContentsTitle() const { return contents_title_; }
    const std::vector<Entry>& GetEntries() const { return entries_; }
    const std::vector<Page>& GetPages() const { return pages_; }
    int GetPageCount() const { return static_cast<int>(pages_.size()); }
    // The first page of the chapter with that title, or kNoPage.
    int FindChapter(const std::string& title) const;

    // Where the screenshots of a guide whose module "res" is res are kept:
    // res up to its last "/" (Windows "\" counts as one), then "/screens/".
    static std::string ScreensFolder(const std::string& res);

private:
    std::string contents_title_;
    std::vector<Entry> entries_;
    std::vector<Page> pages_;
    std::vector<std::pair<std::string, int>> chapters_;
};
