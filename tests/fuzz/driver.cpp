// The plain driver of the fuzz targets for builds without libFuzzer (the
// test build): every file named on the command line, or found directly in a
// folder named there, is passed once to LLVMFuzzerTestOneInput. A crash or a
// sanitizer report fails the run, so an input that once broke a parser and
// was added to its corpus stays a test.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) __attribute__((weak));

namespace {

bool IsFolder(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

void Collect(const std::string& path, std::vector<std::string>& files) {
    if (!IsFolder(path)) {
        files.push_back(path);
        return;
    }
    DIR* dir = opendir(path.c_str());
    if (!dir)
        return;
    std::vector<std::string> names;
    while (const dirent* entry = readdir(dir))
        if (entry->d_name[0] != '.')
            names.push_back(path + "/" + entry->d_name);
    closedir(dir);
    files.insert(files.end(), names.begin(), names.end());
}

} // namespace

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i)
        Collect(argv[i], files);
    int replayed = 0;
    for (const std::string& file : files) {
        std::ifstream in(file, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "fuzz driver: cannot read %s\n", file.c_str());
            return 1;
        }
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                      std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        ++replayed;
    }
    std::printf("fuzz driver: %d inputs replayed\n", replayed);
    return replayed > 0 ? 0 : 1;
}
