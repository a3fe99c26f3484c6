// The progress bar draws on a terminal and nowhere else.

#include <gtest/gtest.h>

#include <cstdio>
#include <pty.h>
#include <string>
#include <unistd.h>

#include "ProgressBar.h"

TEST(ProgressBar, WritesNothingToAFileOrPipe)
{
  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  ProgressBar bar(file, 100, true);
  bar.Update(50);
  bar.Finish();
  EXPECT_EQ(std::ftell(file), 0L);
  std::fclose(file);
}

TEST(ProgressBar, DrawsInPlaceOnATerminalAndEndsTheLineOnce)
{
  int controller = -1;
  int terminal = -1;
  ASSERT_EQ(openpty(&controller, &terminal, nullptr, nullptr, nullptr), 0);
  std::FILE* out = fdopen(terminal, "w");
  ASSERT_NE(out, nullptr);
  {
    ProgressBar bar(out, 200, true);
    bar.Update(50);
    bar.Update(51);
    bar.Finish();
    bar.Finish();
  }
  std::fclose(out);
  std::string shown;
  char buffer[512];
  for (ssize_t n; (n = read(controller, buffer, sizeof(buffer))) > 0;)
    shown.append(buffer, static_cast<std::size_t>(n));
  close(controller);

  EXPECT_NE(shown.find("\r[##########..............................]  25%"), std::string::npos) << shown;
  EXPECT_NE(shown.find("100%"), std::string::npos) << shown;
  EXPECT_EQ(shown.find(" 25%", shown.find(" 25%") + 1), std::string::npos) << "the same percentage is not redrawn";
  EXPECT_EQ(shown.find("\r\n"), shown.size() - 2) << "the line ends once, after 100 % (the terminal shows the end as \\r\\n)";
}

TEST(ProgressBar, HiddenWhenNotAskedFor)
{
  int controller = -1;
  int terminal = -1;
  ASSERT_EQ(openpty(&controller, &terminal, nullptr, nullptr, nullptr), 0);
  std::FILE* out = fdopen(terminal, "w");
  ASSERT_NE(out, nullptr);
  {
    ProgressBar bar(out, 200, false);
    bar.Update(100);
    bar.Finish();
  }
  std::fputs("end\n", out);
  std::fclose(out);
  char buffer[64] = {};
  const ssize_t n = read(controller, buffer, sizeof(buffer) - 1);
  close(controller);
  EXPECT_EQ(std::string(buffer, n > 0 ? static_cast<std::size_t>(n) : 0u), "end\r\n");
}
