#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "IControl.h"
#include "IGEditorDelegate.h"
#include "IGraphics.h"
#include "IPopupMenu.h"

namespace iplug::igraphics
{

// A graphics context without a window or pixels: every drawing and platform operation is recorded
// (as one line of text in mLog while mLogging is on, and always in the counters), so the context,
// the drawing cycle and input dispatch can be tested and measured without a display.
class RecordingGraphics : public IGraphics
{
public:
  using IGraphics::IGraphics;

  // Back end.
  void BeginFrame() override
  {
    IGraphics::BeginFrame();
    ++mBeginFrames;
    Log("BeginFrame");
  }
  void EndFrame() override
  {
    ++mEndFrames;
    Log("EndFrame");
  }
  void DrawBitmap(const IBitmap&, const IRECT& dest, int srcX, int srcY, const IBlend*) override
  {
    LogRect("DrawBitmap", dest, srcX, srcY);
  }
  IColor GetPoint(int, int) override { return COLOR_TRANSPARENT; }
  void* GetDrawContext() override { return nullptr; }
  const char* GetDrawingAPIStr() override { return "Recording"; }
  bool BitmapExtSupported(const char* ext) override { return ext && std::string(ext) == "png"; }
  void DrawFastDropShadow(const IRECT& inner, const IRECT&, float, float, float, IBlend*) override
  {
    LogRect("DrawFastDropShadow", inner);
  }
  void GetLayerBitmapData(const ILayerPtr&, WDL_TypedBuf<unsigned char>& data) override { data.Resize(0); }
  void ApplyShadowMask(ILayerPtr&, WDL_TypedBuf<unsigned char>&, const IShadow&) override { Log("ApplyShadowMask"); }
  void PathClear() override
  {
    ++mPathClears;
    Log("PathClear");
  }
  void PathClose() override { Log("PathClose"); }
  void PathArc(float cx, float cy, float r, float a1, float a2, EWinding) override
  {
    if (mLogging)
      Log("PathArc " + Num(cx) + " " + Num(cy) + " " + Num(r) + " " + Num(a1) + " " + Num(a2));
  }
  void PathMoveTo(float x, float y) override
  {
    if (mLogging)
      Log("PathMoveTo " + Num(x) + " " + Num(y));
  }
  void PathLineTo(float x, float y) override
  {
    if (mLogging)
      Log("PathLineTo " + Num(x) + " " + Num(y));
  }
  void PathCubicBezierTo(float, float, float, float, float x2, float y2) override
  {
    if (mLogging)
      Log("PathCubicBezierTo " + Num(x2) + " " + Num(y2));
  }
  void PathQuadraticBezierTo(float, float, float x2, float y2) override
  {
    if (mLogging)
      Log("PathQuadraticBezierTo " + Num(x2) + " " + Num(y2));
  }
  void PathStroke(const IPattern&, float thickness, const IStrokeOptions&, const IBlend*) override
  {
    ++mStrokes;
    if (mLogging)
      Log("PathStroke " + Num(thickness));
  }
  void PathFill(const IPattern& pattern, const IFillOptions&, const IBlend*) override
  {
    ++mFills;
    const IColor c = pattern.GetStop(0).mColor;
    if (mLogging)
      Log("PathFill " + std::to_string(c.R) + "," + std::to_string(c.G) + "," + std::to_string(c.B));
  }
  void PathTransformSetMatrix(const IMatrix&) override { ++mTransformSets; }
  void SetClipRegion(const IRECT& r) override
  {
    ++mClipRegions;
    LogRect("SetClipRegion", r);
  }
  float DoMeasureText(const IText& text, const char* str, IRECT& bounds) const override
  {
    // Every character is half the font size wide; the line is the font size high.
    const float width = 0.5f * text.mSize * static_cast<float>(std::string(str ? str : "").size());
    bounds = IRECT(bounds.L, bounds.T, bounds.L + width, bounds.T + text.mSize);
    return width;
  }
  void DoDrawText(const IText&, const char* str, const IRECT& bounds, const IBlend*) override
  {
    if (mLogging)
      LogRect((std::string("DoDrawText ") + (str ? str : "")).c_str(), bounds);
  }
  int AlphaChannel() const override { return 3; }
  bool FlippedBitmap() const override { return false; }
  void DrawResize() override
  {
    ++mDrawResizes;
    Log("DrawResize");
  }

  // Platform.
  void GetMouseLocation(float& x, float& y) const override
  {
    x = mMouseX;
    y = mMouseY;
  }
  void HideMouseCursor(bool hide, bool lock) override
  {
    mPointerHidden = hide;
    if (mLogging)
      Log(std::string("HideMouseCursor ") + (hide ? "hide" : "show") + (lock ? " lock" : ""));
  }
  void MoveMouseCursor(float x, float y) override
  {
    if (mLogging)
      Log("MoveMouseCursor " + Num(x) + " " + Num(y));
  }
  ECursor SetMouseCursor(ECursor cursorType) override
  {
    mPlatformCursors.push_back(cursorType);
    return IGraphics::SetMouseCursor(cursorType);
  }
  void ForceEndUserEdit() override { Log("ForceEndUserEdit"); }
  void* OpenWindow(void* pParent) override
  {
    ++mOpenCount;
    mWindow = pParent;
    return pParent;
  }
  void CloseWindow() override
  {
    ++mCloseCount;
    mWindow = nullptr;
  }
  void* GetWindow() override { return mWindow; }
  bool GetTextFromClipboard(WDL_String& str) override
  {
    str.Set(mClipboard.c_str());
    return !mClipboard.empty();
  }
  bool SetTextInClipboard(const char* str) override
  {
    mClipboard = str ? str : "";
    return true;
  }
  void UpdateTooltips() override { Log("UpdateTooltips"); }
  EMsgBoxResult ShowMessageBox(const char*, const char*, EMsgBoxType, IMsgBoxCompletionHandlerFunc completion) override
  {
    if (completion)
      completion(kMsgResultCancel);
    return kMsgResultCancel;
  }
  void PromptForFile(WDL_String& fileName, WDL_String&, EFileAction, const char*) override { fileName.Set(""); }
  void PromptForDirectory(WDL_String& dir) override { dir.Set(""); }
  bool PromptForColor(IColor&, const char*, IColorPickerHandlerFunc) override { return false; }
  bool OpenURL(const char* url, const char*, const char*, const char*) override
  {
    if (mLogging)
      Log(std::string("OpenURL ") + (url ? url : ""));
    return true;
  }
  void CreatePlatformTextEntry(int paramIdx, const IText&, const IRECT& bounds, int length, const char* str) override
  {
    mTextEntries.push_back({paramIdx, bounds, length, str ? str : ""});
  }
  IPopupMenu* CreatePlatformPopupMenu(IPopupMenu& menu, const IRECT& bounds, bool& isAsync) override
  {
    mMenus.push_back({&menu, bounds, menu.NItems()});
    isAsync = mMenusAsync;
    if (mMenusAsync || mMenuChoice < 0)
      return nullptr;
    menu.SetChosenItemIdx(mMenuChoice);
    return &menu;
  }
  void PlatformResize(bool parentHasResized) override
  {
    ++mPlatformResizes;
    mLastPlatformResizeArg = parentHasResized;
  }

  // One text field the context asked the platform for.
  struct TextEntryRequest
  {
    int paramIdx;
    IRECT bounds;
    int length;
    std::string text;
  };
  // One menu the context asked the platform to show.
  struct MenuRequest
  {
    IPopupMenu* menu;
    IRECT bounds;
    int nItems;
  };

  bool mLogging = true;
  std::vector<std::string> mLog;
  int mBeginFrames = 0;
  int mEndFrames = 0;
  int mPathClears = 0;
  int mFills = 0;
  int mStrokes = 0;
  int mTransformSets = 0;
  int mClipRegions = 0;
  int mDrawResizes = 0;
  int mOpenCount = 0;
  int mCloseCount = 0;
  int mPlatformResizes = 0;
  bool mLastPlatformResizeArg = false;
  float mMouseX = 12.f;
  float mMouseY = 34.f;
  void* mWindow = nullptr;
  std::string mClipboard;
  std::vector<ECursor> mPlatformCursors;
  std::vector<TextEntryRequest> mTextEntries;
  std::vector<MenuRequest> mMenus;
  // The item the platform menu answers with at once; -1 dismisses it.
  int mMenuChoice = -1;
  // When set, menus answer later (through SetControlValueAfterPopupMenu).
  bool mMenusAsync = false;

  // Whether the pointer was hidden through the platform.
  bool PointerHidden() const { return mPointerHidden; }
  // Lets a test play the platform layer that hid the pointer.
  void SetPointerHidden(bool hidden) { mPointerHidden = hidden; }

private:
  void Log(const char* line)
  {
    if (mLogging)
      mLog.emplace_back(line);
  }
  void Log(const std::string& line)
  {
    if (mLogging)
      mLog.push_back(line);
  }
  void LogRect(const char* what, const IRECT& r, int a = 0, int b = 0)
  {
    if (mLogging)
      mLog.push_back(std::string(what) + " " + Num(r.L) + " " + Num(r.T) + " " + Num(r.R) + " " + Num(r.B) +
                     (a || b ? " " + std::to_string(a) + " " + std::to_string(b) : ""));
  }
  static std::string Num(float v)
  {
    char text[32];
    std::snprintf(text, sizeof(text), "%g", v);
    return text;
  }
};

// A control that records what reaches it: draws (with the clip it was drawn in), pointer events,
// keys, menu and text results.
class RecordingControl : public IControl
{
public:
  using IControl::IControl;

  void Draw(IGraphics& g) override
  {
    ++mDraws;
    mDrawClips.push_back(g.GetClipBounds());
    if (mOnDraw)
      mOnDraw(this);
  }
  bool IsOpaque() const override { return mOpaque; }
  void OnMouseDown(float x, float y, const IMouseMod& mod) override
  {
    mEvents.push_back("down " + Pos(x, y) + (mod.R ? " R" : ""));
    if (mOnEvent)
      mOnEvent(this);
    IControl::OnMouseDown(x, y, mod);
  }
  void OnMouseUp(float x, float y, const IMouseMod&) override
  {
    mEvents.push_back("up " + Pos(x, y));
    if (mOnEvent)
      mOnEvent(this);
  }
  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod&) override
  {
    mEvents.push_back("drag " + Pos(x, y) + " " + Pos(dX, dY));
  }
  void OnMouseDblClick(float x, float y, const IMouseMod& mod) override
  {
    mEvents.push_back("dblclick " + Pos(x, y));
    IControl::OnMouseDblClick(x, y, mod);
  }
  void OnMouseWheel(float x, float y, const IMouseMod&, float d) override
  {
    mEvents.push_back("wheel " + Pos(x, y) + " " + std::to_string(static_cast<int>(d)));
  }
  void OnMouseOver(float x, float y, const IMouseMod& mod) override
  {
    mEvents.push_back("over " + Pos(x, y));
    IControl::OnMouseOver(x, y, mod);
  }
  void OnMouseOut() override
  {
    mEvents.push_back("out");
    IControl::OnMouseOut();
  }
  bool OnKeyDown(float, float, const IKeyPress& key) override
  {
    mEvents.push_back("keydown " + std::to_string(key.VK));
    return mHandlesKeys;
  }
  bool OnKeyUp(float, float, const IKeyPress& key) override
  {
    mEvents.push_back("keyup " + std::to_string(key.VK));
    return mHandlesKeys;
  }
  void OnDrop(const char* str) override { mEvents.push_back(std::string("drop ") + str); }
  void CreateContextMenu(IPopupMenu& menu) override
  {
    for (const std::string& item : mContextItems)
      menu.AddItem(item.c_str());
  }
  void OnContextSelection(int item) override { mEvents.push_back("context " + std::to_string(item)); }
  void OnPopupMenuSelection(IPopupMenu* pMenu, int valIdx) override
  {
    mEvents.push_back("menu " + std::to_string(pMenu ? pMenu->GetChosenItemIdx() : -1) + " " + std::to_string(valIdx));
    IControl::OnPopupMenuSelection(pMenu, valIdx);
  }
  void OnTextEntryCompletion(const char* str, int valIdx) override
  {
    mEvents.push_back(std::string("text ") + str + " " + std::to_string(valIdx));
  }
  void OnMsgFromDelegate(int msgTag, int, const void*) override { mMessages.push_back(msgTag); }
  void OnMidi(const IMidiMsg& msg) override { mMidiStatus.push_back(msg.mStatus); }

  int mDraws = 0;
  std::vector<IRECT> mDrawClips;
  std::vector<std::string> mEvents;
  std::vector<std::string> mContextItems;
  bool mHandlesKeys = false;
  std::vector<int> mMessages;
  std::vector<int> mMidiStatus;
  // Runs inside Draw / inside OnMouseDown and OnMouseUp, for tests that act from a handler.
  std::function<void(RecordingControl*)> mOnDraw;
  bool mOpaque = false; // claims to cover its rectangle opaquely
  std::function<void(RecordingControl*)> mOnEvent;

private:
  static std::string Pos(float x, float y)
  {
    char text[48];
    std::snprintf(text, sizeof(text), "%g,%g", x, y);
    return text;
  }
};

// An editor delegate that records what the context tells the host.
class RecordingDelegate : public IGEditorDelegate
{
public:
  explicit RecordingDelegate(int nParams = 0) : IGEditorDelegate(nParams) {}

  void BeginInformHostOfParamChangeFromUI(int paramIdx) override { mHost.push_back("begin " + std::to_string(paramIdx)); }
  void SendParameterValueFromUI(int paramIdx, double value) override
  {
    char text[64];
    std::snprintf(text, sizeof(text), "set %d %g", paramIdx, value);
    mHost.push_back(text);
    IGEditorDelegate::SendParameterValueFromUI(paramIdx, value);
  }
  void EndInformHostOfParamChangeFromUI(int paramIdx) override { mHost.push_back("end " + std::to_string(paramIdx)); }
  bool EditorResizeFromUI(int width, int height, bool needsPlatformResize) override
  {
    mResizes.push_back({width, height});
    mLastNeedsPlatformResize = needsPlatformResize;
    return mResizeAnswer;
  }
  void SendMidiMsgFromUI(const IMidiMsg& msg) override { mMidi.push_back(msg); }
  void LayoutUI(IGraphics* pGraphics) override
  {
    ++mLayouts;
    IGEditorDelegate::LayoutUI(pGraphics);
  }

  std::vector<std::string> mHost;
  std::vector<std::pair<int, int>> mResizes;
  bool mLastNeedsPlatformResize = false;
  bool mResizeAnswer = true;
  std::vector<IMidiMsg> mMidi;
  int mLayouts = 0;
};

} // namespace iplug::igraphics
