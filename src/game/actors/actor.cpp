#include "game/actors/actor.h"

#include <algorithm>

#include "engine/datafile_cache.h"
#include "engine/particle_system.h"
#include "flow/game_app.h"
#include "game/actors/player.h"
#include "game/vector2.h"
#include "sound/sound_manager.h"

namespace {

const int kOverlayAlpha = 128;
const int kOverlayFrame = 1;
const float kShakeStartS = 1.0f;     // the last second in the bubble shakes
const float kShakeAmplitudePx = 5.0f;
const float kShakeHalfPeriodS = 0.1f;
const int kPopParticles = 20;
const int kFullVolume = 255, kCentrePan = 128, kNormalPitch = 1000;
const float kHearingLimitSq = 640000.0f;  // 800 px
const float kVolumePerSq = 255.0f * 1.5625e-6f;
const float kPanPerPx = 255.0f * 0.00125f;

struct KindRow {
  const char* datafile;
  ActorKind kind;
};
const KindRow kKindTable[] = {{"dat/coin.dat", ActorKind::kCoin},
                              {"dat/sentinel.dat", ActorKind::kSentinel},
                              {"dat/spikes.dat", ActorKind::kSpikes},
                              {"dat/sharkybig.dat", ActorKind::kBigShark}};

}  // namespace

void Actor::playCentred(const std::string& name) {
  GameApp* app = GameApp::instance;
  if (app && app->sound) app->sound->playSample(name, kFullVolume, kCentrePan, kNormalPitch, false);
}

Actor::Actor() {
  anchor = 1;
  bubbleOverlay.datafile.open("bubble.dat");
  bubbleOverlay.anchor = 1;
  bubbleOverlay.alpha = kOverlayAlpha;
  bubbleOverlay.frame = kOverlayFrame;
  bubbleOverlay.visible = false;
  shakeTween.setUpdatee(&shakeOffset);
  shakeTween.rate = 1.0f;
}

void Actor::loadArt(const std::string& datafileName) {
  kindName = DatafileCache::instance().fullPath(datafileName);
  kindTag = ActorKind::kOther;
  for (const KindRow& row : kKindTable)
    if (kindName == row.datafile) kindTag = row.kind;
  datafile.open(datafileName);
}

void Actor::step(float dt) {
  GameApp* app = GameApp::instance;
  if (app && app->paused) return;
  shakeTween.update(dt);
  if (trapTimer <= 0.0f) {
    cameraOffsetX = bubbleOverlay.cameraOffsetX = 0;
    Sprite::step(dt);
    return;
  }
  // Trapped: the sprite's own animation and glides stand still.
  trapTimer -= dt;
  if (trapTimer >= 0.0f) {
    if (trapTimer < kShakeStartS && !shakeTween.running) {
      shakeOffset = 0.0f;
      shakeTween.pingPong = true;
      shakeTween.start(kShakeAmplitudePx, kShakeHalfPeriodS, -1);
    }
  } else {
    burst();
  }
  cameraOffsetX = bubbleOverlay.cameraOffsetX = static_cast<int>(shakeOffset);
}

void Actor::burst() {
  bubbleOverlay.visible = false;
  trapTimer = 0.0f;
  if (visible) {
    playCentred("pop");
    onBubblePop();
    GameApp* app = GameApp::instance;
    if (app && app->particles[0])
      app->particles[0]->burst(static_cast<int>(x), static_cast<int>(y), kPopParticles, -1);
  }
  shakeTween.stop();
  shakeOffset = 0.0f;
}

void Actor::trapInBubble(float seconds) {
  trapTimer = seconds;
  bubbleOverlay.visible = true;
  playCentred("bubblehit");
  shakeTween.stop();
  shakeOffset = 0.0f;
}

void Actor::draw(BITMAP* target) {
  Sprite::draw(target);
  bubbleOverlay.setPosition(static_cast<int>(x), static_cast<int>(y));
  bubbleOverlay.draw(target);
}

bool Actor::playSoundAt(const std::string& name) {
  GameApp* app = GameApp::instance;
  if (!app || !app->player) {
    playCentred(name);
    return true;
  }
  float distanceSq = std::min(squaredDistance(x, y, app->player->x, app->player->y), kHearingLimitSq);
  float volume = (kHearingLimitSq - distanceSq) * kVolumePerSq;
  if (volume <= 0.0f) return false;
  float pan = (x - app->player->x) * kPanPerPx;
  if (app->sound)
    app->sound->playSample(name, static_cast<int>(volume), static_cast<int>(pan), kNormalPitch, false);
  return true;
}
