#pragma once
#include <string>

#include "game/actors/actor.h"

// What the five bosses share: untrappable, hit points shown as the HUD's
// hearts, a flash when hurt and a fade to invisible when beaten. A boss can
// only be hurt by its own rule; each subclass holds that rule.
class Boss : public Actor {
 public:
  int hitPoints;
  int openStep = 0;        // exit tiles opened so far, once beaten
  float openTimer = 0.0f;  // seconds until the next one

  explicit Boss(int fullHitPoints);

  // Actor step, think unless the game is paused, then the hearts; hides
  // the boss once its fade-out has run.
  void step(float dt) override;

 protected:
  // The boss's own update; not while the game is paused.
  virtual void think(float dt) = 0;

  bool alive() const { return hitPoints > 0; }
  // Alpha from 255 to 0 and back, seconds a run, with repeats further runs
  // (odd counts end opaque).
  void flash(float seconds, int repeats);
  bool flashing() const { return alphaInterp.running && !fading; }
  // Cancels a moveTo where the boss stands.
  void stopMoving();
  // Fades to alpha 0 over a second; the boss is hidden when it gets there.
  void fadeOut();
  // Starts opening the exit: the first step comes in periodS.
  void startOpeningExit(float periodS);
  // The exit step due now (0, 1, ...), counted periodS apart up to steps;
  // -1 between steps and once all are open.
  int exitStepDue(float dt, int steps);
  // An effect at full volume, centred, at pitch thousandths of its rate.
  void playPlain(const std::string& name, int pitch = 1000);

 private:
  int fullHitPoints;
  bool fading = false;
  float openPeriod = 0.0f;
};
