#pragma once

#include "world/records.h"

// A tile from its ground character: texture, heights and step behaviour.
GroundTile* makeGroundTile(char kind, int column, int row);
