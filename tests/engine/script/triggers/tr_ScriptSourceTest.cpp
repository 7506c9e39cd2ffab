// Placing content code at its line of the file: the line a tinyxml2 element's
// text starts on, and what Lua is handed to compile.
#include "engine/script/tr_ScriptSource.h"
#include "engine/script/tr_ScriptState.h"

#include <gtest/gtest.h>
#include <tinyxml2.h>

#include <string>

namespace {

struct TextLineCase {
    const char* xml;
    int line; // 0: no text, the source is unknown
};

const TextLineCase kTextLines[] = {
    {"<code>x = 1</code>", 1},
    {"\n\n<code>x = 1</code>", 3},
    {"<code>\nx = 1</code>", 1},
    {"<a>\n<code>  \n\n  x = 1</code></a>", 2},
    {"<code>\r\n\r\n</code>", 0}, // blank text is dropped by the parser
    {"<a>\n  <code><![CDATA[\nx = 1]]></code></a>", 2},
    {"<code/>", 0},
    {"<code><inner/>text</code>", 0},
};

TEST(ScriptSourceTest, ElementTextStartsOnItsLine) {
    for (const TextLineCase& c : kTextLines) {
        tinyxml2::XMLDocument document(true, tinyxml2::PRESERVE_WHITESPACE);
        ASSERT_EQ(document.Parse(c.xml), tinyxml2::XML_SUCCESS) << c.xml;
        const tinyxml2::XMLElement* code = document.FirstChildElement("code");
        if (!code)
            code = document.FirstChildElement()->FirstChildElement("code");
        const tr_ScriptSource source = tr_ScriptSource::OfElementText("m.xml", code);
        EXPECT_EQ(source.IsKnown(), c.line > 0) << c.xml;
        if (c.line > 0) {
            EXPECT_EQ(source.Where(), "m.xml:" + std::to_string(c.line)) << c.xml;
        }
    }
}

TEST(ScriptSourceTest, UnknownSourceLeavesCodeAndNameAlone) {
    const tr_ScriptSource unknown;
    EXPECT_EQ(unknown.Placed("a\nb"), "a\nb");
    EXPECT_EQ(unknown.ChunkName("trg_x"), "trg_x");
    EXPECT_EQ(unknown.Where(), "");
    EXPECT_EQ(tr_ScriptSource("f.xml", -4).GetFirstLine(), 1);
}

TEST(ScriptSourceTest, LuaReportsTheFileLine) {
    tr_ScriptState script;
    const tr_ScriptSource source("levels/room.xml", 40);
    std::string error;
    EXPECT_FALSE(
        script.CompileChunk(source.Placed("x = 1\ny = = 2"), source.ChunkName("t"), &error));
    EXPECT_EQ(error.rfind("levels/room.xml:41:", 0), 0u) << error;
}

} // namespace
