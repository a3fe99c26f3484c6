#pragma once

#include "IColor.h"

// The enumerations of the graphics layer and its named colours. The named blends live beside IBlend
// (IBlend.h) and DEFAULT_TEXT beside IText (IText.h), because they need those types complete.
namespace iplug::igraphics {

// How a drawing operation composites onto what is already there.
enum EBlend : int
{
  kBlendSrcOver,
  kBlendSrcIn,
  kBlendSrcOut,
  kBlendSrcAtop,
  kBlendDstOver,
  kBlendDstIn,
  kBlendDstOut,
  kBlendDstAtop,
  kBlendAdd,
  kBlendXOR
};

// Pointer shapes a control may ask for; the platform layer maps them to native cursors.
enum ECursor : int
{
  kCursorArrow,
  kCursorIBeam,
  kCursorWait,
  kCursorCross,
  kCursorUpArrow,
  kCursorSizeNWSE,
  kCursorSizeNESW,
  kCursorSizeWE,
  kCursorSizeNS,
  kCursorSizeAll,
  kCursorNo,
  kCursorHand,
  kCursorAppStarting,
  kCursorHelp
};

// Orientation of sliders, strips and bubbles.
enum EDirection : int
{
  kDirectionVertical,
  kDirectionHorizontal
};

// The system's light or dark look.
enum EUIAppearance : int
{
  kAppearanceLight,
  kAppearanceDark
};

// What dragging the corner resizer changes.
enum EUIResizerMode : int
{
  kResizerScale, // the draw scale
  kResizerSize   // the logical size
};

// Horizontal placement of text in its rectangle.
enum ETextAlign : int
{
  kAlignNear, // left
  kAlignCenter,
  kAlignFar // right
};

// Vertical placement of text in its rectangle.
enum ETextVAlign : int
{
  kVAlignTop,
  kVAlignMiddle,
  kVAlignBottom
};

// Style of a platform font face.
enum ETextStyle : int
{
  kTextStyleNormal,
  kTextStyleBold,
  kTextStyleItalic
};

// Kind of paint held by an IPattern.
enum EPatternKind : int
{
  kPatternSolid,
  kPatternLinear,
  kPatternRadial
};

// What a gradient paints beyond its stops; an SVG spread method (pad 0, reflect 1, repeat 2) maps to its value + 1.
enum EPatternEdge : int
{
  kPatternEdgeNone,
  kPatternEdgePad,
  kPatternEdgeReflect,
  kPatternEdgeRepeat
};

// End shape of stroked lines.
enum EStrokeCap : int
{
  kCapButt,
  kCapRound,
  kCapSquare
};

// Corner shape of stroked paths.
enum EStrokeJoin : int
{
  kJoinMiter,
  kJoinRound,
  kJoinBevel
};

// Rule deciding which parts of a path are inside when filling.
enum EFillMode : int
{
  kFillNonZero,
  kFillEvenOdd,
  kFillPathWinding // keep the winding set on each path with PathSetWinding (SVG shapes)
};

// Direction in which an arc is traced.
enum EWinding : int
{
  kWindingCW,
  kWindingCCW
};

// Kinds of touch gesture; no recogniser on this platform delivers one, so they serve only as keys.
enum EGestureType : int
{
  kGestureUnknown,
  kGestureDoubleTap,
  kGestureTripleTap,
  kGestureLongPress1,
  kGestureLongPress2,
  kGestureSwipeLeft,
  kGestureSwipeRight,
  kGestureSwipeUp,
  kGestureSwipeDown,
  kGesturePinch,
  kGestureRotate
};

// Phase of a continuous gesture.
enum EGestureState : int
{
  kGestureStateUnknown,
  kGestureStateBegan,
  kGestureStateInProcess,
  kGestureStateEnded
};

// Buttons of a message box.
enum EMsgBoxType : int
{
  kMsgBoxOK = 0,
  kMsgBoxOKCancel = 1,
  kMsgBoxAbortRetryIgnore = 2,
  kMsgBoxYesNoCancel = 3,
  kMsgBoxYesNo = 4,
  kMsgBoxRetryCancel = 5
};

// The button that dismissed a message box.
enum EMsgBoxResult : int
{
  kNoResult = 0,
  kMsgResultOK = 1,
  kMsgResultCancel = 2,
  kMsgResultAbort = 3,
  kMsgResultRetry = 4,
  kMsgResultIgnore = 5,
  kMsgResultYes = 6,
  kMsgResultNo = 7
};

// What a file chooser is for.
enum EFileAction : int
{
  kFileOpen,
  kFileSave
};

// Named colours, (A, R, G, B).
inline constexpr IColor COLOR_TRANSPARENT(0, 0, 0, 0);
inline constexpr IColor COLOR_TRANSLUCENT(10, 0, 0, 0);
inline constexpr IColor COLOR_BLACK(255, 0, 0, 0);
inline constexpr IColor COLOR_BLACK_DROP_SHADOW(128, 0, 0, 0);
inline constexpr IColor COLOR_GRAY(255, 127, 127, 127);
inline constexpr IColor COLOR_LIGHT_GRAY(255, 240, 240, 240);
inline constexpr IColor COLOR_MID_GRAY(255, 200, 200, 200);
inline constexpr IColor COLOR_DARK_GRAY(255, 70, 70, 70);
inline constexpr IColor COLOR_WHITE(255, 255, 255, 255);
inline constexpr IColor COLOR_RED(255, 255, 0, 0);
inline constexpr IColor COLOR_GREEN(255, 0, 255, 0);
inline constexpr IColor COLOR_BLUE(255, 0, 0, 255);
inline constexpr IColor COLOR_YELLOW(255, 255, 255, 0);
inline constexpr IColor COLOR_ORANGE(255, 255, 127, 0);
inline constexpr IColor COLOR_INDIGO(255, 75, 0, 130);
inline constexpr IColor COLOR_VIOLET(255, 148, 0, 211);

// Default colours of controls and text.
inline constexpr IColor DEFAULT_BGCOLOR = COLOR_TRANSPARENT;
inline constexpr IColor DEFAULT_FGCOLOR = COLOR_MID_GRAY;
inline constexpr IColor DEFAULT_PRCOLOR = COLOR_LIGHT_GRAY;
inline constexpr IColor DEFAULT_FRCOLOR = COLOR_DARK_GRAY;
inline constexpr IColor DEFAULT_HLCOLOR = COLOR_TRANSLUCENT;
inline constexpr IColor DEFAULT_SHCOLOR(60, 0, 0, 0);
inline constexpr IColor DEFAULT_X1COLOR = COLOR_BLACK;
inline constexpr IColor DEFAULT_X2COLOR = COLOR_GREEN;
inline constexpr IColor DEFAULT_X3COLOR = COLOR_BLUE;
inline constexpr IColor DEFAULT_TEXT_FGCOLOR = COLOR_BLACK;
inline constexpr IColor DEFAULT_TEXTENTRY_BGCOLOR = COLOR_WHITE;
inline constexpr IColor DEFAULT_TEXTENTRY_FGCOLOR = COLOR_BLACK;

} // namespace iplug::igraphics
