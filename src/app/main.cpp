#include "app/game_app.h"

int main(int argc, char** argv) { runHoofbrawl(argc, argv); }
