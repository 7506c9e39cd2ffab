// tr_SLHelper_Text: the text-to-number conversions every helper and message
// value uses. They read like C's atoi / atof (leading blanks, optional sign,
// the longest numeric prefix, 0 when there is none) but never depend on the
// process locale. Integers saturate at the int range instead of overflowing.
#pragma once

class tr_SLHelper_Text {
public:
    static int ToInt(const char* text);
    static float ToFloat(const char* text);
    static double ToDouble(const char* text);
};
