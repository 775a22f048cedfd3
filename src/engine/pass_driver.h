#pragma once

// Takes part in every pass of the main loop; demos record and replay the
// game through it (Engine::passDriver, not owned).
class PassDriver {
 public:
  virtual ~PassDriver() = default;
  // Before the pass's update. dt arrives as the timer measured it (capped
  // and scaled, seconds) and may be replaced; Allegro's key array may be set
  // here. False ends the main loop without this pass.
  virtual bool beginPass(float& dt) = 0;
  // After the pass has been drawn and its removed sprites destroyed.
  virtual void endPass() = 0;
};
