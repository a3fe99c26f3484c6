// Writes the ControlGallery's bitmap strips, computed from pixels, at 1x and 2x:
//   gallery_strips OUTDIR
// writes GalleryKnob.png (31 frames), GalleryDial.png, GallerySelector.png (4 frames), GalleryButton.png
// (2 frames), GallerySliderTrack.png, GallerySliderHandle.png, GalleryLamp.png (2 frames) and GalleryFont.png
// (95 frames, characters 32 to 126), each also as @2x. Frames are stacked vertically. Shapes are drawn
// as signed distances with one pixel of anti-aliasing, so both densities show the same picture.

#include <stb_image_write.h>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb_easy_font.h>
#pragma GCC diagnostic pop

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace
{

// A straight-alpha RGBA colour.
struct Color
{
  float r, g, b, a;
};

const Color kInk{0.11f, 0.15f, 0.20f, 1.f};
const Color kBody{0.23f, 0.29f, 0.36f, 1.f};
const Color kRim{0.42f, 0.49f, 0.57f, 1.f};
const Color kAccent{0.98f, 0.62f, 0.16f, 1.f};
const Color kPaper{0.93f, 0.95f, 0.97f, 1.f};
const Color kLampOff{0.35f, 0.12f, 0.10f, 1.f};
const Color kLampOn{0.35f, 0.95f, 0.45f, 1.f};

constexpr float kPi = 3.14159265f;

// One strip of frames being painted: user units are scaled by the density into pixels.
class Strip
{
public:
  Strip(int frameW, int frameH, int frames, int density)
    : mW(frameW * density), mH(frameH * frames * density), mFrameH(frameH), mDensity(density),
      mPixels(static_cast<size_t>(mW) * static_cast<size_t>(mH) * 4, 0.f)
  {
  }

  // Paints color over every pixel of frame (0-based) by coverage(x, y) in 0..1, x and y in the frame's user units.
  void Paint(int frame, const Color& color, const std::function<float(float, float)>& coverage)
  {
    const float d = static_cast<float>(mDensity);
    const int top = frame * mFrameH * mDensity;
    for (int py = top; py < top + mFrameH * mDensity; ++py)
      for (int px = 0; px < mW; ++px)
      {
        const float x = (static_cast<float>(px) + 0.5f) / d;
        const float y = (static_cast<float>(py - top) + 0.5f) / d;
        Blend(px, py, color, std::clamp(coverage(x, y), 0.f, 1.f));
      }
  }

  // Writes the strip as a PNG file; false when it cannot be written.
  bool Write(const std::string& path) const
  {
    std::vector<uint8_t> bytes(mPixels.size());
    std::transform(mPixels.begin(), mPixels.end(), bytes.begin(),
                   [](float v) { return static_cast<uint8_t>(std::lround(std::clamp(v, 0.f, 1.f) * 255.f)); });
    return stbi_write_png(path.c_str(), mW, mH, 4, bytes.data(), mW * 4) != 0;
  }

private:
  // Source-over of color at alpha a into the straight-alpha pixel.
  void Blend(int px, int py, const Color& color, float a)
  {
    a *= color.a;
    if (a <= 0.f)
      return;
    float* p = &mPixels[(static_cast<size_t>(py) * static_cast<size_t>(mW) + static_cast<size_t>(px)) * 4];
    const float outA = a + p[3] * (1.f - a);
    const float rest = p[3] * (1.f - a);
    p[0] = (color.r * a + p[0] * rest) / outA;
    p[1] = (color.g * a + p[1] * rest) / outA;
    p[2] = (color.b * a + p[2] * rest) / outA;
    p[3] = outA;
  }

  int mW;
  int mH;
  int mFrameH;
  int mDensity;
  std::vector<float> mPixels;
};

// Coverage of a shape whose signed distance (user units, negative inside) at a pixel is dist, at density d:
// full inside, none outside, one pixel of ramp across the edge.
float Cover(float dist, int d) { return 0.5f - dist * static_cast<float>(d); }

float Disc(float x, float y, float cx, float cy, float r) { return std::hypot(x - cx, y - cy) - r; }

float Ring(float x, float y, float cx, float cy, float r, float thickness)
{
  return std::fabs(std::hypot(x - cx, y - cy) - r) - thickness / 2.f;
}

// Distance to the segment (x1, y1)-(x2, y2) less half the thickness: a line with round caps.
float Segment(float x, float y, float x1, float y1, float x2, float y2, float thickness)
{
  const float dx = x2 - x1, dy = y2 - y1;
  const float t = std::clamp(((x - x1) * dx + (y - y1) * dy) / (dx * dx + dy * dy), 0.f, 1.f);
  return std::hypot(x - (x1 + t * dx), y - (y1 + t * dy)) - thickness / 2.f;
}

// A rectangle (l, t, r, b) with corner radius rad.
float RoundRect(float x, float y, float l, float t, float r, float b, float rad)
{
  const float qx = std::fabs(x - (l + r) / 2.f) - ((r - l) / 2.f - rad);
  const float qy = std::fabs(y - (t + b) / 2.f) - ((b - t) / 2.f - rad);
  return std::hypot(std::max(qx, 0.f), std::max(qy, 0.f)) + std::min(std::max(qx, qy), 0.f) - rad;
}

// Angle of (x, y) around (cx, cy) in degrees, 0 up, clockwise, in -180..180.
float AngleFromUp(float x, float y, float cx, float cy) { return std::atan2(x - cx, cy - y) * 180.f / kPi; }

// A point at radius r and angle a (degrees from up, clockwise) around (cx, cy).
void Polar(float cx, float cy, float r, float a, float& x, float& y)
{
  x = cx + r * std::sin(a * kPi / 180.f);
  y = cy - r * std::cos(a * kPi / 180.f);
}

// 31 frames of 48 x 48: a dial with an arc from -135 degrees to the value's angle and a pointer.
bool WriteKnob(const std::string& path, int d)
{
  constexpr int kFrames = 31;
  Strip strip(48, 48, kFrames, d);
  for (int i = 0; i < kFrames; ++i)
  {
    const float angle = -135.f + 270.f * static_cast<float>(i) / static_cast<float>(kFrames - 1);
    strip.Paint(i, kRim, [d](float x, float y) { return Cover(Ring(x, y, 24.f, 24.f, 21.f, 3.f), d); });
    strip.Paint(i, kAccent, [d, angle](float x, float y) {
      const float a = AngleFromUp(x, y, 24.f, 24.f);
      return a >= -135.f && a <= angle ? Cover(Ring(x, y, 24.f, 24.f, 21.f, 3.f), d) : 0.f;
    });
    strip.Paint(i, kBody, [d](float x, float y) { return Cover(Disc(x, y, 24.f, 24.f, 16.f), d); });
    float px = 0.f, py = 0.f;
    Polar(24.f, 24.f, 13.f, angle, px, py);
    strip.Paint(i, kPaper, [d, px, py](float x, float y) { return Cover(Segment(x, y, 24.f, 24.f, px, py, 3.f), d); });
  }
  return strip.Write(path);
}

// One 48 x 48 picture that a rotating knob turns: a disc with a notch pointing up.
bool WriteDial(const std::string& path, int d)
{
  Strip strip(48, 48, 1, d);
  strip.Paint(0, kRim, [d](float x, float y) { return Cover(Disc(x, y, 24.f, 24.f, 20.f), d); });
  strip.Paint(0, kBody, [d](float x, float y) { return Cover(Disc(x, y, 24.f, 24.f, 17.f), d); });
  strip.Paint(0, kAccent, [d](float x, float y) { return Cover(Segment(x, y, 24.f, 10.f, 24.f, 20.f, 4.f), d); });
  return strip.Write(path);
}

// 4 frames of 72 x 24: a rounded track with four stops and a lit stop at the frame's position.
bool WriteSelector(const std::string& path, int d)
{
  constexpr int kFrames = 4;
  Strip strip(72, 24, kFrames, d);
  for (int i = 0; i < kFrames; ++i)
  {
    strip.Paint(i, kBody, [d](float x, float y) { return Cover(RoundRect(x, y, 1.f, 3.f, 71.f, 21.f, 9.f), d); });
    for (int k = 0; k < kFrames; ++k)
    {
      const float cx = 12.f + 16.f * static_cast<float>(k);
      const Color& c = k == i ? kAccent : kRim;
      const float r = k == i ? 6.f : 3.f;
      strip.Paint(i, c, [d, cx, r](float x, float y) { return Cover(Disc(x, y, cx, 12.f, r), d); });
    }
  }
  return strip.Write(path);
}

// 2 frames of 64 x 28: a raised button, then the same pressed (darker, the face shifted down).
bool WriteButton(const std::string& path, int d)
{
  Strip strip(64, 28, 2, d);
  for (int i = 0; i < 2; ++i)
  {
    const float shift = static_cast<float>(i) * 2.f;
    strip.Paint(i, kInk, [d](float x, float y) { return Cover(RoundRect(x, y, 2.f, 4.f, 62.f, 26.f, 6.f), d); });
    strip.Paint(i, i == 0 ? kRim : kBody,
                [d, shift](float x, float y) { return Cover(RoundRect(x, y, 2.f, 2.f + shift, 62.f, 24.f, 6.f), d); });
    strip.Paint(i, kPaper, [d, shift](float x, float y) {
      return Cover(Segment(x, y, 24.f, 13.f + shift, 40.f, 13.f + shift, 3.f), d);
    });
  }
  return strip.Write(path);
}

// A 10 x 120 slider track: a slot with tick marks.
bool WriteSliderTrack(const std::string& path, int d)
{
  Strip strip(10, 120, 1, d);
  strip.Paint(0, kInk, [d](float x, float y) { return Cover(RoundRect(x, y, 2.f, 1.f, 8.f, 119.f, 3.f), d); });
  strip.Paint(0, kRim, [d](float x, float y) {
    const float tick = std::fmod(y - 10.f + 500.f, 20.f);
    return std::fabs(tick) < 1.f || std::fabs(tick - 20.f) < 1.f ? Cover(std::fabs(x - 5.f) - 1.f, d) : 0.f;
  });
  return strip.Write(path);
}

// A 30 x 12 slider handle: a rounded cap with a centre line.
bool WriteSliderHandle(const std::string& path, int d)
{
  Strip strip(30, 12, 1, d);
  strip.Paint(0, kPaper, [d](float x, float y) { return Cover(RoundRect(x, y, 1.f, 1.f, 29.f, 11.f, 3.f), d); });
  strip.Paint(0, kAccent, [d](float x, float y) { return Cover(Segment(x, y, 5.f, 6.f, 25.f, 6.f, 2.f), d); });
  return strip.Write(path);
}

// 2 frames of 24 x 24: a lamp off, then lit with a halo.
bool WriteLamp(const std::string& path, int d)
{
  Strip strip(24, 24, 2, d);
  strip.Paint(0, kLampOff, [d](float x, float y) { return Cover(Disc(x, y, 12.f, 12.f, 8.f), d); });
  strip.Paint(1, Color{kLampOn.r, kLampOn.g, kLampOn.b, 0.35f},
              [d](float x, float y) { return Cover(Disc(x, y, 12.f, 12.f, 11.f), d); });
  strip.Paint(1, kLampOn, [d](float x, float y) { return Cover(Disc(x, y, 12.f, 12.f, 8.f), d); });
  for (int i = 0; i < 2; ++i)
    strip.Paint(i, kInk, [d](float x, float y) { return Cover(Ring(x, y, 12.f, 12.f, 8.f, 1.f), d); });
  return strip.Write(path);
}

// 95 frames of 8 x 12: the characters 32 to 126 of stb_easy_font, each centred in its cell.
bool WriteFont(const std::string& path, int d)
{
  constexpr int kFirst = 32, kLast = 126;
  Strip strip(8, 12, kLast - kFirst + 1, d);
  std::vector<char> vertices(64 * 64);
  for (int c = kFirst; c <= kLast; ++c)
  {
    char text[2] = {static_cast<char>(c), 0};
    const float x0 = std::floor((8.f - static_cast<float>(stb_easy_font_width(text))) / 2.f);
    const int quads =
      stb_easy_font_print(x0, 1.f, text, nullptr, vertices.data(), static_cast<int>(vertices.size()));
    for (int q = 0; q < quads; ++q)
    {
      // Each quad is four vertices of 16 bytes; the first and third are opposite corners.
      float l = 0.f, t = 0.f, r = 0.f, b = 0.f;
      std::copy_n(vertices.data() + q * 64, sizeof(float), reinterpret_cast<char*>(&l));
      std::copy_n(vertices.data() + q * 64 + 4, sizeof(float), reinterpret_cast<char*>(&t));
      std::copy_n(vertices.data() + q * 64 + 32, sizeof(float), reinterpret_cast<char*>(&r));
      std::copy_n(vertices.data() + q * 64 + 36, sizeof(float), reinterpret_cast<char*>(&b));
      strip.Paint(c - kFirst, kInk,
                  [l, t, r, b](float x, float y) { return x >= l && x < r && y >= t && y < b ? 1.f : 0.f; });
    }
  }
  return strip.Write(path);
}

struct StripWriter
{
  const char* name;
  bool (*write)(const std::string& path, int density);
};

const StripWriter kStrips[] = {{"GalleryKnob", WriteKnob},          {"GalleryDial", WriteDial},
                               {"GallerySelector", WriteSelector},  {"GalleryButton", WriteButton},
                               {"GallerySliderTrack", WriteSliderTrack}, {"GallerySliderHandle", WriteSliderHandle},
                               {"GalleryLamp", WriteLamp},          {"GalleryFont", WriteFont}};

} // namespace

int main(int argc, char** argv)
{
  if (argc != 2)
  {
    std::fprintf(stderr, "usage: gallery_strips OUTDIR\n");
    return 2;
  }
  const std::string dir = argv[1];
  for (const StripWriter& strip : kStrips)
    for (int density = 1; density <= 2; ++density)
    {
      const std::string path = dir + "/" + strip.name + (density == 1 ? ".png" : "@2x.png");
      if (!strip.write(path, density))
      {
        std::fprintf(stderr, "gallery_strips: cannot write %s\n", path.c_str());
        return 1;
      }
    }
  return 0;
}
