#include "game/actor_factory.h"

#include <functional>
#include <map>

#include "game/actors/actor.h"
#include "game/actors/angler.h"
#include "game/actors/cannon.h"
#include "game/actors/clam.h"
#include "game/actors/crab.h"
#include "game/actors/crate.h"
#include "game/actors/dolphin.h"
#include "game/actors/eel.h"
#include "game/actors/jellyfish.h"
#include "game/actors/mrpuffer.h"
#include "game/actors/piratefish.h"
#include "game/actors/refill_station.h"
#include "game/actors/seagull.h"
#include "game/actors/sentinel.h"
#include "game/actors/sharky.h"
#include "game/actors/sleepyfish.h"
#include "game/actors/spikes.h"
#include "game/treasure.h"

namespace {

using Maker = std::function<Actor*()>;

template <class Creature>
Actor* make() {
  return new Creature;
}

Actor* makeHangingSpikes() {
  auto* spikes = new Spikes;
  spikes->hang();
  return spikes;
}

Actor* makeLeftSentinel() {
  auto* sentinel = new Sentinel;
  sentinel->hFlip = true;
  return sentinel;
}

Actor* makeExplosiveCrate() {
  auto* crate = new Crate;
  crate->makeExplosive();
  return crate;
}

// Level cell kind -> constructor. Each creature joins this table as it is
// built.
const std::map<std::string, Maker>& makers() {
  static const std::map<std::string, Maker> table = {
      {"angler.dat", make<Angler>},
      {"cannon.dat", make<Cannon>},
      {"clam.dat", make<Clam>},
      {"crab.dat", make<Crab>},
      {"crate.dat", make<Crate>},
      {"crate.dat:explosive", makeExplosiveCrate},
      {"dolphin.dat", make<Dolphin>},
      {"eel.dat", make<Eel>},
      {"jellyfish.dat", make<Jellyfish>},
      {"mrpuffer.dat", make<Mrpuffer>},
      {"piratefish.dat", make<Piratefish>},
      {"seagull.dat", make<Seagull>},
      {"sentinel.dat", make<Sentinel>},
      {"sentinel.dat:left", makeLeftSentinel},
      {"sharky.dat", make<Sharky>},
      {"sleepyfish.dat", make<Sleepyfish>},
      {"spikes.dat", make<Spikes>},
      {"spikes.dat:hanging", makeHangingSpikes},
      {"refill", make<RefillStation>},
  };
  return table;
}

}  // namespace

Actor* makeLevelActor(const std::string& kind) {
  auto found = makers().find(kind);
  return found == makers().end() ? nullptr : found->second();
}

void attachPearl(Actor* clam, Treasure* pearl) {
  if (auto* holder = dynamic_cast<Clam*>(clam)) holder->holdPearl(pearl);
}
