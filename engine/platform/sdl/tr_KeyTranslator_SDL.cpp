#include "engine/platform/sdl/tr_KeyTranslator_SDL.h"

#include "engine/core/tr_Utf8.h"

#include <cstring>

namespace {

int VirtualKeyOfSymbol(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) {
        return 'A' + (key - SDLK_a);
    }
    if (key >= SDLK_0 && key <= SDLK_9) {
        return '0' + (key - SDLK_0);
    }
    if (key >= SDLK_F1 && key <= SDLK_F12) {
        return 0x70 + (key - SDLK_F1);
    }
    if (key >= SDLK_F13 && key <= SDLK_F24) {
        return 0x7C + (key - SDLK_F13);
    }
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) {
        return 0x61 + (key - SDLK_KP_1);
    }
    switch (key) {
    case SDLK_BACKSPACE:
        return 0x08;
    case SDLK_TAB:
        return 0x09;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return 0x0D;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
        return 0x10;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
        return 0x11;
    case SDLK_LALT:
    case SDLK_RALT:
        return 0x12;
    case SDLK_PAUSE:
        return 0x13;
    case SDLK_CAPSLOCK:
        return 0x14;
    case SDLK_ESCAPE:
        return 0x1B;
    case SDLK_SPACE:
        return 0x20;
    case SDLK_PAGEUP:
        return 0x21;
    case SDLK_PAGEDOWN:
        return 0x22;
    case SDLK_END:
        return 0x23;
    case SDLK_HOME:
        return 0x24;
    case SDLK_LEFT:
        return 0x25;
    case SDLK_UP:
        return 0x26;
    case SDLK_RIGHT:
        return 0x27;
    case SDLK_DOWN:
        return 0x28;
    case SDLK_PRINTSCREEN:
        return 0x2C;
    case SDLK_INSERT:
        return 0x2D;
    case SDLK_DELETE:
        return 0x2E;
    case SDLK_LGUI:
        return 0x5B;
    case SDLK_RGUI:
        return 0x5C;
    case SDLK_APPLICATION:
        return 0x5D;
    case SDLK_KP_0:
        return 0x60;
    case SDLK_KP_MULTIPLY:
        return 0x6A;
    case SDLK_KP_PLUS:
        return 0x6B;
    case SDLK_KP_MINUS:
        return 0x6D;
    case SDLK_KP_PERIOD:
        return 0x6E;
    case SDLK_KP_DIVIDE:
        return 0x6F;
    case SDLK_NUMLOCKCLEAR:
        return 0x90;
    case SDLK_SCROLLLOCK:
        return 0x91;
    case SDLK_SEMICOLON:
        return 0xBA;
    case SDLK_EQUALS:
        return 0xBB;
    case SDLK_COMMA:
        return 0xBC;
    case SDLK_MINUS:
        return 0xBD;
    case SDLK_PERIOD:
        return 0xBE;
    case SDLK_SLASH:
        return 0xBF;
    case SDLK_BACKQUOTE:
        return 0xC0;
    case SDLK_LEFTBRACKET:
        return 0xDB;
    case SDLK_BACKSLASH:
        return 0xDC;
    case SDLK_RIGHTBRACKET:
        return 0xDD;
    case SDLK_QUOTE:
        return 0xDE;
    default:
        return 0;
    }
}

// The symbol the key at this position carries on a US layout, for the
// positions whose virtual key is layout-dependent.
SDL_Keycode UsSymbolOfScancode(SDL_Scancode scancode) {
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
        return SDLK_a + (scancode - SDL_SCANCODE_A);
    }
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) {
        return SDLK_1 + (scancode - SDL_SCANCODE_1);
    }
    switch (scancode) {
    case SDL_SCANCODE_0:
        return SDLK_0;
    case SDL_SCANCODE_SEMICOLON:
        return SDLK_SEMICOLON;
    case SDL_SCANCODE_EQUALS:
        return SDLK_EQUALS;
    case SDL_SCANCODE_COMMA:
        return SDLK_COMMA;
    case SDL_SCANCODE_MINUS:
        return SDLK_MINUS;
    case SDL_SCANCODE_PERIOD:
        return SDLK_PERIOD;
    case SDL_SCANCODE_SLASH:
        return SDLK_SLASH;
    case SDL_SCANCODE_GRAVE:
        return SDLK_BACKQUOTE;
    case SDL_SCANCODE_LEFTBRACKET:
        return SDLK_LEFTBRACKET;
    case SDL_SCANCODE_BACKSLASH:
        return SDLK_BACKSLASH;
    case SDL_SCANCODE_RIGHTBRACKET:
        return SDLK_RIGHTBRACKET;
    case SDL_SCANCODE_APOSTROPHE:
        return SDLK_QUOTE;
    default:
        return SDLK_UNKNOWN;
    }
}

// Decodes one well-formed UTF-8 sequence at text; returns its length, or 0
// when the bytes there do not form one (overlong forms, surrogates and
// values beyond U+10FFFF included).
size_t DecodeUtf8(const unsigned char* text, size_t available, uint32_t& code_point) {
    uint32_t value = 0;
    const size_t length = tr_Utf8::Decode(text, available, value);
    if (length == 0 || !tr_Utf8::IsShortestScalar(value, length)) {
        return 0;
    }
    code_point = value;
    return length;
}

void AppendUtf8(std::string& out, uint32_t code_point) {
    if (code_point < 0x80) {
        out.push_back(static_cast<char>(code_point));
    } else if (code_point < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code_point >> 6)));
        out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
    } else if (code_point < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code_point >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code_point >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code_point >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code_point >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code_point >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
    }
}

} // namespace

int tr_KeyTranslator_SDL::ToVirtualKey(SDL_Keycode key, SDL_Scancode scancode) {
    const int virtual_key = VirtualKeyOfSymbol(key);
    if (virtual_key != 0) {
        return virtual_key;
    }
    return VirtualKeyOfSymbol(UsSymbolOfScancode(scancode));
}

int tr_KeyTranslator_SDL::ControlCharacter(SDL_Keycode key) {
    switch (key) {
    case SDLK_BACKSPACE:
        return 8;
    case SDLK_TAB:
        return 9;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return 13;
    case SDLK_ESCAPE:
        return 27;
    default:
        return 0;
    }
}

std::vector<uint16_t> tr_KeyTranslator_SDL::ToUtf16Units(const char* utf8) {
    std::vector<uint16_t> units;
    if (!utf8) {
        return units;
    }
    const auto* text = reinterpret_cast<const unsigned char*>(utf8);
    size_t remaining = std::strlen(utf8);
    while (remaining > 0) {
        uint32_t code_point = 0;
        const size_t length = DecodeUtf8(text, remaining, code_point);
        if (length == 0) {
            ++text;
            --remaining;
            continue;
        }
        text += length;
        remaining -= length;
        if (code_point >= 0x10000) {
            code_point -= 0x10000;
            units.push_back(static_cast<uint16_t>(0xD800 | (code_point >> 10)));
            units.push_back(static_cast<uint16_t>(0xDC00 | (code_point & 0x3FF)));
        } else {
            units.push_back(static_cast<uint16_t>(code_point));
        }
    }
    return units;
}

std::string tr_KeyTranslator_SDL::SanitizeUtf8(const char* text) {
    std::string out;
    if (!text) {
        return out;
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    size_t remaining = std::strlen(text);
    while (remaining > 0) {
        uint32_t code_point = 0;
        size_t length = DecodeUtf8(bytes, remaining, code_point);
        if (length == 0) {
            code_point = bytes[0];
            length = 1;
        }
        AppendUtf8(out, code_point);
        bytes += length;
        remaining -= length;
    }
    return out;
}
