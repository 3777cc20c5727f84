// How a finished frame reaches the window.
#pragma once

// True when the current GL context can copy its back buffer to the window
// without swapping (GLX_MESA_copy_sub_buffer, as Mesa's software renderers
// offer): the back buffer then keeps what was drawn, by definition, rather
// than becoming undefined as after a swap.
bool canShowByCopy();

// Copies the back buffer's lower-left width x height pixels to the window.
// Only after canShowByCopy() said yes.
void showByCopy(int width, int height);
