// The real game verifying a demo in a game folder with one datafile
// damaged: a clear error and a failing status, never a signal.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/test_support.h"

namespace fs = std::filesystem;

namespace {

// A game folder of links to the baked one, with name cut to half its size.
std::string gameWithHalvedFile(const std::string& name) {
  fs::path game = testsupport::gameDir(), folder = fs::path(testsupport::workDir()) / "game";
  fs::remove_all(folder);
  fs::create_directories(folder / "dat");
  for (const char* item : {"sfx", "mus", "credits.txt"}) fs::create_symlink(game / item, folder / item);
  for (const auto& entry : fs::recursive_directory_iterator(game / "dat")) {
    fs::path target = folder / fs::relative(entry.path(), game);
    if (entry.is_directory()) {
      fs::create_directories(target);
    } else if (fs::relative(entry.path(), game) != name) {
      fs::create_symlink(entry.path(), target);
    } else {
      std::string bytes = testsupport::readFile(entry.path().string());
      testsupport::writeFile(target.string(), bytes.substr(0, bytes.size() / 2));
    }
  }
  return folder.string();
}

// Runs tidewell --verify-demo in folder; its wait status and its output.
int verifyDemo(const std::string& folder, const std::string& demo, std::string& output) {
  std::string outputFile = testsupport::workDir() + "/verify-output.txt";
  pid_t pid = fork();
  if (pid == 0) {
    if (chdir(folder.c_str()) != 0) _exit(127);
    FILE* out = std::freopen(outputFile.c_str(), "w", stdout);
    if (!out || dup2(fileno(out), 2) < 0) _exit(127);
    std::string program = testsupport::gameDir() + "/tidewell";
    execl(program.c_str(), "tidewell", "--verify-demo", demo.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  output = testsupport::readFile(outputFile);
  return status;
}

}  // namespace

TEST(DamagedData, HalvedFontOrLevelPicturesEndTheVerifierWithAnErrorNotASignal) {
  std::string demo = testsupport::sourceDir() + "/assets/demos/01.demo";
  for (std::string name : {"dat/font.dat", "dat/lvl/levels.dat"}) {
    std::string output;
    int status = verifyDemo(gameWithHalvedFile(name), demo, output);
    ASSERT_TRUE(WIFEXITED(status)) << name << " ended by signal " << WTERMSIG(status) << "\n" << output;
    EXPECT_EQ(WEXITSTATUS(status), 1) << name << "\n" << output;
    EXPECT_NE(output.find("datafile [" + name + "] - cannot parse file"), std::string::npos) << output;
  }
}
