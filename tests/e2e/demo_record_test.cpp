// Records a demo through the real game's window with real key presses and
// replays it with the verifier.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <thread>

#include "support/test_support.h"

namespace fs = std::filesystem;

namespace {

const char* const kWindowTitle = "^Tidewell Quest by Talvenor$";

// A shell command's standard output.
std::string output(const std::string& command) {
  std::string text;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe)) text += buffer;
    pclose(pipe);
  }
  return text;
}

void xdotool(const std::string& window, const std::string& keys) {
  std::string command = "xdotool mousemove --window " + window + " 400 300 " + keys;
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

// Held long enough for a pass to see it go down and come up.
std::string tap(const std::string& name) { return "keydown " + name + " sleep 0.2 keyup " + name + " sleep 0.3 "; }

}  // namespace

TEST(WindowDemoRecording, KeysPressedInTheWindowAreWrittenAndReplayedPassForPass) {
  for (const char* item : {"dat", "sfx", "mus", "credits.txt"})
    ASSERT_EQ(symlink((testsupport::gameDir() + "/" + item).c_str(), item), 0) << item;
  const std::string game = testsupport::gameDir() + "/tidewell";
  pid_t pid = fork();
  if (pid == 0) {
    int out = open("game-output.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(out, 1);
    dup2(out, 2);
    execl(game.c_str(), "tidewell", "--record-demo", "rec.demo", "--level", "2", static_cast<char*>(nullptr));
    _exit(127);
  }
  ASSERT_GT(pid, 0);
  std::string window = output(std::string("timeout 60 xdotool search --sync --name '") + kWindowTitle + "' | head -1");
  ASSERT_FALSE(window.empty()) << "no game window";
  window.pop_back();
  std::this_thread::sleep_for(std::chrono::seconds(2));  // past the level's opening fade
  // Swim right a moment, then leave through the menu: Esc, down to "Exit",
  // the last two steps as taps quicker than a pass. They are 30 ms apart:
  // X reads a release and a press of one key in the same millisecond as
  // that key repeating, which no hand can do.
  xdotool(window, "sleep 0.3 " + tap("Right") + tap("Escape") + tap("Down") + tap("Down") + tap("Down") +
                      "key --delay 30 Down Down sleep 0.3 " + tap("Return"));

  int status = 0;
  for (int i = 0; i < 600 && waitpid(pid, &status, WNOHANG) == 0; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  if (waitpid(pid, &status, WNOHANG) == 0) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    FAIL() << "leaving the level did not end the recording\n" << testsupport::readFile("game-output.txt");
  }
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << testsupport::readFile("game-output.txt");

  std::string demo = testsupport::readFile("rec.demo");
  EXPECT_EQ(demo.rfind("tidewell-demo 1\nlevel 2\nseed ", 0), 0u);
  for (const char* change : {" +RIGHT", " -RIGHT", " +ESC", " +DOWN", " +ENTER"})
    EXPECT_NE(demo.find(change), std::string::npos) << change;
  // The recording kept to a scratch folder: no settings, profile or log here.
  std::set<std::string> here;
  for (const fs::directory_entry& entry : fs::directory_iterator(".")) here.insert(entry.path().filename());
  EXPECT_EQ(here, (std::set<std::string>{"credits.txt", "dat", "game-output.txt", "mus", "rec.demo", "sfx"}));

  // Replayed, the menu is left on the very pass it was left on: five more
  // seconds of passes after it are never played.
  std::string recorded = testsupport::readFile("game-output.txt");
  std::string verdict = recorded.substr(recorded.find("level 2: "));
  verdict = verdict.substr(0, verdict.find('\n') + 1);
  EXPECT_EQ(verdict.rfind("level 2: not won after ", 0), 0u) << recorded;
  testsupport::writeFile("longer.demo", demo + "0.05*100\n");
  EXPECT_EQ(output(game + " --verify-demo longer.demo 2>/dev/null"), verdict);
}
