#pragma once
#include <map>

#include "engine/sprite.h"

// Where each level's marker sits on the level select map, in map
// coordinates (the map is 800 x 600), by level index.
struct MapNodePosition {
  int x, y;
};
const int kMapNodeCount = 50;
extern const MapNodePosition kMapNodePositions[kMapNodeCount];

// One level's marker on the level select map, drawn centred on its spot
// from "mapnode.dat". Its frame tells an ordinary level from every tenth
// one and a level rated 100 % from the rest; its alpha shows the highlight.
class MapNode : public Sprite {
 public:
  int index;  // 0..49

  // Looks the level's rating up in ratings, which adds a 0 entry for a
  // level never played. An index outside 0..49 is clamped.
  MapNode(int index, std::map<int, int>& ratings);

  // Opaque when selection names this marker, half translucent otherwise.
  void showSelection(int selection);
};
