// The arena overview's colour for one cell, apart from its drawing.
#pragma once

struct MapColour {
    float red, green, blue;
};

// The colour of a cell from its ground kind and object kind (0 when the cell
// has no ground or no object). Objects override ground; a cell that matches
// no rule keeps the colour of the cell drawn before it, passed as previous.
MapColour titleCellColour(char groundKind, char objectKind, MapColour previous);
