#include "game/actors/dance_game.h"

#include <allegro.h>

#include <cstdlib>

#include "engine/screen.h"
#include "flow/game_app.h"
#include "game/actors/player.h"
#include "sound/sound_manager.h"

namespace {

const int kCoins = 25;
const float kHomeX = 600.0f, kHomeY = 360.0f;
const int kChestTileX = 2, kChestTileY = 1;
const float kBeatsPerBar = 40.0f;
const float kBarS = 2.0f;
const int kBeatsPerMove = 10;    // moves fall on beats 0, 10, 20 and 30
const int kMovesPerBar = 4;
const float kWindowBeats = 2.0f;  // a move or a sound starts within this
const float kJudgedLateBeats = 1.0f;
const float kMissedLateBeats = 3.0f;
const float kEarlyBeats = 5.0f;
const float kSwitchBeat = 38.0f;
const float kStepPx = 40.0f;
const float kReturnSpeed = 200.0f;  // px/s back home after a move
const float kGoodPoints = 1.5f, kBadPoints = 0.25f, kAgainPoints = 2.0f, kMissPoints = 1.0f;
const float kWinningScore = 40.0f;
const int kSongBars = 10;  // the song sequence restarts after this many bars
const int kBarLeftX = 100, kBarTopY = 100, kBarRows = 20;
const float kBarPxPerPoint = 700.0f * 0.025f;  // on an 800-pixel-wide screen
const int kBarDesignWidth = 800;
const float kBarRedPeak = 200.0f, kBarRedFallPerRow = 12.8f;
// The bar stands in a dark track that ends at the winning score, with
// "Score" above its start and "Win" above that end, so a player can tell
// what the red line is and how far it has to go.
const int kTrackBorder = 2, kGoalMarkOverhang = 4, kGoalMarkWidth = 2, kBarLabelGap = 2;
const int kLabelColour = -1;  // the font's own colours
const MiniGame::Payout kPayout = {600.0f, 0.0f, 200.0f, false};
const int kFullVolume = 255, kCentrePan = 128;
const float kNormalPitch = 1000.0f;  // slow motion lowers it with the game's time

// Direction code -> the sample of the move, its offset from home and the
// fish's frame while it leans that way.
const struct {
  const char* sample;
  float dx, dy;
  int frame;
} kMoveKinds[] = {
    {"danceleft", -kStepPx, 0.0f, 1},
    {"danceright", kStepPx, 0.0f, 2},
    {"danceup", 0.0f, -kStepPx, 3},
    {"dancedown", 0.0f, kStepPx, 4},
};

// Bar counter 0-10 -> the song started with the bar.
const char* const kSongs[] = {"dancesong",  "dancesong2", "dancesong2", "dancesong3",
                              "dancesong3", "dancesong2", "dancesong2", "dancesong3",
                              "dancesong3", "dancesong2", "dancesong2"};

}  // namespace

DanceGame::DanceGame() : MiniGame(kCoins) {
  loadArt("dancefish.dat");
  untrappable = 1;
  for (int i = 0; i < kMovesPerBar; ++i) moves.emplace_back(i, i * kBeatsPerMove);
  beatTween.setUpdatee(&beatPosition);
  beatTween.start(kBeatsPerBar, kBarS, -1);
  message = "Watch Me!";
}

DanceGame::~DanceGame() {
  GameApp* app = GameApp::instance;
  if (app && app->danceGame == this) app->danceGame = nullptr;
}

void DanceGame::onAdded() {
  GameApp& app = *GameApp::instance;
  setPosition(static_cast<int>(kHomeX), static_cast<int>(kHomeY));
  app.createTreasure(kChestTileX, kChestTileY, 0, 0, 0);
}

void DanceGame::step(float dt) {
  Actor::step(dt);
  if (GameApp::instance->paused) return;
  if (!moving) frame = 0.0f;
  beatTween.update(dt);
  playBeatSounds();
  if (phase == kWatch) performMoves();
  else scoreMisses();
  if (beatPosition >= kSwitchBeat && !phaseSwitched) switchPhase();
  checkEnd();
  payOut(dt, kPayout);
}

void DanceGame::playBeatSounds() {
  int window = static_cast<int>(beatPosition) / kBeatsPerMove;
  bool inWindow = beatPosition - window * kBeatsPerMove < kWindowBeats;
  if (!inWindow || window == lastBeatWindow) return;
  lastBeatWindow = window;
  playDanceSample("beat");
  if (window != 0) return;
  phaseSwitched = 0;
  if (barCounter > kSongBars) barCounter -= kSongBars;
  playDanceSample(kSongs[barCounter]);
}

void DanceGame::playDanceSample(const std::string& name) {
  GameApp& app = *GameApp::instance;
  int pitch = static_cast<int>(kNormalPitch * app.timeScale);
  if (app.sound) app.sound->playSample(name, kFullVolume, kCentrePan, pitch, false);
}

void DanceGame::performMoves() {
  if (currentMove >= static_cast<int>(moves.size())) return;
  auto [direction, beat] = moves[currentMove];
  if (beatPosition < beat || beatPosition >= beat + kWindowBeats) return;
  const auto& kind = kMoveKinds[direction];
  playDanceSample(kind.sample);
  setPosition(static_cast<int>(kHomeX + kind.dx), static_cast<int>(kHomeY + kind.dy));
  moveTo(kHomeX, kHomeY, kReturnSpeed);
  frame = static_cast<float>(kind.frame);
  currentMove += 1;
}

void DanceGame::scoreMisses() {
  if (currentMove >= static_cast<int>(moves.size())) return;
  int beat = moves[currentMove].second;
  tooEarly = beatPosition < beat - kEarlyBeats;
  if (beatPosition < beat + kJudgedLateBeats || beatPosition >= beat + kMissedLateBeats) return;
  if (lastJudged != currentMove) score -= kMissPoints;
  currentMove += 1;
}

void DanceGame::judge(int direction) {
  bool inBar = currentMove < static_cast<int>(moves.size());
  if (lastJudged == currentMove) {
    message = "BAAAAD!";
    score -= kAgainPoints;
  } else if (inBar && moves[currentMove].first == direction && !tooEarly) {
    message = "GOOD!";
    score += kGoodPoints;
  } else {
    message = "BAD!";
    score -= kBadPoints;
  }
  lastJudged = currentMove;
}

void DanceGame::switchPhase() {
  Player* player = GameApp::instance->player;
  phaseSwitched = 1;
  currentMove = 0;
  lastJudged = -100;
  if (phase == kWatch) {
    phase = kRepeat;
    if (player) player->danceMode = 1;
    return;
  }
  phase = kWatch;
  if (player) player->danceMode = 0;
  drawMoves();
  message = "Watch Me!";
  barCounter += 1;
}

void DanceGame::drawMoves() {
  for (int i = 0; i < kMovesPerBar; ++i) moves[i] = {std::rand() % kMovesPerBar, i * kBeatsPerMove};
}

void DanceGame::checkEnd() {
  Player* player = GameApp::instance->player;
  if (score >= kWinningScore && !won) {
    message = "YouWin";
    if (player) player->danceFreeze = 1;
    won = 1;
  }
  if (score < 0.0f && player && !player->dead) player->hurt();
}

void DanceGame::draw(BITMAP* target) {
  Actor::draw(target);
  GameApp& app = *GameApp::instance;
  if (!target || !app.screen) return;
  app.drawText(target, message, app.screen->width / 2, app.screen->height / 2, -1, 1);
  drawScoreBar(target);
}

void DanceGame::drawScoreBar(BITMAP* target) {
  GameApp& app = *GameApp::instance;
  float pxPerPoint = kBarPxPerPoint * app.screen->width / kBarDesignWidth;
  int goalX = static_cast<int>(kWinningScore * pxPerPoint);
  int bottom = kBarTopY + kBarRows - 1;
  rectfill(target, kBarLeftX - kTrackBorder, kBarTopY - kTrackBorder, goalX, bottom + kTrackBorder,
           makecol(40, 16, 16));
  int right = static_cast<int>(score * pxPerPoint);
  for (int k = 0; k < kBarRows; ++k) {
    int rowsFromMiddle = k < kBarRows / 2 ? kBarRows / 2 - k : k - kBarRows / 2;
    int red = static_cast<int>(kBarRedPeak - kBarRedFallPerRow * rowsFromMiddle);
    hline(target, kBarLeftX, kBarTopY + k, right, makecol(red, 0, 0));
  }
  rectfill(target, goalX, kBarTopY - kGoalMarkOverhang, goalX + kGoalMarkWidth - 1, bottom + kGoalMarkOverhang,
           makecol(255, 255, 255));
  int labelY = kBarTopY - kGoalMarkOverhang - kBarLabelGap - app.textHeight(app.gameFont());
  app.drawText(target, "Score", kBarLeftX, labelY, kLabelColour, 0);
  app.drawText(target, "Win", goalX, labelY, kLabelColour, 1);
}
