#include "engine/log.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

using testsupport::logLines;
using testsupport::messageBoxTexts;

TEST(Log, InfoLinesAreFlushedAndNeverShowAMessageBox) {
  logInfo("Kelpcore_19");
  logInfo("second");
  EXPECT_EQ(logLines(), (std::vector<std::string>{"Kelpcore_19", "second"}));
  EXPECT_TRUE(messageBoxTexts().empty());
}

TEST(Log, FirstLineOfARunTruncatesTheOldFile) {
  testsupport::writeFile("debug.log", "old run line\nanother\n");
  logInfo("new run");
  EXPECT_EQ(logLines(), (std::vector<std::string>{"new run"}));
}

TEST(Log, NonFatalErrorShowsItsOwnTextAndReturns) {
  setFatalMode(false);
  log("datafile [x.dat] - file not found", true);
  logInfo("carried on");
  ASSERT_EQ(messageBoxTexts().size(), 1u);
  EXPECT_EQ(messageBoxTexts()[0], "datafile [x.dat] - file not found");
  EXPECT_EQ(logLines().back(), "carried on");
}

TEST(Log, MessageWithPercentSignsIsNotAFormat) {
  log("100% %s %n", true);
  ASSERT_EQ(messageBoxTexts().size(), 1u);
  EXPECT_EQ(messageBoxTexts()[0], "100% %s %n");
}

TEST(LogDeathTest, FatalErrorShowsFatalMessageLogsErrorAndNoLongerExitsZero) {
  auto fatal = [] {
    setFatalMode(true);
    setFatalMessage("Fatal Error: Please contact Calloway Arcade x");
    logInfo("before");
    log("Layer #7 out of range", true);
    logInfo("never written");
  };
  // The child's message box goes to stderr so the parent can see it.
  setMessageBoxFunction([](const std::string& text) { fprintf(stderr, "BOX:%s\n", text.c_str()); });
  EXPECT_EXIT(fatal(), testing::ExitedWithCode(1), "BOX:Fatal Error: Please contact Calloway Arcade x");
  auto lines = logLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), "Layer #7 out of range");
}
