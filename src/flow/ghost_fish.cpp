#include "flow/ghost_fish.h"

#include <allegro.h>

#include <algorithm>

#include "engine/translucent.h"

namespace {

const float kGhostAlpha = 110.0f;  // 0-255: clearly a ghost, still readable
const float kBehindEverything = -1.0e6f;
const int kSwimSheet = 0, kHopSheet = 1;  // the nested datafiles of the fish's art

}  // namespace

GhostFish::GhostFish(const std::vector<GhostSample>& samples) : track(samples) {
  datafile.open("gulpy.dat");
  anchor = 1;
  alpha = kGhostAlpha;
  depthBias = kBehindEverything;
  visible = !track.empty();
  follow(0.0f);
}

GhostFish::~GhostFish() {
  for (auto& [picture, copy] : mirrored) destroy_bitmap(copy);
}

// Moved by follow after the level's clock has run for the pass instead: the
// screen steps its drawables before the clock moves.
void GhostFish::step(float) {}

void GhostFish::follow(float t) {
  if (track.empty()) return;
  if (at >= track.size() || track[at].time > t) at = 0;  // the clock went back: a new entry
  while (at + 1 < track.size() && track[at + 1].time <= t) ++at;
  const GhostSample& from = track[at];
  // Past the run's last sample the run has been won.
  visible = at + 1 < track.size() || t <= from.time + kGhostSampleS;
  float share = 0.0f;
  if (at + 1 < track.size() && track[at + 1].time > from.time)
    share = std::min(1.0f, std::max(0.0f, (t - from.time) / (track[at + 1].time - from.time)));
  const GhostSample& to = at + 1 < track.size() ? track[at + 1] : from;
  x = from.x + (to.x - from.x) * share;
  y = from.y + (to.y - from.y) * share;
  hFlip = from.flip;
  if (from.hop != hopping || !sheetChosen) {
    hopping = from.hop;
    sheetChosen = true;
    datafile.useSubDatafile(hopping ? kHopSheet : kSwimSheet);
  }
  // A frame the fish's art lacks (a run kept by another build) is not drawn.
  bool drawable = from.frame < datafile.lastIndex;
  frame = drawable ? static_cast<float>(from.frame) : 0.0f;
  visible = visible && drawable;
  updateBounds();
}

BITMAP* GhostFish::facingPicture(int index) {
  if (index < 0 || index >= datafile.lastIndex || datafile.typeOf(index) != DAT_BITMAP) return nullptr;
  auto* picture = static_cast<BITMAP*>(datafile.get(index));
  if (!hFlip) return picture;
  // Translucent drawing cannot mirror: each frame is mirrored once, here.
  BITMAP*& copy = mirrored[picture];
  if (!copy) {
    copy = create_bitmap_ex(bitmap_color_depth(picture), picture->w, picture->h);
    if (!copy) return picture;
    clear_to_color(copy, bitmap_mask_color(copy));
    draw_sprite_h_flip(copy, picture, 0, 0);
  }
  return copy;
}

void GhostFish::draw(BITMAP* target) {
  if (!visible || !datafile.isLoaded) return;
  BITMAP* picture = facingPicture(static_cast<int>(frame));
  if (!picture) return;
  set_trans_blender(0, 0, 0, static_cast<int>(alpha));
  drawTranslucent(target, picture, static_cast<int>(x) - picture->w / 2, static_cast<int>(y) - picture->h / 2);
}
