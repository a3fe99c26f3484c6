#pragma once

namespace iplug::igraphics
{
class IGraphics;
}

// The editor's size in user units and its frame rate.
constexpr int kTidewellEditorWidth = 495;
constexpr int kTidewellEditorHeight = 220;
constexpr int kTidewellEditorFPS = 60;

// Fills a new graphics context with the skin, in this order: corner resizer (scale mode, opaque white,
// size 17), background, Duck switch, the Period, Random, Duration and Depth knobs, and the duck picture
// (tag 0, a knob with no parameter that the meter moves); then bounds the draw scale to 0.67..1.5.
// [main-thread]
void LayoutTidewellEditor(iplug::igraphics::IGraphics* pGraphics);
