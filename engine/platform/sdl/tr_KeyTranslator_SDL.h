// tr_KeyTranslator_SDL: turns SDL key symbols and text into the values the
// engine's input events carry: Windows virtual-key codes for keys (content
// scripts compare these numbers) and UTF-16 code units for characters.
// Stateless; used by Tarrow_SDL's event handling.
#pragma once

#include <SDL2/SDL_keyboard.h>

#include <cstdint>
#include <string>
#include <vector>

class tr_KeyTranslator_SDL {
public:
    // The virtual-key code of a key, or 0 for keys without one. The key
    // symbol decides (so letters follow the keyboard layout, as on Windows);
    // a symbol outside the table (a letter of a non-Latin layout) falls back
    // to the key's position on a US keyboard.
    static int ToVirtualKey(SDL_Keycode key, SDL_Scancode scancode);

    // The character Windows sends along with Backspace (8), Tab (9), Enter
    // (13) and Escape (27); 0 for every other key.
    static int ControlCharacter(SDL_Keycode key);

    // UTF-8 text to UTF-16 code units; characters beyond the basic plane
    // become surrogate pairs. Malformed sequences are dropped.
    static std::vector<uint16_t> ToUtf16Units(const char* utf8);

    // Valid UTF-8 for a window title: every byte that does not start a valid
    // sequence is read as Latin-1 (string tables may hold a lone 0xA0).
    static std::string SanitizeUtf8(const char* text);
};
