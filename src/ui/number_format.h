// Fixed-width digit strings for the HUD's counters.
#pragma once

// The one buffer every number on the HUD passes through; each number is
// formatted and drawn before the next one is formatted.
extern char numberText[128];

// Three digit characters and a NUL. No clamping: 1000 gives ':' for the
// hundreds and negative values give characters below '0'.
char* formatThreeDigits(int value, char* buffer);
// Two digit characters and a NUL, with the same lack of clamping.
char* formatTwoDigits(int value, char* buffer);
