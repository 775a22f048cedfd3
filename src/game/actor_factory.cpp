#include "game/actor_factory.h"

#include <functional>
#include <map>

#include "game/actors/actor.h"
#include "game/actors/refill_station.h"
#include "game/treasure.h"

namespace {

using Maker = std::function<Actor*()>;

// Level cell kind -> constructor. Each creature joins this table as it is
// built.
const std::map<std::string, Maker>& makers() {
  static const std::map<std::string, Maker> table = {
      {"refill", [] { return new RefillStation; }},
  };
  return table;
}

}  // namespace

Actor* makeLevelActor(const std::string& kind) {
  auto found = makers().find(kind);
  return found == makers().end() ? nullptr : found->second();
}

void attachPearl(Actor*, Treasure*) {}
