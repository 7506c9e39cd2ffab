// tr_StringTable: every text the player reads, keyed by string id. The
// application fills the one process-wide table at start-up from its list of
// spreadsheet workbooks (LoadStringTable per file, later files win); text
// objects, widgets and scripts read it through StringGet, which also fills
// in up to five parameters. Never emptied while the program runs; Destroy is
// for shutdown and tests.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>

class tr_StringTable {
public:
    // The process-wide table, or null before GetOrCreate.
    static tr_StringTable* Get();
    static tr_StringTable* GetOrCreate();
    static void Destroy();

    // Reads name + ".xml" (a SpreadsheetML workbook) and adds its rows. False,
    // with an error line, when the file cannot be read.
    bool LoadStringTable(const std::string& name);

    // Adds the rows of a workbook already in memory (what LoadStringTable does
    // after reading the file). Carriage returns before line feeds are dropped.
    void AddWorkbook(const std::string& workbook);

    // The text of an id with the percent escapes filled in: %1%..%5% take a
    // parameter (a parameter written %key% is itself looked up), %key% inserts
    // another string, %% gives a percent sign. An unknown id, or any escape
    // that cannot be filled, gives back the id itself so the fault shows.
    std::string StringGet(const std::string& id, const std::string& p1 = std::string(),
                          const std::string& p2 = std::string(),
                          const std::string& p3 = std::string(),
                          const std::string& p4 = std::string(),
                          const std::string& p5 = std::string()) const;

    // Development: StringGet of an id the table lacks logs a warning, once
    // per id, so a misspelt id shows before a player reads it on screen.
    void SetReportMissing(bool report) { report_missing_ = report; }

    // The stored text of an id, or null.
    const std::string* Find(const std::string& id) const;

    size_t Size() const { return strings_.size(); }

private:
    void AddRow(const std::string& id, std::string text);

    std::map<std::string, std::string> strings_;
    bool report_missing_ = false;
    mutable std::set<std::string> reported_;
    static std::unique_ptr<tr_StringTable> instance_;
};
