#pragma once
#include <string>
#include <vector>

#include "flow/demo.h"
#include "flow/demo_session.h"
#include "route.h"

class Player;

// Plays a level by its route, steering the fish with the keys a player
// would press and writing them down as a demo. Each pass it looks at where
// the fish is and presses what takes it towards the step's target; it
// dismisses the help screen and waits out the level's pauses. It stops at
// the first step it cannot finish, or when the fish dies, saying why.
class RouteBot : public DemoSession {
 public:
  static constexpr float kPassS = 0.02f;

  RouteBot(GameApp& app, const Route& route, bool trace);
  bool beginPass(float& dt) override;
  void endPass() override;
  // Saves the screen as it is once the route's clock reaches seconds (and
  // at the end, when it never does), for seeing what went wrong.
  void takeShot(const std::string& path, float seconds);
  void saveShot();

  Demo demo;
  std::string failure;  // why the route was not followed to the end

 private:
  // The keys the current step wants down this pass; moves on to the next
  // step when it is done. False when the route is over or failed.
  bool decide(Player& fish, std::vector<int>& want);
  bool stepDone(Player& fish, const RouteStep& step, std::vector<int>& want);
  bool goTowards(Player& fish, const RouteStep& step, std::vector<int>& want);
  bool walkTowards(Player& fish, float targetX, std::vector<int>& want);
  bool fireFacing(Player& fish, const RouteStep& step, std::vector<int>& want);
  void beginStep(Player& fish);
  void fail(Player& fish, const std::string& why);
  void press(const std::vector<int>& want, DemoPass& pass);

  const Route& route;
  const bool trace;
  size_t current = 0;
  bool stepStarted = false;
  float stepTime = 0.0f;  // unpaused seconds in the current step
  int firePhase = 0;
  float clock = 0.0f;     // unpaused seconds of the route
  std::vector<bool> held;  // by scancode, as last pressed
  std::string shotPath;
  float shotAt = 0.0f;
};
