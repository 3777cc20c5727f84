#include "ui/number_format.h"

#include <cmath>

char numberText[128] = "0";

// The leading digits come from a floor in double while the last one is the
// truncating remainder, so a negative value gives mixed signs per digit; the
// HUD shows whatever this yields rather than guessing at a nicer form.
char* formatThreeDigits(int value, char* buffer) {
    int hundreds = static_cast<int>(std::floor(value / 100.0));
    int tens = static_cast<int>(std::floor((value % 100) / 10.0));
    int units = value % 10;
    buffer[0] = static_cast<char>('0' + hundreds);
    buffer[1] = static_cast<char>('0' + tens);
    buffer[2] = static_cast<char>('0' + units);
    buffer[3] = '\0';
    return buffer;
}

char* formatTwoDigits(int value, char* buffer) {
    int tens = static_cast<int>(std::floor(value / 10.0));
    int units = value % 10;
    buffer[0] = static_cast<char>('0' + tens);
    buffer[1] = static_cast<char>('0' + units);
    buffer[2] = '\0';
    return buffer;
}
