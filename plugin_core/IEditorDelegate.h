#pragma once

#include <cstdint>

#include "IByteChunk.h"
#include "IParam.h"
#include "IPlugMidi.h"
#include "WDL_PtrList.h"

namespace iplug
{

struct IKeyPress;

// Who changed a parameter.
enum EParamSource
{
  kReset = 0,
  kHost = 1,
  kPresetRecall = 2,
  kUI = 3,
  kDelegate = 4,
};

// The interface through which an editor and the plug-in exchange parameter values, MIDI, SysEx and
// arbitrary messages. It owns the plug-in's parameters: one IParam per configured index, for the
// instance's life. Unless stated otherwise every call runs on the main thread.
class IEditorDelegate
{
public:
  // Creates nParams parameters in the none state, in index order.
  explicit IEditorDelegate(int nParams);
  virtual ~IEditorDelegate() = default;
  IEditorDelegate(const IEditorDelegate&) = delete;
  IEditorDelegate& operator=(const IEditorDelegate&) = delete;

  // Opens the editor in the host's parent view; returns the native view (owned by the editor) or null.
  virtual void* OpenWindow(void* pParent);
  // Closes the editor.
  virtual void CloseWindow();
  // The host resized the editor's parent window to width x height pixels.
  virtual void OnParentWindowResize(int /*width*/, int /*height*/) {}
  // The editor opened: sends every parameter value to it.
  virtual void OnUIOpen();
  // The editor is closing.
  virtual void OnUIClose() {}
  // A parameter changed; sampleOffset is -1 when not from audio. Runs on the changing thread; calls OnParamChange(paramIdx).
  virtual void OnParamChange(int paramIdx, EParamSource source, int sampleOffset = -1);
  // The product's hook for a parameter change; runs on whichever thread made the change.
  virtual void OnParamChange(int /*paramIdx*/) {}
  // A parameter change is to be shown by the editor.
  virtual void OnParamChangeUI(int /*paramIdx*/, EParamSource /*source*/) {}
  // Calls OnParamChange(i, source, -1) then OnParamChangeUI(i, source) for every parameter in index order.
  virtual void OnParamReset(EParamSource source);
  // A MIDI message reached the editor side.
  virtual void OnMidiMsgUI(const IMidiMsg& /*msg*/) {}
  // A SysEx message reached the editor side; its bytes are valid during the call only.
  virtual void OnSysexMsgUI(const ISysEx& /*msg*/) {}
  // An arbitrary message (ctrlTag -1 when not for a control); returns whether it was handled.
  virtual bool OnMessage(int /*msgTag*/, int /*ctrlTag*/, int /*dataSize*/, const void* /*pData*/) { return false; }
  // State was restored: sends every parameter value to the editor.
  virtual void OnRestoreState();
  // A key went down while the editor had focus; returns whether it was handled.
  virtual bool OnKeyDown(const IKeyPress& /*key*/) { return false; }
  // A key went up while the editor had focus; returns whether it was handled.
  virtual bool OnKeyUp(const IKeyPress& /*key*/) { return false; }

  // Sets the control with ctrlTag to a normalised value.
  virtual void SendControlValueFromDelegate(int /*ctrlTag*/, double /*normalizedValue*/) {}
  // Sends a message to the control with ctrlTag; calls OnMessage(msgTag, ctrlTag, dataSize, pData).
  virtual void SendControlMsgFromDelegate(int ctrlTag, int msgTag, int dataSize = 0, const void* pData = nullptr);
  // Sends a message to the editor; calls OnMessage(msgTag, -1, dataSize, pData).
  virtual void SendArbitraryMsgFromDelegate(int msgTag, int dataSize = 0, const void* pData = nullptr);
  // Sends a MIDI message to the editor; calls OnMidiMsgUI.
  virtual void SendMidiMsgFromDelegate(const IMidiMsg& msg);
  // Sends a SysEx message to the editor; calls OnSysexMsgUI.
  virtual void SendSysexMsgFromDelegate(const ISysEx& msg);
  // Sends a parameter value (real, or normalised when normalized) to the editor; calls OnParamChangeUI(paramIdx, kDelegate).
  virtual void SendParameterValueFromDelegate(int paramIdx, double value, bool normalized);

  // The editor asks the host to re-read every parameter.
  virtual void DirtyParametersFromUI() {}
  // The user starts changing a parameter (gesture begin).
  virtual void BeginInformHostOfParamChangeFromUI(int /*paramIdx*/) {}
  // The user set a parameter to a normalised value: stores it and calls OnParamChangeUI(paramIdx, kUI).
  virtual void SendParameterValueFromUI(int paramIdx, double normalizedValue);
  // The user stopped changing a parameter (gesture end).
  virtual void EndInformHostOfParamChangeFromUI(int /*paramIdx*/) {}
  // The editor wants to be width x height pixels; returns whether that is possible.
  virtual bool EditorResizeFromUI(int /*width*/, int /*height*/, bool /*needsPlatformResize*/) { return false; }
  // The editor sends MIDI towards the audio side.
  virtual void SendMidiMsgFromUI(const IMidiMsg& /*msg*/) {}
  // The editor sends SysEx towards the audio side.
  virtual void SendSysexMsgFromUI(const ISysEx& /*msg*/) {}
  // The editor sends an arbitrary message to the plug-in.
  virtual void SendArbitraryMsgFromUI(int /*msgTag*/, int /*ctrlTag*/ = -1, int /*dataSize*/ = 0, const void* /*pData*/ = nullptr) {}
  // Queues MIDI from the editor for the audio thread.
  virtual void DeferMidiMsg(const IMidiMsg& /*msg*/) {}
  // Queues SysEx from the editor for the audio thread (at most 512 bytes are kept).
  virtual void DeferSysexMsg(const ISysEx& /*msg*/) {}
  // Appends the editor's state to chunk; returns success.
  virtual bool SerializeEditorState(IByteChunk& /*chunk*/) const { return true; }
  // Reads the editor's state at startPos; returns the next position or -1.
  virtual int UnserializeEditorState(const IByteChunk& /*chunk*/, int startPos) { return startPos; }
  // The screen's backing scale changed (1 or 2).
  virtual void SetScreenScale(float /*scale*/) {}

  // The parameter at paramIdx (owned here), or null when out of range. Any thread.
  IParam* GetParam(int paramIdx) const { return mParams.Get(paramIdx); }
  // Number of parameters.
  int NParams() const { return mParams.GetSize(); }
  // Editor size in pixels.
  int GetEditorWidth() const { return mEditorWidth; }
  int GetEditorHeight() const { return mEditorHeight; }
  // Editor size limits in pixels.
  int GetMinWidth() const { return mMinWidth; }
  int GetMaxWidth() const { return mMaxWidth; }
  int GetMinHeight() const { return mMinHeight; }
  int GetMaxHeight() const { return mMaxHeight; }
  // Sets the editor size in pixels.
  void SetEditorSize(int width, int height);
  // Sets the editor size limits; each minimum becomes the smaller and each maximum the larger of its pair.
  void SetSizeConstraints(int widthLo, int widthHi, int heightLo, int heightHi);

private:
  WDL_PtrList_DeleteOnDestroy<IParam> mParams;
  int mEditorWidth = 0;
  int mEditorHeight = 0;
  int mMinWidth = 10;
  int mMaxWidth = 100000;
  int mMinHeight = 10;
  int mMaxHeight = 100000;
};

} // namespace iplug
