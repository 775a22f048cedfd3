#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "engine/log.h"
#include "support/test_support.h"

namespace {

std::string workDirectory;
pid_t ownerPid = 0;

void recordMessageBox(const std::string& text) {
  testsupport::messageBoxTexts().push_back(text);
}

void removeWorkDirectory() {
  // Death-test children exit through here too; only the owner cleans up.
  if (workDirectory.empty() || getpid() != ownerPid) return;
  std::string command = "rm -rf '" + workDirectory + "'";
  if (std::system(command.c_str()) != 0) return;
}

}  // namespace

std::string testsupport::workDir() { return workDirectory; }

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  char pattern[] = "/tmp/tidewell-test-XXXXXX";
  if (!mkdtemp(pattern) || chdir(pattern) != 0) return 2;
  workDirectory = pattern;
  ownerPid = getpid();
  std::atexit(removeWorkDirectory);
  setMessageBoxFunction(recordMessageBox);
  return RUN_ALL_TESTS();
}
