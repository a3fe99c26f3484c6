#include "DateObject.h"

#include "Export.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>

namespace standin {

namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr long kDaysFrom1970To2001 = 11323;

// Days since 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's days_from_civil).
long DaysFromCivil(long year, unsigned month, unsigned day)
{
  year -= month <= 2;
  const long era = (year >= 0 ? year : year - 399) / 400;
  const auto yearOfEra = static_cast<unsigned>(year - era * 400);
  const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + static_cast<long>(dayOfEra) - 719468;
}

// The civil date of a day count since 1970-01-01 (civil_from_days).
void CivilFromDays(long days, long& year, unsigned& month, unsigned& day)
{
  days += 719468;
  const long era = (days >= 0 ? days : days - 146096) / 146097;
  const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
  const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const unsigned monthIndex = (5 * dayOfYear + 2) / 153;
  day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
  month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
  year = static_cast<long>(yearOfEra) + era * 400 + (month <= 2);
}

bool ReadDigits(const std::string& text, size_t pos, size_t count, unsigned& value)
{
  value = 0;
  for (size_t i = pos; i < pos + count; ++i)
  {
    if (text[i] < '0' || text[i] > '9')
      return false;
    value = value * 10 + static_cast<unsigned>(text[i] - '0');
  }
  return true;
}

}

DateObject::DateObject(CFAbsoluteTime time)
  : CFObject(kTypeID)
  , mTime(time)
{
}

bool DateObject::Equals(const CFObject& other) const
{
  return mTime == static_cast<const DateObject&>(other).mTime;
}

CFHashCode DateObject::Hash() const
{
  return std::hash<double>()(mTime);
}

std::optional<std::string> DateObject::IsoText() const
{
  const double earliest = static_cast<double>(DaysFromCivil(0, 1, 1) - kDaysFrom1970To2001) * kSecondsPerDay;
  const double latest = static_cast<double>(DaysFromCivil(10000, 1, 1) - kDaysFrom1970To2001) * kSecondsPerDay;
  if (!(mTime >= earliest && mTime < latest))
    return std::nullopt;
  const double seconds = std::floor(mTime);
  const auto totalDays = static_cast<long>(std::floor(seconds / kSecondsPerDay));
  const auto secondOfDay = static_cast<long>(seconds - static_cast<double>(totalDays) * kSecondsPerDay);
  long year = 0;
  unsigned month = 0;
  unsigned day = 0;
  CivilFromDays(totalDays + kDaysFrom1970To2001, year, month, day);
  char text[96];
  std::snprintf(text, sizeof(text), "%04ld-%02u-%02uT%02ld:%02ld:%02ldZ", year, month, day, secondOfDay / 3600, secondOfDay / 60 % 60, secondOfDay % 60);
  return std::string(text);
}

std::string DateObject::Describe() const
{
  return IsoText().value_or(std::to_string(mTime));
}

bool ParseIsoDate(const std::string& text, CFAbsoluteTime& time)
{
  if (text.size() != 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' || text[16] != ':' || text[19] != 'Z')
    return false;
  unsigned year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  if (!ReadDigits(text, 0, 4, year) || !ReadDigits(text, 5, 2, month) || !ReadDigits(text, 8, 2, day) || !ReadDigits(text, 11, 2, hour) || !ReadDigits(text, 14, 2, minute) || !ReadDigits(text, 17, 2, second))
    return false;
  if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 60)
    return false;
  const long days = DaysFromCivil(year, month, day) - kDaysFrom1970To2001;
  time = static_cast<double>(days) * kSecondsPerDay + hour * 3600.0 + minute * 60.0 + second;
  return true;
}

}

using standin::CFObject;
using standin::DateObject;

STANDIN_EXPORT const CFTimeInterval kCFAbsoluteTimeIntervalSince1970 = 978307200.0;

STANDIN_EXPORT CFAbsoluteTime CFAbsoluteTimeGetCurrent(void)
{
  const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
  return std::chrono::duration<double>(sinceEpoch).count() - kCFAbsoluteTimeIntervalSince1970;
}

STANDIN_EXPORT CFTypeID CFDateGetTypeID(void)
{
  return DateObject::kTypeID;
}

STANDIN_EXPORT CFDateRef CFDateCreate(CFAllocatorRef, CFAbsoluteTime at)
{
  return standin::ToRef<CFDateRef>(new DateObject(at));
}

STANDIN_EXPORT CFAbsoluteTime CFDateGetAbsoluteTime(CFDateRef theDate)
{
  DateObject* date = CFObject::Cast<DateObject>(theDate);
  return date ? date->Time() : 0.0;
}
