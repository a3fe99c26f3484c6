#include "ProgressBar.h"

#include <string>
#include <unistd.h>

namespace
{
  constexpr int kWidth = 40;
}

ProgressBar::ProgressBar(std::FILE* out, long long total, bool show)
  : mOut(out)
  , mTotal(total)
  , mEnabled(show && total > 0 && isatty(fileno(out)))
{
}

void ProgressBar::Update(long long done)
{
  if (!mEnabled)
    return;
  const int percent = static_cast<int>(done >= mTotal ? 100 : done * 100 / mTotal);
  if (percent != mShownPercent)
    Draw(percent);
}

void ProgressBar::Finish()
{
  if (!mEnabled)
    return;
  if (mShownPercent != 100)
    Draw(100);
  std::fputc('\n', mOut);
  mEnabled = false;
}

void ProgressBar::Draw(int percent)
{
  mShownPercent = percent;
  const int filled = percent * kWidth / 100;
  const std::string bar = std::string(static_cast<std::size_t>(filled), '#') + std::string(static_cast<std::size_t>(kWidth - filled), '.');
  std::fprintf(mOut, "\r[%s] %3d%%", bar.c_str(), percent);
  std::fflush(mOut);
}
