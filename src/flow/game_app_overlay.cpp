// What the game draws over the layers: the heads-up display, the status
// lines of the title and the level select, the story frame, and the
// blocking yes/no prompt.
#include <allegro.h>

#include <algorithm>
#include <cstdio>

#include "engine/gamepad.h"
#include "engine/key_events.h"
#include "engine/screen.h"
#include "flow/game_app.h"
#include "flow/run_records.h"
#include "game/actors/player.h"
#include "sound/sound_manager.h"

namespace {

const int kFontColours = -1;  // the colour font draws in its own colours
const int kCentred = 1, kLeft = 0;
const int kHudSpriteY = 30;
const int kHudCountY = 7;
const int kTreasureColumnX[4] = {-220, -100, 20, 140};  // kinds 0, 1, 2, 4
const int kBubbleColumnX = 260;
const int kRequiredCoinsY = 40;
const int kLevelTimeY = 38;
const int kChestLineGap = 4;  // px below the bar: ahead of or behind the ghost

// What the heads-up display shows: the story bar, or in a mini-game a small
// tab with only the counters that mean something there (frames of hud.dat).
enum HudLook { kStoryBar, kClockTab, kBubbleClockTab, kNoHud };
const int kHudFrame[] = {0, 1, 2, -1};
const struct {
  int level;
  HudLook look;
} kMiniGameHud[] = {
    {1000, kClockTab},        // the shell game: bubbles do nothing
    {1001, kBubbleClockTab},  // the bomb game: bubbles disarm
    {1002, kNoHud},           // the dance game: its clock stands still
    {1003, kClockTab},        // the invaders game: bubbles never run out
};
const int kTabRight = 8;  // px from the screen's right edge
// In the tab's art: where the counters stand, one row per counter.
const int kTabCounterX = 95, kTabFirstRowY = 20, kTabRowPx = 26;

HudLook hudLookFor(int level) {
  for (const auto& row : kMiniGameHud)
    if (row.level == level) return row.look;
  return kStoryBar;
}

const int kHeartSpacing = 30, kHeartFromBottom = 25;  // 575 on a 600-row screen
const int kPowerupLeft = 42, kPowerupSpacing = 96;
const int kPowerupIconFromBottom = 50, kPowerupValueFromBottom = 25;
const int kStoryFrameWidth = 800;
const int kStoryFrame[4][4] = {{0, 0, 80, 600}, {720, 0, 800, 600}, {0, 0, 800, 60}, {0, 480, 800, 600}};
const int kProfileLineRise = 20;
const int kProfileMargin = 8;  // pixels
const int kStatusBandAlpha = 64, kConfirmBandAlpha = 128;
const int kConfirmPollMs = 10;
const int kSaveNoticeRise = 130;
const int kRecordLineRise = 34;  // px the record line stands above the map's line  // pixels from the screen's bottom: above the hearts

// "m:ss".
std::string clockText(int seconds) {
  int s = seconds % 60;
  return std::to_string(seconds / 60) + ":" + (s < 10 ? "0" : "") + std::to_string(s);
}

// "m:ss.hh", a kept run's time to the hundredth.
std::string recordClockText(float seconds) {
  int hundredths = static_cast<int>(seconds * 100.0f + 0.5f);
  char text[16];
  std::snprintf(text, sizeof text, ".%02d", hundredths % 100);
  return clockText(hundredths / 100) + text;
}

void translucentBand(BITMAP* target, int left, int top, int right, int bottom, int alpha) {
  set_trans_blender(0, 0, 0, alpha);
  drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
  rectfill(target, left, top, right, bottom, makecol(0, 0, 0));
  solid_mode();
}

int mapValue(const std::map<int, int>& values, int key) {
  auto found = values.find(key);
  return found == values.end() ? 0 : found->second;
}

}  // namespace

void GameApp::drawOverlay() {
  if (!screen || !screen->backBuffer) return;
  BITMAP* target = screen->backBuffer;
  if (player && isStacked("inGame")) drawHud(target);
  drawStatusLines(target);
  if (saveFailedNotice > 0.0f) drawSaveFailedNotice(target);
}

int GameApp::hudBottom() {
  HudLook look = hudLookFor(currentLevel);
  if (!screen || look == kNoHud) return 0;
  hudSprite.frame = static_cast<float>(kHudFrame[look]);
  if (look == kStoryBar) {
    hudSprite.anchor = 1;
    hudSprite.setPosition(screen->width / 2, kHudSpriteY);
  } else {
    hudSprite.anchor = 0;
    hudSprite.setPosition(screen->width - kTabRight - hudSprite.frameWidth(), 0);
  }
  return hudSprite.boundingBox().bottom;
}

void GameApp::drawHud(BITMAP* target) {
  if (hudBottom() > 0) {
    hudSprite.draw(target);
    drawHudCounters(target, hudLookFor(currentLevel));
  }
  runs->drawChestDifference(target, hudBottom() + kChestLineGap);
  int cx = screen->width / 2;
  heartSprite.anchor = 1;
  for (int i = 0; i < maxHearts; ++i) {
    heartSprite.frame = i < hearts ? 0.0f : 1.0f;
    heartSprite.setPosition(cx + (i - maxHearts / 2) * kHeartSpacing, screen->height - kHeartFromBottom);
    heartSprite.draw(target);
  }
  powerupSprite.anchor = 1;
  int i = 0;
  for (const auto& [id, secondsLeft] : player->powerups) {
    int x = kPowerupLeft + kPowerupSpacing * i++;
    powerupSprite.frame = static_cast<float>(id);
    powerupSprite.setPosition(x, screen->height - kPowerupIconFromBottom);
    powerupSprite.draw(target);
    drawText(target, std::to_string(static_cast<int>(secondsLeft)), x,
             screen->height - kPowerupValueFromBottom, kFontColours, kCentred);
  }
}

// The story bar's counters, or the tab's rows from the top: the bubbles
// where they count, then the clock.
void GameApp::drawHudCounters(BITMAP* target, int look) {
  std::string shots = std::to_string(player->bubbles) + "/" + std::to_string(bubbleLimit);
  std::string clock = clockText(static_cast<int>(levelTime));
  if (look != kStoryBar) {
    int x = hudSprite.left + kTabCounterX;
    int y = kTabFirstRowY - textHeight(gameFont()) / 2;
    if (look == kBubbleClockTab) {
      drawText(target, shots, x, y, kFontColours, kCentred);
      y += kTabRowPx;
    }
    drawText(target, clock, x, y, kFontColours, kCentred);
    return;
  }
  int cx = screen->width / 2;
  for (int kind = 0; kind < 4; ++kind) {
    std::string count = std::to_string(treasureCollected[kind]) + "/" + std::to_string(treasureTotals[kind]);
    drawText(target, count, cx + kTreasureColumnX[kind], kHudCountY, kFontColours, kCentred);
  }
  drawText(target, shots, cx + kBubbleColumnX, kHudCountY, kFontColours, kCentred);
  if (requiredCoins != 0) {
    std::string need = "Coins x " + std::to_string(player->coinsThisLevel) + " Required: " +
                       std::to_string(requiredCoins);
    drawText(target, need, cx, kRequiredCoinsY, kFontColours, kCentred);
  }
  drawText(target, clock, cx + kBubbleColumnX, kLevelTimeY, kFontColours, kCentred);
}

void GameApp::drawStatusLines(BITMAP* target) {
  if (isStacked("cutScene") && screen->width == kStoryFrameWidth) {
    for (const auto& r : kStoryFrame) rectfill(target, r[0], r[1], r[2], r[3], makecol(0, 0, 0));
  }
  if (isStacked("title")) {
    // A margin on the left and below, so the window's edge cuts no
    // descender (g, p, y) and no first letter.
    int y = screen->height - std::max(kProfileLineRise, textHeight(gameFont())) - kProfileMargin;
    drawText(target, "Profile " + currentProfile, kProfileMargin, y, kFontColours, kLeft);
  }
  if (isStacked("levelSelect")) drawLevelSelectStatus(target);
}

void GameApp::drawLevelSelectStatus(BITMAP* target) {
  int h = screen->height;
  translucentBand(target, 15, h - 70, screen->width - 50, h - 30, kStatusBandAlpha);
  std::string line = currentProfile + " Coins " + std::to_string(coins) + " Level " +
                     std::to_string(selectedLevel + 1) + " - " +
                     std::to_string(mapValue(ratings, selectedLevel)) + "%";
  int best = mapValue(bestTimes, selectedLevel);
  if (best != 0) line += " " + clockText(best);
  drawText(target, line, 30, h - 60, kFontColours, kLeft);
  // The kept run's line stands on the band just above: beside the line it
  // would not fit a long profile name or the low resolution.
  if (const RunSummary* record = runs->record(selectedLevel)) {
    translucentBand(target, 15, h - 70 - kRecordLineRise, screen->width - 50, h - 71, kStatusBandAlpha);
    std::string text = "Record " + recordClockText(record->time) + " " + std::to_string(record->rating) + "%  W: watch";
    drawText(target, text, 30, h - 60 - kRecordLineRise, kFontColours, kLeft);
  }
}

void GameApp::drawSaveFailedNotice(BITMAP* target) {
  int h = textHeight(gameFont());
  int top = screen->height - kSaveNoticeRise;
  translucentBand(target, 0, top - h / 4, screen->width, top + h + h / 4, kConfirmBandAlpha);
  drawText(target, "Progress could not be saved", screen->width / 2, top, kFontColours, kCentred);
}

bool GameApp::confirm(const std::string& text) {
  BITMAP* target = screen->backBuffer;
  int h = textHeight(gameFont());
  int middle = screen->height / 2;
  translucentBand(target, 0, middle - h * 3 / 4, screen->width, middle + h * 3 / 4, kConfirmBandAlpha);
  drawText(target, text, screen->width / 2, middle - h / 2, kFontColours, kCentred);
  screen->flip();
  // The Esc (or pad button) that may have led here must not answer at once.
  Gamepad& pad = Gamepad::instance();
  auto padSays = [&pad](const char* role) {
    pad.pollDevice();
    return pad.roleHeld(role);
  };
  while ((key[KEY_ESC] || padSays(kPadShoot) || padSays(kPadBack) || padSays(kPadMenu)) && !quitPending()) {
    rest(kConfirmPollMs);
  }
  for (;;) {
    // Closing the window answers "no"; the next update then quits.
    if (quitPending()) return false;
    if (sound) sound->update(kConfirmPollMs * 0.001f);
    bool yes = key[KEY_Y] || padSays(kPadShoot);
    bool no = key[KEY_N] || key[KEY_ESC] || padSays(kPadBack) || padSays(kPadMenu);
    if (yes || no) {
      takeKeyEvents();  // the answer's keys are spent here, not left for the menus
      return yes;
    }
    rest(kConfirmPollMs);
  }
}
