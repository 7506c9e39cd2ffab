#include "engine/platform/sdl/tr_KeyTranslator_SDL.h"

#include <gtest/gtest.h>

namespace {

int Vk(SDL_Keycode key, SDL_Scancode scancode = SDL_SCANCODE_UNKNOWN) {
    return tr_KeyTranslator_SDL::ToVirtualKey(key, scancode);
}

TEST(KeyTranslatorTest, KeysContentComparesKeepTheirWindowsCodes) {
    EXPECT_EQ(Vk(SDLK_a), 65);
    EXPECT_EQ(Vk(SDLK_h), 72);
    EXPECT_EQ(Vk(SDLK_s), 83);
    EXPECT_EQ(Vk(SDLK_z), 90);
    EXPECT_EQ(Vk(SDLK_0), 48);
    EXPECT_EQ(Vk(SDLK_9), 57);
    EXPECT_EQ(Vk(SDLK_F1), 0x70);
    EXPECT_EQ(Vk(SDLK_F10), 0x79);
    EXPECT_EQ(Vk(SDLK_F12), 0x7B);
    EXPECT_EQ(Vk(SDLK_BACKSPACE), 8);
    EXPECT_EQ(Vk(SDLK_TAB), 9);
    EXPECT_EQ(Vk(SDLK_RETURN), 13);
    EXPECT_EQ(Vk(SDLK_KP_ENTER), 13);
    EXPECT_EQ(Vk(SDLK_ESCAPE), 27);
    EXPECT_EQ(Vk(SDLK_SPACE), 32);
    EXPECT_EQ(Vk(SDLK_LEFT), 37);
    EXPECT_EQ(Vk(SDLK_UP), 38);
    EXPECT_EQ(Vk(SDLK_RIGHT), 39);
    EXPECT_EQ(Vk(SDLK_DOWN), 40);
    EXPECT_EQ(Vk(SDLK_DELETE), 46);
    EXPECT_EQ(Vk(SDLK_HOME), 36);
    EXPECT_EQ(Vk(SDLK_END), 35);
    EXPECT_EQ(Vk(SDLK_LSHIFT), 16);
    EXPECT_EQ(Vk(SDLK_RCTRL), 17);
    EXPECT_EQ(Vk(SDLK_LALT), 18);
}

TEST(KeyTranslatorTest, KeypadAndPunctuationUseTheNumpadAndOemCodes) {
    EXPECT_EQ(Vk(SDLK_KP_0), 96);
    EXPECT_EQ(Vk(SDLK_KP_5), 101);
    EXPECT_EQ(Vk(SDLK_KP_9), 105);
    EXPECT_EQ(Vk(SDLK_KP_MULTIPLY), 106);
    EXPECT_EQ(Vk(SDLK_KP_PLUS), 107);
    EXPECT_EQ(Vk(SDLK_KP_MINUS), 109);
    EXPECT_EQ(Vk(SDLK_KP_PERIOD), 110);
    EXPECT_EQ(Vk(SDLK_KP_DIVIDE), 111);
    EXPECT_EQ(Vk(SDLK_SEMICOLON), 186);
    EXPECT_EQ(Vk(SDLK_EQUALS), 187);
    EXPECT_EQ(Vk(SDLK_COMMA), 188);
    EXPECT_EQ(Vk(SDLK_MINUS), 189);
    EXPECT_EQ(Vk(SDLK_PERIOD), 190);
    EXPECT_EQ(Vk(SDLK_SLASH), 191);
    EXPECT_EQ(Vk(SDLK_BACKQUOTE), 192);
    EXPECT_EQ(Vk(SDLK_LEFTBRACKET), 219);
    EXPECT_EQ(Vk(SDLK_BACKSLASH), 220);
    EXPECT_EQ(Vk(SDLK_RIGHTBRACKET), 221);
    EXPECT_EQ(Vk(SDLK_QUOTE), 222);
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
