// tr_Backends: the platform parts neutral code makes, asked for by back-end
// name. One table (engine/platform/tr_Backends.cpp, the only file that names
// the back-end classes besides the back ends themselves and the
// applications) maps "sdl", "gl", "headless", "null" and "posix" to
// factories, so neutral code never includes engine/platform/.
//
// Each Make returns a new object the caller owns, or null for a name the
// table does not hold for that kind or a back end that cannot run here (the
// "sdl" cursor without SDL's video).
#pragma once

#include <memory>
#include <string>

class Tarrow;
class tr_AudioBackend;
class tr_Cursor;
class tr_FileManager;
class tr_Render;
class tr_RenderDevice;

namespace tr_Backends {

// "sdl" (an output device; without one it answers with "null"), "null".
std::unique_ptr<tr_AudioBackend> MakeAudio(const std::string& name);
// "sdl" (the window's system cursors), "headless".
std::unique_ptr<tr_Cursor> MakeCursor(const std::string& name);
// "posix".
std::unique_ptr<tr_FileManager> MakeFileManager(const std::string& name);
// "headless": the engine without a window (content tools that load what a
// game loads).
std::unique_ptr<Tarrow> MakeHost(const std::string& name);
// "gl", "null".
std::unique_ptr<tr_Render> MakeRenderer(const std::string& name);
// "null": textures kept in memory, for textures made while no renderer has
// made its device current.
std::unique_ptr<tr_RenderDevice> MakeRenderDevice(const std::string& name);

} // namespace tr_Backends
