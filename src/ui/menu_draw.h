// The title menu, the pause panel and the short notices drawn over a frame,
// in the title prompt's style: white extruded text on a dark plate. Each
// draws over the whole current viewport under an identity projection.
#pragma once

#include <string>

struct MenuView;

void drawMenu(const MenuView& view, const std::string& score);
void drawPausePanel(const std::string& note = std::string());
// One line on a plate near the top of the viewport ("VOLUME 7/10", a score).
void drawNotice(const std::string& text, float baseline = 0.82f);
