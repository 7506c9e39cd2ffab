#include "engine/platform/sdl/tr_KeyTranslator_SDL.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

int Vk(SDL_Keycode key, SDL_Scancode scancode = SDL_SCANCODE_UNKNOWN) {
    return tr_KeyTranslator_SDL::ToVirtualKey(key, scancode);
}

TEST(KeyTranslatorTest, KeysKeepTheirWindowsCodes) {
    // Content compares these numbers: letters (H 72 and S 83 refill hints and
    // skips), the text-edit keys 8, 13, 37, 39, 46, Tab 9, Space 32, F10.
    const std::pair<SDL_Keycode, int> keys[] = {
        {SDLK_a, 65},
        {SDLK_h, 72},
        {SDLK_s, 83},
        {SDLK_z, 90},
        {SDLK_0, 48},
        {SDLK_9, 57},
        {SDLK_F1, 0x70},
        {SDLK_F10, 0x79},
        {SDLK_F12, 0x7B},
        {SDLK_BACKSPACE, 8},
        {SDLK_TAB, 9},
        {SDLK_RETURN, 13},
        {SDLK_KP_ENTER, 13},
        {SDLK_ESCAPE, 27},
        {SDLK_SPACE, 32},
        {SDLK_LEFT, 37},
        {SDLK_DOWN, 40},
        {SDLK_RIGHT, 39},
        {SDLK_DELETE, 46},
        {SDLK_HOME, 36},
        {SDLK_LSHIFT, 16},
        {SDLK_RCTRL, 17},
        {SDLK_LALT, 18},
        {SDLK_KP_0, 96},
        {SDLK_KP_9, 105},
        {SDLK_KP_MULTIPLY, 106},
        {SDLK_KP_DIVIDE, 111},
        {SDLK_SEMICOLON, 186},
        {SDLK_MINUS, 189},
        {SDLK_BACKQUOTE, 192},
        {SDLK_LEFTBRACKET, 219},
        {SDLK_QUOTE, 222},
    };
    for (const auto& [key, code] : keys) {
        EXPECT_EQ(Vk(key), code) << SDL_GetKeyName(key);
    }
}

TEST(KeyTranslatorTest, SymbolsOutsideTheTableFallBackToTheUsPosition) {
    // A Cyrillic layout reports the letter itself as the symbol.
    EXPECT_EQ(Vk(0x0444, SDL_SCANCODE_A), 65);
    EXPECT_EQ(Vk(0x0439, SDL_SCANCODE_Q), 81);
    EXPECT_EQ(Vk(0x00E9, SDL_SCANCODE_2), 50);
    // The symbol wins over the position (AZERTY: the key at Q's place is A).
    EXPECT_EQ(Vk(SDLK_a, SDL_SCANCODE_Q), 65);
    EXPECT_EQ(Vk(SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN), 0);
    EXPECT_EQ(Vk(SDLK_VOLUMEUP, SDL_SCANCODE_VOLUMEUP), 0);
}

TEST(KeyTranslatorTest, OnlyEditingKeysCarryAControlCharacter) {
    EXPECT_EQ(tr_KeyTranslator_SDL::ControlCharacter(SDLK_BACKSPACE), 8);
    EXPECT_EQ(tr_KeyTranslator_SDL::ControlCharacter(SDLK_TAB), 9);
    EXPECT_EQ(tr_KeyTranslator_SDL::ControlCharacter(SDLK_RETURN), 13);
    EXPECT_EQ(tr_KeyTranslator_SDL::ControlCharacter(SDLK_KP_ENTER), 13);
    EXPECT_EQ(tr_KeyTranslator_SDL::ControlCharacter(SDLK_ESCAPE), 27);
    EXPECT_EQ(tr_KeyTranslator_SDL::ControlCharacter(SDLK_DELETE), 0);
    EXPECT_EQ(tr_KeyTranslator_SDL::ControlCharacter(SDLK_a), 0);
}

TEST(KeyTranslatorTest, TextBecomesUtf16UnitsAndMalformedBytesAreDropped) {
    using Units = std::vector<uint16_t>;
    EXPECT_EQ(tr_KeyTranslator_SDL::ToUtf16Units("Az"), (Units{0x41, 0x7A}));
    EXPECT_EQ(tr_KeyTranslator_SDL::ToUtf16Units("\xC3\xA9\xE2\x82\xAC"), (Units{0xE9, 0x20AC}));
    EXPECT_EQ(tr_KeyTranslator_SDL::ToUtf16Units("\xF0\x9F\x98\x80"), (Units{0xD83D, 0xDE00}));
    EXPECT_EQ(tr_KeyTranslator_SDL::ToUtf16Units("\xF4\x8F\xBF\xBF"), (Units{0xDBFF, 0xDFFF}));
    // Lone continuation, overlong slash, encoded surrogate, truncated sequence.
    EXPECT_EQ(tr_KeyTranslator_SDL::ToUtf16Units("a\x80"
                                                 "b\xC0\xAF"
                                                 "c\xED\xA0\x80"
                                                 "d\xE2\x82"),
              (Units{'a', 'b', 'c', 'd'}));
    EXPECT_TRUE(tr_KeyTranslator_SDL::ToUtf16Units(nullptr).empty());
}

TEST(KeyTranslatorTest, TitlesBecomeValidUtf8) {
    EXPECT_EQ(tr_KeyTranslator_SDL::SanitizeUtf8("Tarrow \xC3\xA9"), "Tarrow \xC3\xA9");
    // A lone 0xA0 (no-break space in Windows code pages) is read as Latin-1.
    EXPECT_EQ(tr_KeyTranslator_SDL::SanitizeUtf8("A\xA0"
                                                 "B"),
              "A\xC2\xA0"
              "B");
    EXPECT_EQ(tr_KeyTranslator_SDL::SanitizeUtf8(nullptr), "");
}

} // namespace
