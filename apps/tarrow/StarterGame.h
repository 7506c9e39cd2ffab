// StarterGame: tarrow --new DIR. Copies the starter game (a folder of the
// source tree, templates/starter, whose path is built in) into a new folder,
// links followed so the copy stands alone. Nothing else of the run is set up.
#pragma once

#include <string>

class StarterGame {
public:
    // Copies template_dir into target, which must not exist or be an empty
    // folder. False with error set (one line) otherwise; a copy that failed
    // half-way is removed again.
    static bool Make(const std::string& template_dir, const std::string& target,
                     std::string& error);
};
