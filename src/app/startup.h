// Start-up and frame pieces shared by the game and by the programs built on
// it (the HUD and scene tools, the model gallery, the frame benchmark), so
// that they open the same window and run the same init sequence as players.
#pragma once

class KeySource;

constexpr int kGameWindowWidth = 800;
constexpr int kGameWindowHeight = 600;

// The double-buffered RGB window with a depth buffer, placed by the window
// manager. glutInit must have run.
void openGameWindow(const char* title, int width = kGameWindowWidth, int height = kGameWindowHeight);

// Sounds, fonts, camera, pictures, the map, then the GL state and the splash
// sound, in that order. Reads from the working directory.
void initGame();
// The GL state every frame relies on: clear colour, depth test, culling.
void setGameGlState();
// Installs the key source, then runs initGame.
void startGame(KeySource& keys);

// The top of every frame: clear, and identity projection and modelview.
void beginFrame();

// Registers the display and idle callbacks (idle may be null) and the game's
// reshape handler, and runs GLUT's loop.
[[noreturn]] void runGameLoop(void (*display)(), void (*idle)());
