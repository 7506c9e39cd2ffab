#include "game/interface/tp_GuideDocument.h"

#include "engine/core/tr_Log.h"
#include "engine/resources/files/tr_ContentPath.h"

#include <tinyxml2.h>

#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {

using tinyxml2::XMLElement;

std::string TextOf(const XMLElement* element) {
    const char* text = element ? element->GetText() : nullptr;
    return text ? text : "";
}

// atoi's reading (leading blanks, a sign, digits, junk after them ignored),
// saturated instead of overflowing.
int DecimalOf(const char* text) {
    if (!text)
        return 0;
    const long value = std::strtol(text, nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

std::string WithoutExtension(const std::string& file) {
    const size_t dot = file.rfind('.');
    return dot == std::string::npos ? file : file.substr(0, dot);
}

} // namespace

void tp_GuideDocument::Clear() {
    contents_title_.clear();
    entries_.clear();
    pages_.clear();
    chapters_.clear();
}

bool tp_GuideDocument::Load(const std::string& path) {
    Clear();
    FILE* file = tr_ContentPath::Open(path);
    if (!file) {
        tr_Log("Warning: guide document %s not found", path.c_str());
        return false;
    }
    std::vector<char> bytes;
    char chunk[65536];
    size_t got = 0;
    bool too_large = false;
    while ((got = std::fread(chunk, 1, sizeof(chunk), file)) > 0) {
        if (bytes.size() + got > kMaxBytes) {
            too_large = true;
            break;
        }
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    std::fclose(file);
    if (too_large) {
        tr_Log("Warning: guide document %s is larger than %zu bytes; the guide stays empty",
               path.c_str(), static_cast<size_t>(kMaxBytes));
        return false;
    }
    return Parse(bytes.data(), bytes.size(), path);
}

bool tp_GuideDocument::Parse(const char* bytes, size_t size, const std::string& source) {
    Clear();
    tinyxml2::XMLDocument document(true, tinyxml2::PRESERVE_WHITESPACE);
    if (size > kMaxBytes || !bytes || size == 0 ||
        document.Parse(bytes, size) != tinyxml2::XML_SUCCESS) {
        // tinyxml2 gives no column; 0 stands for it.
        tr_Log("Error while parsing xml file: %s. Description: %s, line: %d, pos: 0",
               source.c_str(), size == 0 ? "empty document" : document.ErrorStr(),
               document.ErrorLineNum());
        return false;
    }
    const XMLElement* root = document.FirstChildElement();
    if (!root)
        return true;
    if (const XMLElement* toc = root->FirstChildElement("toc")) {
        contents_title_ = TextOf(toc->FirstChildElement("h2"));
        if (const XMLElement* list = toc->FirstChildElement("ul"))
            for (const XMLElement* li = list->FirstChildElement("li"); li;
                 li = li->NextSiblingElement("li"))
                entries_.push_back({TextOf(li), kNoPage});
    }
    const XMLElement* guide = root->FirstChildElement("guide");
    for (const XMLElement* chapter = guide ? guide->FirstChildElement("chapter") : nullptr; chapter;
         chapter = chapter->NextSiblingElement("chapter")) {
        const std::string title = TextOf(chapter->FirstChildElement("h2"));
        const int first = GetPageCount();
        chapters_.emplace_back(title, first);
        for (Entry& entry : entries_)
            if (entry.text == title)
                entry.first_page = first;
        for (const XMLElement* page = chapter->FirstChildElement("page"); page;
             page = page->NextSiblingElement("page")) {
            Page out;
            out.title = title;
            const XMLElement* list = page->FirstChildElement("ul");
            const XMLElement* first_line = list ? list->FirstChildElement("li") : nullptr;
            for (const XMLElement* li = first_line; li; li = li->NextSiblingElement("li")) {
                if (li != first_line)
                    out.text += kLineSeparator;
                out.text += TextOf(li);
            }
            for (const XMLElement* img = page->FirstChildElement("img"); img;
                 img = img->NextSiblingElement("img")) {
                const char* src = img->Attribute("src");
                out.images.push_back(
                    {WithoutExtension(src ? src : ""), DecimalOf(img->Attribute("position"))});
            }
            pages_.push_back(std::move(out));
        }
    }
    return true;
}

int tp_GuideDocument::FindChapter(const std::string& title) const {
    for (const auto& chapter : chapters_)
        if (chapter.first == title)
            return chapter.second;
    return kNoPage;
}

std::string tp_GuideDocument::ScreensFolder(const std::string& res) {
    std::string folder = tr_ContentPath::NormaliseSeparators(res);
    const size_t slash = folder.rfind('/');
    if (slash != std::string::npos)
        folder.erase(slash);
    return folder + "/screens/";
}
