// The game's pictures, each painted from fixed seeds so every build writes the
// same files.
#pragma once

#include "picture.h"
#include "text.h"

namespace pic {

constexpr float kTau = 6.2831853f;

// Fills a picture from a colour function of the pixel centre's (u, v) in 0..1.
template <typename F>
void paint(Picture& p, F colourAt) {
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x)
            p.at(x, y) = colourAt((x + 0.5f) / p.width(), (y + 0.5f) / p.height());
}

// Ground tiles (seamless, they repeat cell after cell).
Picture grassTile();
Picture dirtTile();
Picture waterTile();
Picture rockyGroundTile();

// Scenery, items and buildings.
Picture treeCard();
Picture bark();
Picture hayEnd();
Picture straw();
Picture rock(int variant);  // 1, 2 or 3
Picture growthPillLabel(const Font& font);
Picture headPillLabel(const Font& font);
Picture snailIcon();
Picture siloMetal();
Picture siloTop();
Picture blank();
Picture barnPlanks();

// The cows.
Picture holsteinSpots();
Picture whiteHide();
Picture horn();
Picture brownHide();

// The title picture, sized for the 4:3 window it is stretched over.
Picture splashPicture(const Font& font);

}  // namespace pic
