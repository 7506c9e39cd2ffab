// GameFolder: modcheck's view of a whole game: the content folder (the one
// holding config.xml, "assets" for the game run from its parent) with every
// module, string table and picture in it. Check reads the configuration
// through the game's own reader, loads the string tables the game would
// load (and every other workbook in the folder, so that an id is not
// reported only because its table is loaded by other means), checks every
// module and then their scripts. Works from the folder's parent, where the
// game runs and where the paths in content start; findings name files as
// the folder was given on the command line.
#pragma once

#include <string>
#include <vector>

class CheckReport;

class GameFolder {
public:
    // folder as given; false (with a message on stderr) when it holds no
    // config.xml or its parent cannot be entered.
    bool Open(const std::string& folder);
    // Rewrites every PNG of the folder that the engine would refuse as 8-bit
    // RGBA, printing one line per file; the number of files it could not
    // convert.
    int FixImages();
    void Check(CheckReport& report);

private:
    // Every file below the folder with the extension, sorted, relative to
    // the working folder.
    std::vector<std::string> Files(const std::string& extension) const;
    std::string Shown(const std::string& path) const;

    std::string content_; // the folder's name, relative to the working folder
    std::string prefix_;  // what stands before content_ in the names shown
};
