// Lua errors in module code and triggers name the module file and the line
// within that file, whatever line of the trigger they are on.
#include "engine/bindings/tr_EngineCore.h"
#include "engine/bindings/tr_ModuleLoader.h"
#include "engine/script/tr_Trigger.h"
#include "tests/engine/resources/files/TempFolder.h"
#include "tests/engine/resources/text/LogCapture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct ErrorLineCase {
    const char* label;
    const char* module; // the module file's text
    const char* call;   // trigger call after loading ("" for none)
    const char* log_start;
    int line; // the line of the module file the message must name
};

const ErrorLineCase kCases[] = {
    {"trigger syntax error on its third line",
     "<module name=\"m\">\n<trigs>\n<trig name=\"trg_a\"><code>\nx = 1\ny = = 2\n</code></trig>\n"
     "</trigs>\n</module>\n",
     "trg_a", "Error: trigger trg_a try to compile - lua error: ", 5},
    {"trigger runtime error",
     "<module name=\"m\">\n<trigs>\n\n<trig name=\"trg_b\"><code>local t = nil\n\nreturn t.field\n"
     "</code></trig>\n</trigs>\n</module>\n",
     "trg_b", "Error: trigger trg_b try to execute - lua error: ", 6},
    {"error raised by a function the trigger calls",
     "<module name=\"m\">\n<trigs>\n<trig name=\"trg_c\"><code>\n"
     "local function inner()\n  error('deep')\nend\ninner()\n</code></trig>\n</trigs>\n</module>\n",
     "trg_c", "Error: trigger trg_c try to execute - lua error: ", 5},
    {"trigger code in a CDATA section",
     "<module name=\"m\">\n<trigs>\n<trig name=\"trg_d\"><code><![CDATA[\nif 1 < 2 then\n"
     "  error('cdata')\nend\n]]></code></trig>\n</trigs>\n</module>\n",
     "trg_d", "Error: trigger trg_d try to execute - lua error: ", 5},
    {"module code",
     "<module name=\"m\">\n  <code>\nok = 1\n\nnot_a_function()\n</code>\n</module>\n", "",
     "Warning: module ", 5},
};

class ModuleErrorLinesTest : public ::testing::Test {
protected:
    void TearDown() override { tr_EngineCore::Destroy(); }
    TempFolder folder;
    LogCapture log;
};

TEST_F(ModuleErrorLinesTest, MessageNamesTheFileAndItsLine) {
    for (const ErrorLineCase& c : kCases) {
        const std::string base = folder.Path() + "/room";
        TempFolder::WriteText(base + ".xml", c.module);
        log.lines.clear();
        ASSERT_TRUE(tr_LoadModule(base)) << c.label;
        if (*c.call) {
            EXPECT_TRUE(tr_EngineCore::Get()->GetTriggers().CallNow("tester", c.call));
        }
        ASSERT_EQ(log.CountStartingWith(c.log_start), 1) << c.label;
        std::string line;
        for (const std::string& logged : log.lines) {
            if (logged.rfind(c.log_start, 0) == 0)
                line = logged;
        }
        // Lua shortens long chunk names from the front, so only the file's
        // own name is certain to be there.
        const std::string where = "/room.xml:" + std::to_string(c.line) + ":";
        EXPECT_NE(line.find(where), std::string::npos) << c.label << ": " << line;
        tr_EngineCore::Destroy();
    }
}

TEST_F(ModuleErrorLinesTest, CodeSetLaterIsNamedAfterItsTrigger) {
    const std::string base = folder.Path() + "/room";
    TempFolder::WriteText(base + ".xml", "<module name=\"m\">\n\n<trigs><trig name=\"trg_e\"><code>"
                                         "x = 1</code></trig></trigs></module>");
    ASSERT_TRUE(tr_LoadModule(base));
    tr_Trigger* trigger = tr_EngineCore::Get()->GetTriggers().FindTrigger("trg_e");
    ASSERT_NE(trigger, nullptr);
    EXPECT_EQ(trigger->GetSource().Where(), base + ".xml:3");
    trigger->SetCode("x = = 1");
    EXPECT_TRUE(tr_EngineCore::Get()->GetTriggers().CallNow("tester", "trg_e"));
    ASSERT_FALSE(log.lines.empty());
    EXPECT_NE(log.lines.back().find("[string \"trg_e\"]:1:"), std::string::npos)
        << log.lines.back();
}

} // namespace
