#include "game/actors/crate.h"

#include "engine/particle_system.h"
#include "flow/game_app.h"
#include "game/actors/contact.h"
#include "game/vector2.h"

namespace {

const int kDepthBias = 100;
const int kDebrisParticles = 100;
const float kBlastPx = 100.0f;
const int kSharkBoundsMargin = 20;
const char* const kBigSharkKind = "dat/sharkybig.dat";

}  // namespace

Crate::Crate() {
  loadArt("crate.dat");
  solid = 1;
  untrappable = 1;
  depthBias = kDepthBias;
}

void Crate::makeExplosive() {
  explosive = 1;
  loadArt("excrate.dat");
}

void Crate::hit() {
  if (!explosive || !visible) return;
  GameApp& app = *GameApp::instance;
  playCentred("cannon");
  visible = false;
  if (app.particles[1]) app.particles[1]->burst(x, y, kDebrisParticles, -1);
  hurtPlayerWithin(x, y, kBlastPx);
  damageBigShark();
}

void Crate::damageBigShark() {
  BoundingBox blast = boundingBox();
  for (Actor* actor : GameApp::instance->actors) {
    if (actor->kind() != kBigSharkKind) continue;
    if (cornerInside(shrunk(actor->boundingBox(), kSharkBoundsMargin), blast)) actor->hit();
  }
}
