#pragma once
#include <vector>

#include "engine/layer.h"

struct BITMAP;
class Drawable;

// The display: sets the graphics mode, composes every frame into a memory
// back buffer from its layers, scrolls the world layers after a camera
// target and copies the frame to the display, optionally through a wave.
class Screen {
 public:
  int width = 0, height = 0;
  bool fullscreen = false;
  int gfxCard = 0;
  BITMAP* backBuffer = nullptr;      // owned
  BITMAP* snapshotBuffer = nullptr;  // owned
  BITMAP* waveBuffer = nullptr;      // owned; the wavy frame, built whole before it is shown
  std::vector<Layer> layers;
  Drawable* cameraTarget = nullptr;  // not owned
  int displayWidth = 0, displayHeight = 0;
  int halfWidth = 0, halfHeight = 0;
  bool waterEffect = false;
  float wavePhase = 0.0f;
  float waveLength = 10.0f;    // rows per radian
  float waveAmplitude = 2.0f;  // pixels

  // Sets the graphics mode (depths 16, 15, 32, 24) and builds the buffers;
  // a failure is reported and leaves the screen without buffers.
  Screen(int width, int height, bool fullscreen);
  // Test seam: buffers at the current colour depth, no mode set.
  struct Offscreen {};
  Screen(int width, int height, Offscreen);
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;
  ~Screen();

  // The screen constructed last; null before.
  static Screen* current;

  bool ready() const { return backBuffer != nullptr; }
  void changeResolution(int newWidth, int newHeight);
  // Both report "Layer #<n> out of range" for a bad index and do nothing.
  void addToLayer(Drawable* drawable, int layer);
  void removeFromLayer(Drawable* drawable, int layer);
  // Null also recentres every layer to offset (0, 0).
  void setCameraTarget(Drawable* target);
  // Advances the wave and every drawable on every layer; once per frame.
  void update(float dt);
  // Composes every layer into the back buffer, or into target.
  void present();
  void present(BITMAP* target);
  // Copies the back buffer to the display, through the wave when it is on.
  void flip();
  void snapshot();
  // The one place a finished frame goes to the display: a single upload.
  void uploadFrame(BITMAP* frame);
  // Horizontal shift of row through the wave, in pixels: the truncated
  // -sin((row - scrollY) / waveLength + wavePhase) * waveAmplitude.
  int waveShift(int row, int scrollY) const;

 private:
  bool layerInRange(int layer) const;
  void createBuffers(int bufferWidth, int bufferHeight);
  void destroyBuffers();
  void setDisplaySize(int w, int h);
  void followCamera(Layer& layer);
  bool onScreen(const Layer& layer, Drawable& drawable) const;
  void buildWave();

  // The display bitmap waveBuffer last went to; rows the wave leaves
  // uncovered keep what that display showed, as they would on it.
  BITMAP* waveShownOn = nullptr;
};
