#include "PngFile.h"

#include <filesystem>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb_image_write.h>

bool WritePngFile(const std::string& path, int width, int height, const std::vector<unsigned char>& rgba, std::string& error)
{
  if (width <= 0 || height <= 0 || rgba.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4)
  {
    error = "no image to write to " + path;
    return false;
  }
  if (!stbi_write_png(path.c_str(), width, height, 4, rgba.data(), width * 4))
  {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    error = "cannot write " + path;
    return false;
  }
  return true;
}
