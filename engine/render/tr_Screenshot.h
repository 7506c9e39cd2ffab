// tr_Screenshot: writes the renderer's finished frame as a PNG file (the
// --screenshot option). Call between EndFrame and presenting.
#pragma once

#include <string>

class tr_Render;

// False, with a log line, when the back end has no picture or the file
// cannot be written.
bool tr_WriteScreenshot(tr_Render& render, const std::string& path);
