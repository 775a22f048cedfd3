#include "game/actor_index.h"

#include "game/actors/actor.h"

void ActorIndex::refresh(const std::vector<Actor*>& actors) {
  if (fresh && count == actors.size() && first == actors.data()) return;
  sentinels.clear();
  solids.clear();
  coins.clear();
  for (Actor* actor : actors) {
    if (actor->kindCode() == ActorKind::kSentinel) sentinels.push_back(actor);
    if (actor->kindCode() == ActorKind::kCoin) coins.push_back(actor);
    if (actor->solid) solids.push_back(actor);
  }
  fresh = true;
  count = actors.size();
  first = actors.data();
}
