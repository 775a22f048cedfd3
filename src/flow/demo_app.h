#pragma once
#include "engine/engine.h"

// A small application that shows the engine working until the game
// application takes its place: a scrolling tile field, a square steered with
// the arrow keys, labels, a fade and a menu (M) with every kind of line.
// Escape or the window's close button quits.
class DemoApp : public Engine {
 public:
  DemoApp();
  ~DemoApp() override;
  void init() override;
  void start() override { run(); }
  void update(float dt) override;
  void onAction(const std::string& name, bool pressed) override;
  void drawOverlay() override;

 private:
  GameState* demoState = nullptr;
};
