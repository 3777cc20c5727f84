// The image reader's failure notices: a modal window captioned "Error" with an
// OK button, echoed to standard error.
#pragma once

// On by default; tests turn the pop-ups off (the echo on standard error stays).
extern bool errorPopups;

void showErrorMessage(const char* text);
