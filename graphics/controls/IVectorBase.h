#pragma once

#include <array>
#include <initializer_list>

#include "IControl.h"

namespace iplug::igraphics
{

// Roles of the nine colours of a vector control, in IVColorSpec order.
enum EVColor : int
{
  kBG,  // background
  kFG,  // foreground (widget fill)
  kPR,  // pressed
  kFR,  // frame
  kHL,  // highlight (mouse-over)
  kSH,  // shadow
  kX1,  // extra 1 (tracks)
  kX2,  // extra 2
  kX3,  // extra 3
  kNumVColors
};

// Shape of a pressable widget.
enum EVShape : int
{
  kVShapeRectangle,  // rectangle with every corner rounded by the style's roundness
  kVShapeEllipse,    // ellipse inscribed in the bounds
  kVShapeTriangle,   // triangle inscribed in the bounds, turned by the style's angle
  kVShapeTopRounded, // rectangle with only the top corners rounded by the style's roundness
  kVShapeAllRounded  // rectangle whose corners are fully rounded (ends are half circles)
};

// The nine colours of a vector control, by role (EVColor). Copied by value.
struct IVColorSpec
{
  std::array<IColor, kNumVColors> mColors; // colours indexed by EVColor

  // The default colours (DEFAULT_BGCOLOR ... DEFAULT_X3COLOR).
  IVColorSpec();
  // The given colours fill the roles from kBG on; roles not given keep their defaults; colours past the ninth are ignored.
  IVColorSpec(std::initializer_list<IColor> colors);

  // The colour of role (a role out of range gives the background).
  const IColor& GetColor(EVColor role) const;
  // Replaces the colour of role; nothing for a role out of range.
  void SetColor(EVColor role, const IColor& color);
  // Puts every role back to its default.
  void ResetColors();
  // Field-wise equality.
  bool operator==(const IVColorSpec&) const = default;
};

// The default colour of role, as listed in the colour table (COLOR_TRANSPARENT for a role out of range).
IColor GetDefaultColor(EVColor role);

// The default colours.
inline const IVColorSpec DEFAULT_COLOR_SPEC;

// DEFAULT_TEXT at size 22, aligned to the top of its rectangle: labels.
inline const IText DEFAULT_LABEL_TEXT(22.f, kVAlignTop);
// DEFAULT_TEXT at size 17, aligned to the bottom of its rectangle: values.
inline const IText DEFAULT_VALUE_TEXT(DEFAULT_TEXT_SIZE, kVAlignBottom);

// The look of a vector control: flags, geometry, colours and the two text styles. Copied by value.
struct IVStyle
{
  bool hideCursor = true;                    // knobs hide and lock the cursor while dragging
  bool showLabel = true;                     // draw the label area
  bool showValue = true;                     // draw the value area
  bool drawFrame = true;                     // outline pressable shapes
  bool drawShadows = true;                   // draw a shadow under pressable shapes
  bool emboss = false;                       // shade pressable shapes with an embossed edge
  float roundness = 0.f;                     // corner rounding, 0-1 of the smaller half-side (clamped)
  float frameThickness = 1.f;                // outline width in user units
  float shadowOffset = 3.f;                  // shadow displacement in user units
  float widgetFrac = 1.f;                    // share of the free area given to the widget, 0-1 (clamped)
  float angle = 0.f;                         // rotation of triangle shapes in degrees, clockwise
  IVColorSpec colorSpec = DEFAULT_COLOR_SPEC; // colours by role
  IText labelText = DEFAULT_LABEL_TEXT;      // style of the label
  IText valueText = DEFAULT_VALUE_TEXT;      // style of the value

  // Copy with the label shown or not.
  IVStyle WithShowLabel(bool show) const;
  // Copy with the value shown or not.
  IVStyle WithShowValue(bool show) const;
  // Copy with frames drawn or not.
  IVStyle WithDrawFrame(bool draw) const;
  // Copy with shadows drawn or not.
  IVStyle WithDrawShadows(bool draw) const;
  // Copy with embossing on or off.
  IVStyle WithEmboss(bool emboss) const;
  // Copy with another corner roundness (clamped to 0-1).
  IVStyle WithRoundness(float roundness) const;
  // Copy with another frame thickness (at least 0).
  IVStyle WithFrameThickness(float thickness) const;
  // Copy with another shadow offset.
  IVStyle WithShadowOffset(float offset) const;
  // Copy with another widget fraction (clamped to 0-1).
  IVStyle WithWidgetFrac(float frac) const;
  // Copy with another triangle angle in degrees.
  IVStyle WithAngle(float angle) const;
  // Copy with one colour replaced.
  IVStyle WithColor(EVColor role, const IColor& color) const;
  // Copy with every colour replaced.
  IVStyle WithColors(const IVColorSpec& colors) const;
  // Copy with another label text style.
  IVStyle WithLabelText(const IText& text) const;
  // Copy with another value text style.
  IVStyle WithValueText(const IText& text) const;
  // Copy with cursor hiding on or off.
  IVStyle WithHideCursor(bool hide) const;
};

// The default look.
inline const IVStyle DEFAULT_STYLE;

// The shared half of every vector control: its style, label and value strings, the layout of the label,
// widget and value areas inside the control, and the drawing steps the controls share. A vector control
// derives from IControl (or a behaviour base) first and from IVectorBase second, and hands itself over with
// AttachIControl in its constructor. Main thread.
class IVectorBase
{
public:
  // A vector look with style; labelInWidget and valueInWidget draw those texts over the widget.
  IVectorBase(const IVStyle& style, bool labelInWidget = false, bool valueInWidget = false);
  virtual ~IVectorBase() = default;
  IVectorBase(const IVectorBase&) = delete;
  IVectorBase& operator=(const IVectorBase&) = delete;

  // Links the control this look belongs to (not owned) and sets the label string (null: none).
  void AttachIControl(IControl* pControl, const char* label);

  // Copies the whole style, then lays the control out again (when attached) and redraws it.
  virtual void SetStyle(const IVStyle& style);
  // Fills r with the background colour, in the control's blend.
  virtual void DrawBackground(IGraphics& g, const IRECT& r);
  // Draws the widget; nothing in the base.
  virtual void DrawWidget(IGraphics& /*g*/) {}
  // Draws the label string in the label area, when there is one to show.
  virtual void DrawLabel(IGraphics& g);
  // Shades the value area while the pointer is over it, then draws the value string when shown.
  virtual void DrawValue(IGraphics& g, bool mouseOver);
  // Draws a pressable widget of shape in bounds: shadow or pressed fill, splash, highlight and frame.
  virtual void DrawPressableShape(IGraphics& g, EVShape shape, const IRECT& bounds, bool pressed, bool mouseOver,
                                  bool disabled);

  // A pressable ellipse inscribed in bounds.
  void DrawPressableEllipse(IGraphics& g, const IRECT& bounds, bool pressed, bool mouseOver, bool disabled);
  // A pressable triangle inscribed in bounds, turned by angle degrees.
  void DrawPressableTriangle(IGraphics& g, const IRECT& bounds, bool pressed, bool mouseOver, float angle,
                             bool disabled);
  // A pressable rectangle whose flagged corners (top-left, top-right, bottom-left, bottom-right) get the radius.
  void DrawPressableRectangle(IGraphics& g, const IRECT& bounds, bool pressed, bool mouseOver, bool disabled,
                              bool roundTopLeft = true, bool roundTopRight = true, bool roundBottomLeft = true,
                              bool roundBottomRight = true, float cornerRadius = -1.f);
  // The click splash: a circle in the highlight colour at the splash point, clipped to clipRegion.
  void DrawSplash(IGraphics& g, const IRECT& clipRegion);
  // Lays out the label, widget and value areas inside parent; returns the widget area (inset for a handle's
  // frame and shadow when hasHandle).
  IRECT MakeRects(const IRECT& parent, bool hasHandle = false);

  // The style.
  const IVStyle& GetStyle() const { return mStyle; }
  // The colour of role.
  const IColor& GetColor(EVColor role) const { return mStyle.colorSpec.GetColor(role); }
  // Replaces the colour of role; redraws.
  void SetColor(EVColor role, const IColor& color);
  // Replaces every colour; redraws.
  void SetColors(const IVColorSpec& colors);
  // Replaces the label string (null: none), lays the control out again and redraws.
  void SetLabelStr(const char* label);
  // Replaces the value string (null: none); redraws.
  void SetValueStr(const char* value);
  // The label string.
  const char* GetLabelStr() const { return mLabelStr.Get(); }
  // The value string.
  const char* GetValueStr() const { return mValueStr.Get(); }
  // Replaces the widget shape; redraws.
  void SetShape(EVShape shape);
  // The widget shape.
  EVShape GetShape() const { return mShape; }
  // Draws the label over the widget (true) or above it; lays out again.
  void SetLabelInWidget(bool inWidget);
  // Draws the value over the widget (true) or below it; lays out again.
  void SetValueInWidget(bool inWidget);
  // Stores the centre of the click splash in user units.
  void SetSplashPoint(float x, float y);
  // Sets the splash radius from the animation progress (0-1).
  void SetSplashRadius(float progress);
  // Current splash radius in user units.
  float GetSplashRadius() const { return mSplashRadius; }
  // Largest splash radius in user units.
  float GetMaxSplashRadius() const { return mMaxSplashRadius; }
  // The widget area from the last layout.
  const IRECT& GetWidgetBounds() const { return mWidgetBounds; }
  // The label area from the last layout (empty when none).
  const IRECT& GetLabelBounds() const { return mLabelBounds; }
  // The value area from the last layout.
  const IRECT& GetValueBounds() const { return mValueBounds; }
  // Width of a track in user units.
  float GetTrackSize() const { return mTrackSize; }

protected:
  // The corner radius of a pressable rectangle in bounds: roundness x half the smaller side.
  float RoundnessRadius(const IRECT& bounds) const;
  // The control's blend, at weight 0.25 when disabled.
  IBlend ShapeBlend(bool disabled) const;
  // Lays the control out again and redraws, once attached.
  void Relayout();
  // Whether a click splash is running on the control.
  bool SplashRunning() const;

  IControl* mControl = nullptr; // the control this base belongs to; not owned
  IVStyle mStyle; // the look
  bool mLabelInWidget = false; // the label is drawn inside the widget area
  bool mValueInWidget = false; // the value is drawn inside the widget area
  float mSplashRadius = 0.f; // radius of the running click splash, user units
  float mSplashX = 0.f; // x of the click splash, user units
  float mSplashY = 0.f; // y of the click splash, user units
  float mMaxSplashRadius = 50.f; // radius the splash grows to, user units
  float mTrackSize = 2.f; // thickness of tracks and arcs, user units
  float mValueDisplayFrac = 0.66f; // share of the value area's width the value text may take
  IRECT mWidgetBounds; // where the widget is drawn, user units
  IRECT mLabelBounds; // where the label is drawn, user units
  IRECT mValueBounds; // where the value is drawn, user units
  WDL_String mLabelStr; // the label; empty: none
  WDL_String mValueStr; // the value text shown
  EVShape mShape = kVShapeRectangle; // shape of buttons and handles
};

// Click action of vector controls: splashes from the last press position and animates for 100 ms.
void SplashClickActionFunc(IControl* pCaller);
// Animation of the click splash: grows the splash radius, ending the animation once its time is up.
void SplashAnimationFunc(IControl* pCaller);

// The rectangle of width x height centred on the centre of r.
IRECT CentredRect(const IRECT& r, float width, float height);
// The largest square (side at least 1) centred in r.
IRECT CentredSquare(const IRECT& r);
// r scaled by frac about its centre.
IRECT ScaledAboutCentre(const IRECT& r, float frac);
// Cell idx of n equal cells cutting r along dir (horizontal: left to right; vertical: top to bottom).
IRECT SubRect(const IRECT& r, EDirection dir, int n, int idx);

} // namespace iplug::igraphics
