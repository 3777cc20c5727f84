#include "platform/message_box.h"

#include <cstdio>

bool errorPopups = true;

void showErrorMessage(const char* text) {
    std::fprintf(stderr, "%s", text);
    std::fflush(stderr);
}
