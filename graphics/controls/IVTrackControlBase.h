#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "IControl.h"
#include "IVectorBase.h"

namespace iplug::igraphics
{

// Several values drawn as tracks side by side (one per value slot): each track has a background, a name,
// a handle filled from the bottom (or left) up to its value, and a peak. Multi-value controls such as the
// range slider build on it. Main thread.
class IVTrackControlBase : public IControl, public IVectorBase
{
public:
  // One track per listed parameter index; values snap to nSteps steps when nSteps > 0.
  IVTrackControlBase(const IRECT& bounds, const char* label, const IVStyle& style, std::initializer_list<int> params,
                     int nSteps = 0, EDirection direction = kDirectionVertical,
                     const std::vector<std::string>& trackNames = {});
  // maxNTracks unlinked tracks (at least one).
  IVTrackControlBase(const IRECT& bounds, const char* label, const IVStyle& style, int maxNTracks,
                     int nSteps = 0, EDirection direction = kDirectionVertical,
                     const std::vector<std::string>& trackNames = {});

  // Background, label, tracks, value.
  void Draw(IGraphics& g) override;
  // Every track.
  void DrawWidget(IGraphics& g) override;
  // Lays out the tracks in the widget area.
  void OnResize() override;
  // Highlights the track under the pointer.
  void OnMouseOver(float x, float y, const IMouseMod& mod) override;
  // Clears the highlight.
  void OnMouseOut() override;
  // The track containing (x, y), or -1.
  int GetValIdxForPos(float x, float y) const override;

  // Number of tracks.
  int NTracks() const { return static_cast<int>(mTrackBounds.size()); }
  // The rectangle of track idx (which must exist).
  const IRECT& GetTrackBounds(int idx) const { return mTrackBounds[static_cast<std::size_t>(idx)]; }
  // The track under the pointer, or -1.
  int GetHighlightedTrack() const { return mHighlightedTrack; }
  // Value of track idx as drawn: snapped to the steps when there are any.
  double GetDrawnValue(int idx) const;

protected:
  // Background of one track.
  virtual void DrawTrackBackground(IGraphics& g, const IRECT& r, int idx);
  // Name of one track, at its bottom.
  virtual void DrawTrackName(IGraphics& g, const IRECT& r, int idx);
  // The filled part of one track up to its value.
  virtual void DrawTrackHandle(IGraphics& g, const IRECT& r, int idx);
  // A mark at the track's value in the second extra colour.
  virtual void DrawPeak(IGraphics& g, const IRECT& r, int idx);
  // Cuts the widget area into the tracks.
  virtual void MakeTrackRects(const IRECT& bounds);

  std::vector<IRECT> mTrackBounds; // each track's rectangle, user units
  std::vector<std::string> mTrackNames; // each track's name
  EDirection mDirection; // direction of travel that raises a value
  int mNSteps; // steps a value snaps to; 0: continuous
  int mHighlightedTrack = -1; // the track drawn highlighted; -1: none
  float mTrackPadding = 1.f; // gap between tracks, user units
  float mPeakSize = 1.f; // thickness of the peak mark, user units
};

// Several handles on one track, one per value slot, kept in order: a handle cannot pass its neighbours.
// The span between consecutive handles is filled.
class IVRangeSliderControl : public IVTrackControlBase
{
public:
  // A range slider with one handle per listed parameter index; onlyHandle leaves out the track and spans.
  IVRangeSliderControl(const IRECT& bounds, std::initializer_list<int> params, const char* label = "",
                       const IVStyle& style = DEFAULT_STYLE, EDirection direction = kDirectionVertical,
                       bool onlyHandle = false, float handleSize = 8.f, float trackSize = 2.f);

  // Track, spans and handles.
  void DrawWidget(IGraphics& g) override;
  // One track over the whole widget area, less half a handle at each end.
  void OnResize() override;
  // Finds the handle under the pointer.
  void OnMouseOver(float x, float y, const IMouseMod& mod) override;
  // Clears the handle under the pointer.
  void OnMouseOut() override;
  // Picks the handle under the pointer and moves it there.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // Moves the picked handle, between its neighbours.
  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod) override;
  // Lets the handle go.
  void OnMouseUp(float x, float y, const IMouseMod& mod) override;
  // The handle at (x, y), or -1.
  int GetValIdxForPos(float x, float y) const override;

  // The rectangle of handle idx at its value.
  IRECT GetHandleBounds(int idx) const;
  // The handle under the pointer, or -1.
  int GetMouseOverHandle() const { return mMouseOverHandle; }
  // The handle being dragged, or -1.
  int GetDraggedHandle() const { return mMouseDownHandle; }

private:
  // Moves handle idx to the pointer, confined between the values of its neighbours.
  void MoveHandle(int idx, float x, float y);

  bool mOnlyHandle;
  float mHandleSize;
  int mMouseOverHandle = -1;
  int mMouseDownHandle = -1;
};

} // namespace iplug::igraphics
