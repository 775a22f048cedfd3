#include "flow/map_node.h"

#include <algorithm>

namespace {

const int kFullRating = 100;            // percent
const int kBossEvery = 10;              // every tenth level ends with a boss
const int kBossFrameOffset = 1;         // frames: 0 plain, 1 boss
const int kFullRatingFrameOffset = 2;   // 2 plain rated 100, 3 boss rated 100
const float kHighlightAlpha = 255.0f;
const float kDimAlpha = 128.0f;

}  // namespace

const MapNodePosition kMapNodePositions[kMapNodeCount] = {
    {72, 173},  {98, 187},  {110, 215}, {99, 246},  {100, 277}, {87, 307},  {82, 333},
    {95, 360},  {122, 370}, {152, 365}, {185, 352}, {218, 345}, {252, 352}, {281, 367},
    {313, 362}, {340, 344}, {358, 317}, {381, 296}, {405, 280}, {435, 269}, {465, 252},
    {489, 234}, {510, 210}, {529, 182}, {553, 160}, {585, 143}, {622, 138}, {660, 140},
    {696, 150}, {722, 177}, {742, 211}, {729, 240}, {705, 263}, {679, 283}, {650, 305},
    {614, 315}, {577, 324}, {542, 330}, {510, 339}, {480, 363}, {494, 398}, {515, 419},
    {542, 440}, {570, 460}, {602, 475}, {640, 476}, {674, 462}, {704, 438}, {725, 411},
    {756, 390}};

MapNode::MapNode(int levelIndex, std::map<int, int>& ratings)
    : index(std::clamp(levelIndex, 0, kMapNodeCount - 1)) {
  datafile.open("mapnode.dat");
  anchor = 1;
  setPosition(kMapNodePositions[index].x, kMapNodePositions[index].y);
  int chosen = 0;
  if (index % kBossEvery == kBossEvery - 1) chosen += kBossFrameOffset;
  if (ratings[index] == kFullRating) chosen += kFullRatingFrameOffset;
  frame = static_cast<float>(chosen);
  showSelection(-1);
}

void MapNode::showSelection(int selection) {
  alpha = (selection == index) ? kHighlightAlpha : kDimAlpha;
}
