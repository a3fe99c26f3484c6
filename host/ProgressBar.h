#pragma once

#include <cstdio>

// A one-line progress bar redrawn in place on a terminal; silent when the stream is not one, so that
// logs and pipes get no control characters.
class ProgressBar
{
public:
  // A bar for total units of work on out, drawn only when out is a terminal and show is true.
  ProgressBar(std::FILE* out, long long total, bool show);
  // Redraws when the shown percentage changes.
  void Update(long long done);
  // Draws 100 % and ends the line, once.
  void Finish();

private:
  void Draw(int percent);

  std::FILE* mOut;
  long long mTotal;
  bool mEnabled;
  int mShownPercent = -1;
};
