// gridmesh: writes a grid (mesh animation) description: a COLS x ROWS-cell
// mesh of WIDTH x HEIGHT centred on the object's origin, the texture
// stretched over it, and KEYS key frames in which the mesh sways sideways
// like cloth hanging from its top edge (the top row stays put, the sway
// grows towards the bottom and travels down the mesh from key to key).
//   gridmesh [options] OUT.xml
//     -c COLSxROWS   cells (default 8x8; at most 255x255)
//     -s WIDTHxHEIGHT size in object units (default 256x256)
//     -k KEYS        key frames (default 8)
//     -a AMPLITUDE   sway at the bottom edge (default 0: a flat mesh)
//     -f FPS         key frames per second (default 8)
//     -i INTERP      curve towards each key frame: 0 linear, 1 ease-in,
//                    2 ease-out, 3 ease-in-out (default 3)
//     -l LOOP        1 loops (default), 0 plays once
//     -t TEXTURE     texture name relative to the description's folder
//     -F FRAME       frame of a frame texture (default 0)
//     -d             the sway swells and dies away: the first and the last
//                    key frame are flat, for a one-shot from rest to rest
// Exit status 1 when OUT cannot be written, 2 on bad arguments.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char kHelp[] =
    "usage: gridmesh [options] OUT.xml\n"
    "\n"
    "Writes a grid (mesh animation) description: a COLS x ROWS-cell mesh of\n"
    "WIDTH x HEIGHT centred on the object's origin, the texture stretched over it,\n"
    "and KEYS key frames in which the mesh sways sideways like cloth hanging from\n"
    "its top edge.\n"
    "\n"
    "  -c COLSxROWS    cells (default 8x8; at most 255x255)\n"
    "  -s WIDTHxHEIGHT size in object units (default 256x256)\n"
    "  -k KEYS         key frames (default 8)\n"
    "  -a AMPLITUDE    sway at the bottom edge (default 0: a flat mesh)\n"
    "  -f FPS          key frames per second (default 8)\n"
    "  -i INTERP       curve towards each key frame: 0 linear, 1 ease-in,\n"
    "                  2 ease-out, 3 ease-in-out (default 3)\n"
    "  -l LOOP         1 loops (default), 0 plays once\n"
    "  -t TEXTURE      texture name relative to the description's folder\n"
    "  -F FRAME        frame of a frame texture (default 0)\n"
    "  -d              the sway swells and dies away (flat first and last key)\n"
    "  --help          this text\n"
    "\n"
    "Exit status: 0 written, 1 OUT cannot be written, 2 bad arguments.\n"
    "\n"
    "Example:\n"
    "  gridmesh -c 6x12 -s 64x128 -k 8 -a 6 -f 8 -t curtain assets/levels/x/curtain.xml\n";

// --help anywhere on the line: the help on standard output, nothing run.
bool AsksForHelp(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
            return true;
    }
    return false;
}

struct Options {
    int cols = 8;
    int rows = 8;
    float width = 256.0f;
    float height = 256.0f;
    int keys = 8;
    float amplitude = 0.0f;
    float fps = 8.0f;
    int interp = 3;
    int loop = 1;
    std::string texture;
    int frame = 0;
    bool damped = false;
    const char* out = nullptr;
};

bool ParseInt(const char* text, int low, int high, int& value) {
    char* end = nullptr;
    const long parsed = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || parsed < low || parsed > high)
        return false;
    value = static_cast<int>(parsed);
    return true;
}

bool ParseFloat(const char* text, float& value) {
    char* end = nullptr;
    const float parsed = std::strtof(text, &end);
    if (end == text || *end != '\0' || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

// "AxB" into two positive values.
template <class T> bool ParsePair(const char* text, T& a, T& b) {
    const char* x = std::strchr(text, 'x');
    if (!x)
        return false;
    const std::string first(text, x);
    float fa = 0.0f;
    float fb = 0.0f;
    if (!ParseFloat(first.c_str(), fa) || !ParseFloat(x + 1, fb) || fa <= 0.0f || fb <= 0.0f)
        return false;
    a = static_cast<T>(fa);
    b = static_cast<T>(fb);
    return static_cast<float>(a) == fa && static_cast<float>(b) == fb;
}

bool ParseOptions(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        if (flag == "-d") {
            o.damped = true;
        } else if (flag.size() == 2 && flag[0] == '-' && i + 1 < argc) {
            const char* value = argv[++i];
            bool ok = false;
            switch (flag[1]) {
            case 'c':
                ok = ParsePair(value, o.cols, o.rows) && o.cols <= 255 && o.rows <= 255;
                break;
            case 's':
                ok = ParsePair(value, o.width, o.height);
                break;
            case 'k':
                ok = ParseInt(value, 1, 1000, o.keys);
                break;
            case 'a':
                ok = ParseFloat(value, o.amplitude);
                break;
            case 'f':
                ok = ParseFloat(value, o.fps) && o.fps > 0.0f;
                break;
            case 'i':
                ok = ParseInt(value, 0, 3, o.interp);
                break;
            case 'l':
                ok = ParseInt(value, 0, 1, o.loop);
                break;
            case 't':
                o.texture = value;
                ok = o.texture.find_first_of("\"<>&") == std::string::npos;
                break;
            case 'F':
                ok = ParseInt(value, 0, 1 << 20, o.frame);
                break;
            default:
                break;
            }
            if (!ok) {
                std::fprintf(stderr, "gridmesh: bad value \"%s\" for %s\n", value, flag.c_str());
                return false;
            }
        } else if (!o.out && flag[0] != '-') {
            o.out = argv[i];
        } else {
            std::fprintf(stderr, "gridmesh: unexpected argument \"%s\"\n", argv[i]);
            return false;
        }
    }
    if (!o.out)
        std::fprintf(stderr,
                     "usage: gridmesh [-c COLSxROWS] [-s WxH] [-k KEYS] [-a AMPLITUDE] "
                     "[-f FPS] [-i INTERP] [-l LOOP] [-t TEXTURE] [-F FRAME] [-d] OUT.xml\n");
    return o.out != nullptr;
}

void WriteMesh(FILE* out, const Options& o) {
    const float two_pi = 6.2831853f;
    std::fprintf(out, "<grid texture=\"%s\" frame=\"%d\" loop=\"%d\" fps=\"%g\">\n",
                 o.texture.c_str(), o.frame, o.loop, static_cast<double>(o.fps));
    std::fprintf(out, "  <frames>\n");
    for (int key = 0; key < o.keys; ++key) {
        std::fprintf(out, "    <frame interp=\"%d\">\n", o.interp);
        const float phase = two_pi * static_cast<float>(key) / static_cast<float>(o.keys);
        const float swell =
            o.damped && o.keys > 1
                ? std::sin(0.5f * two_pi * static_cast<float>(key) / static_cast<float>(o.keys - 1))
                : 1.0f;
        int id = 0;
        for (int row = 0; row <= o.rows; ++row) {
            const float down = static_cast<float>(row) / static_cast<float>(o.rows);
            // At the last key of a damped mesh the swell is sin(pi), a
            // crumb above 0: a rest pose must be exact.
            const float sway = key == o.keys - 1 && o.damped
                                   ? 0.0f
                                   : o.amplitude * swell * down * std::sin(phase - down * 3.0f);
            for (int col = 0; col <= o.cols; ++col) {
                const float across = static_cast<float>(col) / static_cast<float>(o.cols);
                std::fprintf(out,
                             "      <vertex pos_x=\"%g\" pos_y=\"%g\" tu=\"%g\" tv=\"%g\" "
                             "id=\"%d\"/>\n",
                             static_cast<double>((across - 0.5f) * o.width + sway),
                             static_cast<double>((down - 0.5f) * o.height),
                             static_cast<double>(across), static_cast<double>(down), id++);
            }
        }
        std::fprintf(out, "    </frame>\n");
    }
    std::fprintf(out, "  </frames>\n  <triangles>\n");
    const int stride = o.cols + 1;
    for (int row = 0; row < o.rows; ++row)
        for (int col = 0; col < o.cols; ++col) {
            const int a = row * stride + col;
            const int b = a + 1;
            const int c = a + stride;
            const int d = c + 1;
            std::fprintf(out,
                         "    <triangle vertex_0=\"%d\" vertex_1=\"%d\" vertex_2=\"%d\"/>\n"
                         "    <triangle vertex_0=\"%d\" vertex_1=\"%d\" vertex_2=\"%d\"/>\n",
                         a, b, c, b, d, c);
        }
    std::fprintf(out, "  </triangles>\n</grid>\n");
}

} // namespace

int main(int argc, char** argv) {
    if (AsksForHelp(argc, argv)) {
        std::fputs(kHelp, stdout);
        return 0;
    }
    Options options;
    if (!ParseOptions(argc, argv, options))
        return 2;
    FILE* out = std::fopen(options.out, "wb");
    if (!out) {
        std::fprintf(stderr, "gridmesh: cannot write %s\n", options.out);
        return 1;
    }
    WriteMesh(out, options);
    const bool written = std::ferror(out) == 0;
    if (std::fclose(out) != 0 || !written) {
        std::fprintf(stderr, "gridmesh: cannot write %s\n", options.out);
        std::remove(options.out);
        return 1;
    }
    return 0;
}
