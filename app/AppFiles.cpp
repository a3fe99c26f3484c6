#include "AppFiles.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace iplug
{
namespace
{
  std::string Reason(const std::string& what, const std::string& path)
  {
    return what + " " + path + ": " + std::strerror(errno);
  }

  // Writes all of bytes to fd; false on any failure (errno tells).
  bool WriteAll(int fd, const uint8_t* bytes, size_t size)
  {
    while (size > 0)
    {
      const ssize_t written = write(fd, bytes, size);
      if (written < 0 && errno == EINTR)
        continue;
      if (written <= 0)
        return false;
      bytes += written;
      size -= static_cast<size_t>(written);
    }
    return true;
  }
}

std::string AppConfigFolder(const std::string& productName)
{
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && config[0] == '/')
    return std::string(config) + "/" + productName;
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/')
    return std::string(home) + "/.config/" + productName;
  return std::string();
}

EFileRead ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error)
{
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
  {
    if (errno == ENOENT)
      return EFileRead::kMissing;
    error = Reason("cannot open", path);
    return EFileRead::kFailed;
  }
  bytes.clear();
  uint8_t buffer[4096];
  for (;;)
  {
    const ssize_t n = read(fd, buffer, sizeof(buffer));
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0)
    {
      error = Reason("cannot read", path);
      close(fd);
      return EFileRead::kFailed;
    }
    if (n == 0)
      break;
    bytes.insert(bytes.end(), buffer, buffer + n);
  }
  close(fd);
  return EFileRead::kRead;
}

bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error)
{
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  std::error_code ec;
  if (!folder.empty())
    std::filesystem::create_directories(folder, ec);
  if (ec)
  {
    error = "cannot make the folder " + folder.string() + ": " + ec.message();
    return false;
  }
  std::string temporary = path + ".new-XXXXXX";
  const int fd = mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0)
  {
    error = Reason("cannot write a new", path);
    return false;
  }
  // mkostemp makes the file readable by its owner alone; a settings file is as private as that.
  const bool written = WriteAll(fd, bytes.data(), bytes.size()) && fsync(fd) == 0;
  if (!written)
    error = Reason("cannot write", temporary);
  if (close(fd) != 0 && written)
  {
    error = Reason("cannot write", temporary);
    unlink(temporary.c_str());
    return false;
  }
  if (!written)
  {
    unlink(temporary.c_str());
    return false;
  }
  if (rename(temporary.c_str(), path.c_str()) != 0)
  {
    error = Reason("cannot replace", path);
    unlink(temporary.c_str());
    return false;
  }
  // The rename itself reaches the disk with the folder's entry.
  if (const int dir = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0)
  {
    fsync(dir);
    close(dir);
  }
  return true;
}

std::string KeepFileAside(const std::string& path)
{
  for (int i = 1; i < 1000; ++i)
  {
    const std::string aside = path + ".damaged" + (i == 1 ? std::string() : "-" + std::to_string(i));
    // A hard link never replaces an existing file, unlike a rename.
    if (link(path.c_str(), aside.c_str()) == 0)
    {
      unlink(path.c_str());
      return aside;
    }
    if (errno != EEXIST)
      return std::string();
  }
  return std::string();
}

} // namespace iplug
