// Types arbitrary key sequences, with clicks, drags, menu choices and clipboard text in between, into the
// drawn text entry for an integer and a double parameter: nothing crashes, and every committed value
// keeps its parameter inside its range.
#include "IParam.h"
#include "ITextEntryControl.h"
#include "support/RecordingGraphics.h"

#include "FuzzPlugin.h"

#include <cstddef>
#include <cstdint>
#include <string>

using iplug::IKeyPress;
using iplug::fuzz::Require;
using namespace iplug::igraphics;

namespace
{

// Virtual keys the window layer sends: editing keys, digits, letters, the keypad, and 0 for plain characters.
constexpr int kKeys[] = {0,    0x08, 0x09, 0x0D, 0x800D, 0x1B, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26,
                         0x27, 0x28, 0x2E, '0',  '1',    '5',  '9',  'A',  'C',  'V',  'X',  'Z',  0x60,
                         0x65, 0x69, 0x6E, 0x70};

// Reads bytes one at a time, giving 0 past the end.
struct Reader
{
  const uint8_t* data;
  size_t size;
  size_t pos = 0;

  bool More() const { return pos < size; }
  uint8_t Next() { return pos < size ? data[pos++] : 0; }
};

// Whether every parameter of the delegate holds a value inside its range.
bool InRange(const RecordingDelegate& dlg)
{
  for (int i = 0; i < dlg.NParams(); ++i)
  {
    const iplug::IParam* pParam = dlg.GetParam(i);
    if (!(pParam->Value() >= pParam->GetMin() && pParam->Value() <= pParam->GetMax()))
      return false;
  }
  return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  RecordingDelegate dlg(2);
  dlg.GetParam(0)->InitInt("Steps", 3, -5, 20);
  dlg.GetParam(1)->InitDouble("Level", 0.5, -1.0, 1.0, 0.001);
  RecordingGraphics graphics(dlg, 300, 200, 60, 1.f);
  graphics.mLogging = false;
  graphics.AttachTextEntryControl();
  ITextEntryControl* entry = graphics.GetTextEntryControl();
  RecordingControl* controls[2] = {
    static_cast<RecordingControl*>(graphics.AttachControl(new RecordingControl(IRECT(10, 10, 110, 40), 0))),
    static_cast<RecordingControl*>(graphics.AttachControl(new RecordingControl(IRECT(10, 60, 110, 90), 1)))};
  for (RecordingControl* control : controls)
  {
    control->DisablePrompt(false);
    control->SetText(IText(10.f));
  }

  Reader in{data, size};
  while (in.More())
  {
    if (!entry->GetEditing())
      controls[in.Next() & 1]->PromptUserInput(0);
    const uint8_t op = in.Next();
    const float x = static_cast<float>(in.Next()) * 0.6f;
    const float y = static_cast<float>(in.Next()) * 0.4f;
    switch (op % 8)
    {
    case 0:
      graphics.OnMouseDown({IMouseInfo{x, y, 0.f, 0.f, IMouseMod(true, false)}});
      graphics.OnMouseDrag({IMouseInfo{x + 7.f, y, 7.f, 0.f, IMouseMod(true, false)}});
      graphics.OnMouseUp({IMouseInfo{x + 7.f, y, 0.f, 0.f, IMouseMod(true, false)}});
      break;
    case 1:
      graphics.mMenuChoice = static_cast<int>(in.Next() % 4) - 1;
      graphics.OnMouseDown({IMouseInfo{x, y, 0.f, 0.f, IMouseMod(false, true)}});
      graphics.OnMouseUp({IMouseInfo{x, y, 0.f, 0.f, IMouseMod(false, true)}});
      break;
    case 2:
    {
      std::string clip;
      for (int n = in.Next() % 12; n > 0; --n)
        clip.push_back(static_cast<char>(in.Next()));
      graphics.mClipboard = clip;
      break;
    }
    case 3: graphics.OnMouseDblClick(x, y, IMouseMod()); break;
    default:
    {
      const uint8_t flags = in.Next();
      char text[5] = {};
      const int length = flags >> 6;
      for (int i = 0; i < length; ++i)
        text[i] = static_cast<char>(in.Next());
      const int vk = kKeys[in.Next() % (sizeof(kKeys) / sizeof(kKeys[0]))];
      graphics.OnKeyDown(x, y, IKeyPress(text, vk, flags & 1, flags & 2, flags & 4));
      break;
    }
    }
    Require(entry->GetCursor() >= 0 && entry->GetCursor() <= entry->GetLength());
    Require(InRange(dlg));
  }
  if (entry->GetEditing())
    graphics.OnKeyDown(0.f, 0.f, IKeyPress("\r", 0x0D));
  Require(InRange(dlg));
  return 0;
}
