// Starts the real game executable in a fresh game folder on the test
// script's X display, plays through the logo, the title and the story with
// real key presses, and closes the window.
#include <gtest/gtest.h>
// Xlib's macros (None, Status...) clash with GoogleTest, so it comes after.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <string>
#include <thread>

#include "support/test_support.h"

namespace {

const char* const kWindowTitle = "Tidewell Quest by Talvenor";
const int kPollMs = 50;

struct Rgb {
  int r = 0, g = 0, b = 0;
  bool black() const { return r < 16 && g < 16 && b < 16; }
  bool blue() const { return b > 150 && b > r + 40; }
};

bool waitUntil(const std::function<bool()>& condition, double seconds) {
  auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < end) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
  }
  return condition();
}

Window findWindow(Display* display, Window under) {
  char* name = nullptr;
  if (XFetchName(display, under, &name) && name) {
    bool found = std::string(name) == kWindowTitle;
    XFree(name);
    if (found) return under;
  }
  Window root, parent, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display, under, &root, &parent, &children, &count)) return 0;
  Window found = 0;
  for (unsigned i = 0; i < count && !found; ++i) found = findWindow(display, children[i]);
  if (children) XFree(children);
  return found;
}

// The game in a child process, with its output in "game-output.txt".
class GameProcess {
 public:
  pid_t pid = -1;
  int status = 0;
  bool exited = false;

  bool start(const char* option = nullptr, const char* value = nullptr) {
    std::string program = testsupport::gameDir() + "/tidewell";
    pid = fork();
    if (pid == 0) {
      int out = open("game-output.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
      dup2(out, 1);
      dup2(out, 2);
      execl(program.c_str(), "tidewell", option, value, static_cast<char*>(nullptr));
      _exit(127);
    }
    return pid > 0;
  }

  bool running() {
    if (exited || pid <= 0) return false;
    if (waitpid(pid, &status, WNOHANG) == pid) exited = true;
    return !exited;
  }

  ~GameProcess() {
    if (running()) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
    }
  }
};

class WindowGameRun : public ::testing::Test {
 protected:
  Display* display = nullptr;
  Window window = 0;
  GameProcess game;

  void SetUp() override {
    for (const char* item : {"dat", "sfx", "mus", "credits.txt"}) {
      std::string from = testsupport::gameDir() + "/" + item;
      ASSERT_EQ(symlink(from.c_str(), item), 0) << item;
    }
    ASSERT_EQ(mkdir("profiles", 0755), 0);
    display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr) << "no X display";
  }

  void TearDown() override {
    if (display) XCloseDisplay(display);
    if (HasFailure()) std::cerr << testsupport::readFile("game-output.txt") << testsupport::readFile("debug.log");
  }

  Rgb pixel(int x, int y) {
    Rgb colour;
    XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) return colour;
    unsigned long value = XGetPixel(image, 0, 0);
    colour.r = static_cast<int>((value & image->red_mask) >> 16);
    colour.g = static_cast<int>((value & image->green_mask) >> 8);
    colour.b = static_cast<int>(value & image->blue_mask);
    XDestroyImage(image);
    return colour;
  }

  void pressKey(const std::string& name) {
    std::string command = "xdotool mousemove --window " + std::to_string(window) +
                          " 400 300 keydown " + name + " sleep 0.15 keyup " + name;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }

  bool logHas(const std::string& line) {
    for (const std::string& entry : testsupport::logLines()) {
      if (entry == line) return true;
    }
    return false;
  }

  void closeWindow() {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
  }
};

}  // namespace

TEST_F(WindowGameRun, PlaysThroughLogoTitleAndStoryAndClosesCleanly) {
  ASSERT_TRUE(game.start());
  ASSERT_TRUE(waitUntil([&] { return (window = findWindow(display, DefaultRootWindow(display))) != 0; }, 60))
      << "no game window";

  // The logo's blue disc on black, then the reef of the title.
  EXPECT_TRUE(waitUntil([&] { return pixel(360, 254).blue() && pixel(40, 300).black(); }, 30)) << "no logo";
  ASSERT_TRUE(waitUntil([&] { return pixel(40, 300).blue(); }, 30)) << "no title";
  EXPECT_EQ(testsupport::logLines().at(0), "Kelpcore_19");

  // Play! opens the story: a framed picture once it has started by itself.
  // A key that goes down and up during a blocking fade is never seen, so
  // keys are pressed again until the screen answers.
  auto storyShown = [&] { return pixel(40, 300).black() && !pixel(150, 100).black(); };
  for (int i = 0; i < 10 && !storyShown(); ++i) {
    pressKey("Return");
    waitUntil(storyShown, 4);
  }
  ASSERT_TRUE(storyShown()) << "no story";

  for (int i = 0; i < 60 && !logHas("unloading dat/cutscene0.dat"); ++i) {
    pressKey("space");
    waitUntil([&] { return logHas("unloading dat/cutscene0.dat"); }, 0.5);
  }
  ASSERT_TRUE(logHas("unloading dat/cutscene0.dat")) << "the story did not end";
  EXPECT_TRUE(waitUntil([&] { return pixel(40, 300).blue(); }, 30)) << "no level select";

  closeWindow();
  ASSERT_TRUE(waitUntil([&] { return !game.running(); }, 60)) << "the game did not quit";
  ASSERT_TRUE(WIFEXITED(game.status));
  EXPECT_EQ(WEXITSTATUS(game.status), 0);
  EXPECT_NE(testsupport::readFile("settings.cfg").find("resx"), std::string::npos);
  EXPECT_TRUE(logHas("unloading dat/logo.dat"));
}

TEST_F(WindowGameRun, LevelOptionOpensTheLevelStraightAwayWithoutErrors) {
  ASSERT_TRUE(game.start("--level", "0"));
  ASSERT_TRUE(waitUntil([&] { return (window = findWindow(display, DefaultRootWindow(display))) != 0; }, 60))
      << "no game window";
  // The level's left wall covers the reef backdrop at the screen's left edge,
  // and the heads-up bar shows at the top.
  EXPECT_TRUE(waitUntil([&] { return game.running() && !pixel(40, 300).blue() && !pixel(40, 300).black(); }, 30))
      << "no level drawn";
  EXPECT_FALSE(logHas("unloading dat/logo.dat"));  // the logo never showed
  closeWindow();
  ASSERT_TRUE(waitUntil([&] { return !game.running(); }, 60)) << "the game did not quit";
  ASSERT_TRUE(WIFEXITED(game.status));
  EXPECT_EQ(WEXITSTATUS(game.status), 0);
  for (const std::string& line : testsupport::logLines()) {
    EXPECT_EQ(line.find("datafile ["), std::string::npos) << line;
    EXPECT_EQ(line.find("Could not load level"), std::string::npos) << line;
  }
}

TEST(GameCommandLine, ABadLevelNumberIsRefusedWithAMessage) {
  for (const char* level : {"50", "-1", "999", "1004", "x", ""}) {
    std::string command = testsupport::gameDir() + "/tidewell --level '" + level + "' 2>err.txt";
    int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << level;
    EXPECT_NE(testsupport::readFile("err.txt").find("--level needs a level number"), std::string::npos) << level;
  }
}

TEST_F(WindowGameRun, NegativeHeightOpensTheDefaultWindowAndSigtermEndsLikeQuit) {
  testsupport::writeFile("settings.cfg", "resx 800\nresy -600\n");
  ASSERT_TRUE(game.start());
  ASSERT_TRUE(waitUntil([&] { return (window = findWindow(display, DefaultRootWindow(display))) != 0; }, 60))
      << "no game window";
  ASSERT_TRUE(waitUntil([&] { return pixel(40, 300).blue(); }, 60)) << "no title";
  XWindowAttributes attributes;
  ASSERT_TRUE(XGetWindowAttributes(display, window, &attributes));
  EXPECT_EQ(attributes.height, 600);

  ASSERT_EQ(kill(game.pid, SIGTERM), 0);
  ASSERT_TRUE(waitUntil([&] { return !game.running(); }, 60)) << "the game did not end";
  ASSERT_TRUE(WIFEXITED(game.status)) << "ended by signal " << WTERMSIG(game.status);
  EXPECT_EQ(WEXITSTATUS(game.status), 0);
  // Saved as "quit" saves, with the size that was in force.
  EXPECT_NE(testsupport::readFile("settings.cfg").find("resy 600\n"), std::string::npos);
}
