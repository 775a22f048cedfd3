#include "engine/display_scaler.h"

#include <allegro.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include "engine/engine.h"
#include "engine/screen.h"
#include "support/test_support.h"

namespace {

struct WindowEngine : Engine {
  void onAction(const std::string&, bool) override {}
  void start() override { run(); }
};

void expectLayout(const ScaledLayout& got, const ScaledLayout& want) {
  EXPECT_EQ(got.windowWidth, want.windowWidth);
  EXPECT_EQ(got.windowHeight, want.windowHeight);
  EXPECT_EQ(got.pictureX, want.pictureX);
  EXPECT_EQ(got.pictureY, want.pictureY);
  EXPECT_EQ(got.pictureWidth, want.pictureWidth);
  EXPECT_EQ(got.pictureHeight, want.pictureHeight);
}

// An X server of its own with a desktop of the given size, for as long as
// this lives; DISPLAY names it. TIDEWELL_PRIVATE_XDISPLAY picks its number
// (on a shared machine); otherwise the server takes a free one.
class PrivateXServer {
 public:
  PrivateXServer(int width, int height) {
    int ready[2];
    if (pipe(ready) != 0) return;
    std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    const char* fixed = std::getenv("TIDEWELL_PRIVATE_XDISPLAY");
    pid = fork();
    if (pid == 0) {
      close(ready[0]);
      std::string fd = std::to_string(ready[1]);
      if (fixed) {
        std::string name = std::string(":") + fixed;
        execlp("Xvfb", "Xvfb", name.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp", nullptr);
      } else {
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
               nullptr);
      }
      _exit(127);
    }
    close(ready[1]);
    std::string number = fixed ? fixed : readNumber(ready[0]);
    close(ready[0]);
    if (fixed) waitForSocket(number);
    if (number.empty()) return;
    previous = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    setenv("DISPLAY", (":" + number).c_str(), 1);
    up = true;
  }
  ~PrivateXServer() {
    if (up && previous.empty()) unsetenv("DISPLAY");
    if (up && !previous.empty()) setenv("DISPLAY", previous.c_str(), 1);
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
  }
  bool up = false;

 private:
  pid_t pid = -1;
  std::string previous;

  static std::string readNumber(int fd) {
    std::string number;
    char c;
    while (read(fd, &c, 1) == 1 && c != '\n') number += c;
    return number;
  }
  static void waitForSocket(const std::string& number) {
    std::string socket = "/tmp/.X11-unix/X" + number;
    for (int i = 0; i < 100 && access(socket.c_str(), F_OK) != 0; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  }
};

// A frame whose every pixel differs from its right and lower neighbours.
void paintChecks(BITMAP* frame) {
  for (int y = 0; y < frame->h; ++y) {
    for (int x = 0; x < frame->w; ++x) {
      putpixel(frame, x, y, makecol((x * 7) & 255, (y * 5) & 255, ((x + y) & 1) ? 255 : 64));
    }
  }
}

class WindowScale : public testing::Test {
 protected:
  std::unique_ptr<PrivateXServer> x;  // outlives the engine's connection to it
  WindowEngine engine;

  bool startX(int width, int height) {
    x.reset();
    x = std::make_unique<PrivateXServer>(width, height);
    return x->up;
  }

  void open(int choice) {
    testsupport::writeFile("settings.cfg", "windowsize " + std::to_string(choice) + "\n");
    engine.loadSettings();
    engine.useMouse = true;
    engine.init();
    ASSERT_TRUE(engine.ready());
  }
  void TearDown() override {
    if (engine.screen) engine.shutdown();
  }
};

}  // namespace

TEST(DisplayLayout, WholeMultiplesFitAndTheDesktopLetterbox) {
  expectLayout(layoutFor(800, 600, kWindowTwoTimes, 1920, 1080), {1600, 1200, 0, 0, 1600, 1200});
  expectLayout(layoutFor(640, 480, kWindowThreeTimes, 0, 0), {1920, 1440, 0, 0, 1920, 1440});
  // Fit: the largest whole multiple within the desktop.
  expectLayout(layoutFor(800, 600, kWindowFit, 1920, 1080), {800, 600, 0, 0, 800, 600});
  expectLayout(layoutFor(800, 600, kWindowFit, 1920, 1200), {1600, 1200, 0, 0, 1600, 1200});
  expectLayout(layoutFor(800, 600, kWindowFit, 3840, 2160), {2400, 1800, 0, 0, 2400, 1800});
  expectLayout(layoutFor(640, 480, kWindowFit, 1920, 1080), {1280, 960, 0, 0, 1280, 960});
  // Not even 1x fits: the frame's shape, as large as fits.
  expectLayout(layoutFor(800, 600, kWindowFit, 1024, 500), {666, 500, 0, 0, 666, 500});
  // The desktop's size, the frame as large as fits, bars to the sides or
  // above and below.
  expectLayout(layoutFor(800, 600, kWindowDesktopFull, 1920, 1080), {1920, 1080, 240, 0, 1440, 1080});
  expectLayout(layoutFor(800, 600, kWindowDesktopFull, 1200, 1200), {1200, 1200, 0, 150, 1200, 900});
  // No key, an unknown value, or a desktop that cannot be read: 1x.
  for (int choice : {0, 6, -1}) expectLayout(layoutFor(800, 600, choice, 1920, 1080), {800, 600, 0, 0, 800, 600});
  expectLayout(layoutFor(800, 600, kWindowFit, 0, 0), {800, 600, 0, 0, 800, 600});
}

TEST_F(WindowScale, TwoTimesOpens1600x1200WithTheFrameInTwoByTwoBlocksAndTheMouseInFramePixels) {
  ASSERT_TRUE(startX(1920, 1200));
  open(kWindowTwoTimes);
  EXPECT_EQ(SCREEN_W, 1600);
  EXPECT_EQ(SCREEN_H, 1200);
  EXPECT_EQ(engine.screen->width, 800) << "the game still draws an 800 x 600 frame";
  ASSERT_NE(DisplayScaler::active(), nullptr);

  BITMAP* frame = engine.screen->backBuffer;
  paintChecks(frame);
  engine.screen->flip();
  for (int y : {0, 1, 299, 599}) {
    for (int x : {0, 1, 400, 799}) {
      int want = getpixel(frame, x, y);
      for (int dy = 0; dy < 2; ++dy)
        for (int dx = 0; dx < 2; ++dx) ASSERT_EQ(getpixel(::screen, 2 * x + dx, 2 * y + dy), want) << x << "," << y;
    }
  }

  position_mouse(1000, 700);  // window pixels
  EXPECT_EQ(mouse_x, 500);
  EXPECT_EQ(mouse_y, 350);
}

TEST_F(WindowScale, FitTakesOneTimesOnA1080DesktopAndTwoTimesOnA1200One) {
  ASSERT_TRUE(startX(1920, 1080));
  open(kWindowFit);
  EXPECT_EQ(SCREEN_W, 800);
  EXPECT_EQ(SCREEN_H, 600);
  EXPECT_EQ(DisplayScaler::active(), nullptr);
  engine.shutdown();

  ASSERT_TRUE(startX(1920, 1200));
  engine.init();
  EXPECT_EQ(SCREEN_W, 1600);
  EXPECT_EQ(SCREEN_H, 1200);
}

TEST_F(WindowScale, DesktopFullScreenFillsTheHeightWithBlackBarsAtTheSides) {
  ASSERT_TRUE(startX(1920, 1080));
  open(kWindowDesktopFull);
  EXPECT_EQ(SCREEN_W, 1920);
  EXPECT_EQ(SCREEN_H, 1080);
  clear_to_color(engine.screen->backBuffer, makecol(255, 255, 255));
  engine.screen->flip();
  int black = makecol(0, 0, 0), white = makecol(255, 255, 255);
  for (int y : {0, 540, 1079}) {
    EXPECT_EQ(getpixel(::screen, 0, y), black);
    EXPECT_EQ(getpixel(::screen, 239, y), black);
    EXPECT_EQ(getpixel(::screen, 240, y), white);
    EXPECT_EQ(getpixel(::screen, 1679, y), white);
    EXPECT_EQ(getpixel(::screen, 1680, y), black);
    EXPECT_EQ(getpixel(::screen, 1919, y), black);
  }
  // A frame pixel becomes a 1.8 x 1.8 patch: sharp, never blended.
  paintChecks(engine.screen->backBuffer);
  engine.screen->flip();
  EXPECT_EQ(getpixel(::screen, 240 + 9, 9), getpixel(engine.screen->backBuffer, 5, 5));
}
