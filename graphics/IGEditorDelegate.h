#pragma once

#include <functional>
#include <memory>

#include "IEditorDelegate.h"
#include "IGraphics.h"

namespace iplug::igraphics
{

// The editor delegate that owns a graphics context while the editor is open: it creates the context
// through the make-graphics callback, fills it through the layout callback, opens and closes its
// window, routes values and messages to its controls, and remembers the editor's size and scale
// across a close. Main thread only.
class IGEditorDelegate : public IEditorDelegate
{
public:
  // Makes a new graphics context (caller owns it), or null.
  using MakeGraphicsFunc = std::function<IGraphics*()>;
  // Attaches the product's controls to a new context.
  using LayoutGraphicsFunc = std::function<void(IGraphics* pGraphics)>;

  // A delegate for nParams parameters, with no editor open. [main-thread]
  explicit IGEditorDelegate(int nParams);
  // Destroys the graphics context, if open.
  ~IGEditorDelegate() override;

  // Creates the context when needed (re-applying a remembered size and scale) and opens its window; returns the native view or null.
  void* OpenWindow(void* pParent) override;
  // Remembers the size and scale, closes the window and destroys the context; ignored while a close runs.
  void CloseWindow() override;
  // Passes the display's scale on to the context.
  void SetScreenScale(float scale) override;
  // The control with ctrlTag, if any, takes the normalised value (clamped to 0..1) in its first slot; a value that
  // is not finite is ignored.
  void SendControlValueFromDelegate(int ctrlTag, double normalizedValue) override;
  // The control with ctrlTag, if any, gets the message.
  void SendControlMsgFromDelegate(int ctrlTag, int msgTag, int dataSize = 0, const void* pData = nullptr) override;
  // Every control slot linked to paramIdx takes the value (normalised here when it is real, clamped to the range);
  // then OnParamChangeUI. A value that is not finite is ignored altogether.
  void SendParameterValueFromDelegate(int paramIdx, double value, bool normalized) override;
  // Every control that wants MIDI gets the message; then OnMidiMsgUI.
  void SendMidiMsgFromDelegate(const IMidiMsg& msg) override;
  // Key handling of the open context at the pointer position; false when closed.
  bool OnKeyDown(const IKeyPress& key) override;
  bool OnKeyUp(const IKeyPress& key) override;
  // Appends width and height (int32) and draw scale (float32) of the open or last closed editor. Always true.
  bool SerializeEditorState(IByteChunk& chunk) const override;
  // Reads width, height and scale at startPos; returns startPos + 12, or -1 when the chunk is shorter.
  int UnserializeEditorState(const IByteChunk& chunk, int startPos) override;
  // The same as SerializeEditorState.
  bool SerializeEditorSize(IByteChunk& chunk) const;
  // The same as UnserializeEditorState.
  int UnserializeEditorSize(const IByteChunk& chunk, int startPos);

  // Calls the make-graphics callback; null when it is empty.
  virtual IGraphics* CreateGraphics();
  // Calls the layout callback with pGraphics when it is set.
  virtual void LayoutUI(IGraphics* pGraphics);

  // The open graphics context (owned here), or null while the editor is closed.
  IGraphics* GetUI() const { return mGraphics.get(); }

  // Set by the product's constructor; empty until then.
  MakeGraphicsFunc mMakeGraphicsFunc;
  LayoutGraphicsFunc mLayoutFunc;

private:
  std::unique_ptr<IGraphics> mGraphics;
  int mLastWidth = 0;
  int mLastHeight = 0;
  float mLastScale = 0.f;
  bool mClosing = false;
};

} // namespace iplug::igraphics
