#include "game/actors/player.h"

#include <allegro.h>

#include <algorithm>
#include <vector>

#include "engine/log.h"
#include "engine/safe_file.h"
#include "engine/screen.h"
#include "flow/game_app.h"
#include "sound/sound_manager.h"

namespace {

const struct {
  const char* action;
  int code;
} kDefaultKeys[] = {
    {"up", KEY_UP}, {"down", KEY_DOWN}, {"left", KEY_LEFT}, {"right", KEY_RIGHT}, {"fire", KEY_SPACE},
};

// Dance steps: action word -> direction code told to the dance game, and
// the offset from home in px.
const struct {
  const char* action;
  int direction;
  int dx, dy;
} kDanceSteps[] = {
    {"left", 0, -40, 0}, {"right", 1, 40, 0}, {"up", 2, 0, -40}, {"down", 3, 0, 40},
};

const int kSwimDatafile = 0, kHopDatafile = 1;
const float kRestartDelayS = 2.0f;
const float kFloatUpSpeed = 100.0f;  // px/s, the dead fish drifting off the top
const float kFloatUpTargetY = -10.0f;
const float kPlungerFadeInS = 1.0f;
const int kRideLayer = 1;
const int kGearLayer = 3;  // the plunger and the shot, in front of the creatures
const float kSwimBobPx = 10.0f, kSwimBobS = 0.8f;
const float kHopBobPx = 30.0f, kHopBobS = 0.2f;
const float kHopAnimationS = 0.5f, kRideAnimationS = 0.6f;
const int kHopFrames = 10, kRideFrames = 20;
const int kRocketOffsetX = 5, kRocketOffsetY = 20;
const float kDanceStepSpeed = 200.0f;  // px/s
const float kLungePx = 80.0f, kLungeSpeed = 300.0f;
const float kPlungerBehindPx = 64.0f, kPlungerAheadPx = 128.0f;
const float kShotReachPx = 800.0f;
const float kShotHopRaisePx = 32.0f;
const float kShotSpeed = 500.0f, kRideShotBonus = 500.0f, kFastSwimShotBonus = 300.0f;
const float kLongShotSpeed = 800.0f;
const float kShotLifeS = 0.5f, kLongShotLifeS = 1.0f;
const int kNormalSwimSpeed = 200;
const float kJumpSpeed = 500.0f;  // px/s upwards
const float kJumpLiftPx = 10.0f;
const float kJumpHoldS = 2.0f;
const float kJumpFloorBandPx = 60.0f;  // jumps start in the bottom 20 px of a tile
const int kTilePx = 80;
const float kSlowMotionScale = 0.5f;
const int kSlowMusicPitch = 500;
const float kSlowMusicSlideS = 1.0f;

GameApp& game() { return *GameApp::instance; }

void playEffect(const std::string& name) { Actor::playCentred(name); }

}  // namespace

Player::Player(int bubbleLimit) : bubbles(bubbleLimit) {
  datafile.open("gulpy.dat");
  datafile.useSubDatafile(kSwimDatafile);
  anchor = 1;
  shot.datafile.open("bubble.dat");
  shot.anchor = 1;
  shot.visible = false;
  plunger.anchor = 1;
  plunger.visible = false;
  ride.visible = false;
  bobTween.setUpdatee(&bobOffset);
  bobTween.pingPong = true;
  bobTween.start(kSwimBobPx, kSwimBobS, -1);
  bindDefaultKeys();
}

Player::~Player() {
  GameApp* app = GameApp::instance;
  if (!app || !app->screen) return;
  for (Drawable* part : {static_cast<Drawable*>(&shot), static_cast<Drawable*>(&plunger),
                         static_cast<Drawable*>(&ride)}) {
    for (int layer = 0; layer < static_cast<int>(app->screen->layers.size()); ++layer)
      app->screen->removeFromLayer(part, layer);
  }
}

void Player::onAction(const std::string& name, bool pressed) {
  if (!pressed) return;
  GameApp& app = game();
  if (hopMode) {
    if (name == "up") jump();
  } else if (app.levelFrozen && danceMode && !danceFreeze) {
    for (const auto& stepRow : kDanceSteps)
      if (name == stepRow.action) danceStep(stepRow.direction);
  }
  if (name == "fire" && !shot.visible) fire();
}

void Player::danceStep(int direction) {
  const auto& stepRow = kDanceSteps[direction];
  moveTo(static_cast<float>(danceHomeX + stepRow.dx), static_cast<float>(danceHomeY + stepRow.dy),
         kDanceStepSpeed);
  if (danceJudge) danceJudge(direction);
}

void Player::fire() {
  if (bubbles < 1 && !hasPowerup(kPowerupInfinite)) return;
  if (plunger.visible) {
    if (dashState != 0) return;
    plungerArmed = 1;
    dashState = 1;
    moveTo(x + kLungePx, y, kLungeSpeed);
    return;
  }
  if (!hasPowerup(kPowerupInfinite)) bubbles -= 1;
  playEffect("bubble");
  launchShot();
}

void Player::launchShot() {
  int shotY = static_cast<int>(hopMode ? y - kShotHopRaisePx : y);
  shot.setPosition(static_cast<int>(x), shotY);
  shot.visible = true;
  shot.alpha = 255.0f;
  float speed = kShotSpeed;
  if (riding()) speed = rideSpeed + kRideShotBonus;
  if (swimSpeed != kNormalSwimSpeed) speed = swimSpeed + kFastSwimShotBonus;
  if (longShot) speed = kLongShotSpeed;
  float reach = hFlip ? kShotReachPx : -kShotReachPx;
  shot.moveTo(shot.x + reach, shot.y, speed);
  shot.alphaInterp.start(0.0f, longShot ? kLongShotLifeS : kShotLifeS, 0);
  game().screen->addToLayer(&shot, kGearLayer);
}

void Player::endShot() {
  shot.visible = false;
  if (GameApp::instance && game().screen) game().screen->removeFromLayer(&shot, kGearLayer);
}

void Player::jump() {
  GameApp& app = game();
  int tx = static_cast<int>(x * 0.0125f), ty = static_cast<int>(y * 0.0125f);
  int below = ty + 1;
  bool onGround = app.isSolidTile(tx, below) ||
                  app.solidActorAt(static_cast<int>(x), below * kTilePx + kTilePx / 2);
  bool nearFloor = y - ty * kTilePx > kJumpFloorBandPx;
  if (!onGround || !nearFloor) return;
  velocity.set(0.0f, -kJumpSpeed);
  y -= kJumpLiftPx;
  airborne = 1;
  jumpHoldTimer = kJumpHoldS;
  playEffect("boing");
}

void Player::hurt() {
  GameApp& app = game();
  if (dead || app.levelWon || miniGameLock) return;
  dead = 1;
  hFlip = false;
  vFlip = true;
  frame = 0.0f;
  stopAnimating();
  unbindAll();
  if (!hopMode) moveTo(x, kFloatUpTargetY, kFloatUpSpeed);
  playEffect("ow");
  app.restartTimer = kRestartDelayS;
}

void Player::addPowerup(int id, float seconds) {
  powerups.emplace_back(id, seconds);
  if (id != kPowerupSlowMotion) return;
  GameApp& app = game();
  if (app.sound) app.sound->slideMusic(kSlowMusicPitch, kSlowMusicSlideS);
  app.timeScale = kSlowMotionScale;
}

bool Player::hasPowerup(int id) const {
  return std::any_of(powerups.begin(), powerups.end(), [id](const auto& entry) { return entry.first == id; });
}

void Player::enterHopMode(bool on) {
  hopMode = on ? 1 : 0;
  if (!on) return;
  bobOffset = 0.0f;
  bobTween.pingPong = true;
  bobTween.start(kHopBobPx, kHopBobS, -1);
  airborne = 1;
  datafile.useSubDatafile(kHopDatafile);
  playAnimation("hop", 0, kHopFrames, kHopAnimationS, -1, false, 0.0f);
}

void Player::mountRocket() {
  mount("rocket.dat");
  ride.cameraOffsetX = kRocketOffsetX;
  ride.cameraOffsetY = kRocketOffsetY;
  rideExhaust = 1;
}

void Player::mountRay() {
  mount("ray.dat");
  ride.cameraOffsetX = 0;
}

void Player::mount(const std::string& art) {
  GameApp& app = game();
  ride.loadArt(art);
  ride.anchor = 1;
  ride.visible = true;
  ride.setPosition(static_cast<int>(x), static_cast<int>(y));
  ride.playAnimation("anim", 0, kRideFrames, kRideAnimationS, -1, false, 0.0f);
  app.screen->removeFromLayer(&ride, kRideLayer);
  app.screen->addToLayer(&ride, kRideLayer);
}

void Player::armPlunger() {
  GameApp& app = game();
  plungerArmed = 1;
  hFlip = true;
  plunger.datafile.open("plunger.dat");
  plunger.visible = true;
  plunger.alpha = 0.0f;
  plunger.alphaInterp.start(255.0f, kPlungerFadeInS, 0);
  app.screen->removeFromLayer(&plunger, kGearLayer);
  app.screen->addToLayer(&plunger, kGearLayer);
}

void Player::updatePlunger() {
  if (dashState == 1 && !moving) {
    moveTo(x - kLungePx, y, kLungeSpeed);
    dashState = 2;
  } else if (dashState == 2 && !moving) {
    dashState = 0;
  }
  if (!plunger.visible) return;
  plunger.x = x - kPlungerBehindPx + (hFlip ? kPlungerAheadPx : 0.0f);
  plunger.y = y;
  plunger.hFlip = !hFlip;
  plunger.cameraOffsetY = cameraOffsetY;
}

int defaultKeyOf(const std::string& action) {
  for (const auto& binding : kDefaultKeys)
    if (action == binding.action) return binding.code;
  return 0;
}

void Player::bindDefaultKeys() {
  unbindAll();
  for (const auto& binding : kDefaultKeys) bindKey(binding.action, binding.code);
}

void Player::loadKeyConfig(const std::string& path) {
  bindDefaultKeys();
  // A hidden profile's file (".name.cfg") must be found too.
  if (fileExists(path)) {
    load(path);
    keepUsableBindings();
    return;
  }
  logInfo("Could not find keyconfig. Creating from default data.");
  save(path);
}

void Player::keepUsableBindings() {
  // The fish is steered by keys only: a damaged file must not leave it
  // without a way to move or shoot.
  auto unusable = [](int code) { return code <= 0 || code >= kKeyCodeCount; };
  for (const auto& binding : kDefaultKeys) {
    std::vector<int>& codes = bindings[binding.action];
    size_t before = codes.size();
    codes.erase(std::remove_if(codes.begin(), codes.end(), unusable), codes.end());
    if (codes.size() != before) logInfo(std::string("keyconfig: dropped an unknown key for ") + binding.action);
    if (!codes.empty()) continue;
    logInfo(std::string("keyconfig: nothing bound to ") + binding.action + ", using the default key");
    codes.push_back(binding.code);
  }
}
