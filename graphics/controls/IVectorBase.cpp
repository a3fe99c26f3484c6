#include "IVectorBase.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "IGraphics.h"

namespace iplug::igraphics
{

namespace
{

constexpr std::array<IColor, kNumVColors> kDefaultColors = {DEFAULT_BGCOLOR, DEFAULT_FGCOLOR, DEFAULT_PRCOLOR,
                                                            DEFAULT_FRCOLOR, DEFAULT_HLCOLOR, DEFAULT_SHCOLOR,
                                                            DEFAULT_X1COLOR, DEFAULT_X2COLOR, DEFAULT_X3COLOR};

bool ValidRole(EVColor role)
{
  return role >= 0 && role < kNumVColors;
}

// Adds the outline of one pressable shape at r to the current path.
using ShapePath = std::function<void(IGraphics& g, const IRECT& r)>;

// The size of str in text; an empty string measures nothing (0 x 0).
IRECT MeasureStr(const IGraphics& g, const IText& text, const char* str)
{
  IRECT r;
  if (str && str[0])
    g.MeasureText(text, str, r);
  return IRECT(0.f, 0.f, r.W(), r.H());
}

} // namespace

IVColorSpec::IVColorSpec() : mColors(kDefaultColors) {}

IVColorSpec::IVColorSpec(std::initializer_list<IColor> colors) : mColors(kDefaultColors)
{
  std::size_t i = 0;
  for (const IColor& color : colors)
  {
    if (i == mColors.size())
      break;
    mColors[i++] = color;
  }
}

const IColor& IVColorSpec::GetColor(EVColor role) const
{
  return mColors[ValidRole(role) ? static_cast<std::size_t>(role) : 0];
}

void IVColorSpec::SetColor(EVColor role, const IColor& color)
{
  if (ValidRole(role))
    mColors[static_cast<std::size_t>(role)] = color;
}

void IVColorSpec::ResetColors()
{
  mColors = kDefaultColors;
}

IColor GetDefaultColor(EVColor role)
{
  return ValidRole(role) ? kDefaultColors[static_cast<std::size_t>(role)] : COLOR_TRANSPARENT;
}

namespace
{
// A copy of style with one field replaced: what every With... call below does.
template <class T>
IVStyle WithField(const IVStyle& style, T IVStyle::*field, const T& value)
{
  IVStyle s(style);
  s.*field = value;
  return s;
}
} // namespace

IVStyle IVStyle::WithShowLabel(bool show) const
{
  return WithField(*this, &IVStyle::showLabel, show);
}

IVStyle IVStyle::WithShowValue(bool show) const
{
  return WithField(*this, &IVStyle::showValue, show);
}

IVStyle IVStyle::WithDrawFrame(bool draw) const
{
  return WithField(*this, &IVStyle::drawFrame, draw);
}

IVStyle IVStyle::WithDrawShadows(bool draw) const
{
  return WithField(*this, &IVStyle::drawShadows, draw);
}

IVStyle IVStyle::WithEmboss(bool emboss) const
{
  return WithField(*this, &IVStyle::emboss, emboss);
}

IVStyle IVStyle::WithRoundness(float roundness) const
{
  return WithField(*this, &IVStyle::roundness, std::clamp(roundness, 0.f, 1.f));
}

IVStyle IVStyle::WithFrameThickness(float thickness) const
{
  return WithField(*this, &IVStyle::frameThickness, std::max(thickness, 0.f));
}

IVStyle IVStyle::WithShadowOffset(float offset) const
{
  return WithField(*this, &IVStyle::shadowOffset, offset);
}

IVStyle IVStyle::WithWidgetFrac(float frac) const
{
  return WithField(*this, &IVStyle::widgetFrac, std::clamp(frac, 0.f, 1.f));
}

IVStyle IVStyle::WithAngle(float angle) const
{
  return WithField(*this, &IVStyle::angle, angle);
}

IVStyle IVStyle::WithColor(EVColor role, const IColor& color) const
{
  IVStyle s(*this);
  s.colorSpec.SetColor(role, color);
  return s;
}

IVStyle IVStyle::WithColors(const IVColorSpec& colors) const
{
  return WithField(*this, &IVStyle::colorSpec, colors);
}

IVStyle IVStyle::WithLabelText(const IText& text) const
{
  return WithField(*this, &IVStyle::labelText, text);
}

IVStyle IVStyle::WithValueText(const IText& text) const
{
  return WithField(*this, &IVStyle::valueText, text);
}

IVStyle IVStyle::WithHideCursor(bool hide) const
{
  return WithField(*this, &IVStyle::hideCursor, hide);
}

IRECT CentredRect(const IRECT& r, float width, float height)
{
  return IRECT(r.MW() - width / 2.f, r.MH() - height / 2.f, r.MW() + width / 2.f, r.MH() + height / 2.f);
}

IRECT CentredSquare(const IRECT& r)
{
  const float side = std::max(std::min(r.W(), r.H()), 1.f);
  return CentredRect(r, side, side);
}

IRECT ScaledAboutCentre(const IRECT& r, float frac)
{
  return CentredRect(r, r.W() * frac, r.H() * frac);
}

IRECT SubRect(const IRECT& r, EDirection dir, int n, int idx)
{
  if (n < 1)
    return r;
  if (dir == kDirectionHorizontal)
  {
    const float w = r.W() / static_cast<float>(n);
    return IRECT(r.L + w * static_cast<float>(idx), r.T, r.L + w * static_cast<float>(idx + 1), r.B);
  }
  const float h = r.H() / static_cast<float>(n);
  return IRECT(r.L, r.T + h * static_cast<float>(idx), r.R, r.T + h * static_cast<float>(idx + 1));
}

IVectorBase::IVectorBase(const IVStyle& style, bool labelInWidget, bool valueInWidget)
  : mStyle(style)
  , mLabelInWidget(labelInWidget)
  , mValueInWidget(valueInWidget)
{
}

void IVectorBase::AttachIControl(IControl* pControl, const char* label)
{
  mControl = pControl;
  mLabelStr.Set(label ? label : "");
}

void IVectorBase::Relayout()
{
  if (mControl && mControl->GetUI())
    mControl->OnResize();
  if (mControl)
    mControl->SetDirty(false);
}

void IVectorBase::SetStyle(const IVStyle& style)
{
  mStyle = style;
  Relayout();
}

void IVectorBase::SetColor(EVColor role, const IColor& color)
{
  mStyle.colorSpec.SetColor(role, color);
  if (mControl)
    mControl->SetDirty(false);
}

void IVectorBase::SetColors(const IVColorSpec& colors)
{
  mStyle.colorSpec = colors;
  if (mControl)
    mControl->SetDirty(false);
}

void IVectorBase::SetLabelStr(const char* label)
{
  mLabelStr.Set(label ? label : "");
  Relayout();
}

void IVectorBase::SetValueStr(const char* value)
{
  mValueStr.Set(value ? value : "");
  if (mControl)
    mControl->SetDirty(false);
}

void IVectorBase::SetShape(EVShape shape)
{
  mShape = shape;
  if (mControl)
    mControl->SetDirty(false);
}

void IVectorBase::SetLabelInWidget(bool inWidget)
{
  mLabelInWidget = inWidget;
  Relayout();
}

void IVectorBase::SetValueInWidget(bool inWidget)
{
  mValueInWidget = inWidget;
  Relayout();
}

void IVectorBase::SetSplashPoint(float x, float y)
{
  mSplashX = x;
  mSplashY = y;
}

void IVectorBase::SetSplashRadius(float progress)
{
  mSplashRadius = std::clamp(progress, 0.f, 1.f) * mMaxSplashRadius;
}

bool IVectorBase::SplashRunning() const
{
  return mSplashRadius > 0.f && mControl && mControl->GetAnimationFunction();
}

float IVectorBase::RoundnessRadius(const IRECT& bounds) const
{
  return std::clamp(mStyle.roundness, 0.f, 1.f) * std::min(bounds.W(), bounds.H()) / 2.f;
}

IBlend IVectorBase::ShapeBlend(bool disabled) const
{
  IBlend blend = mControl ? mControl->GetBlend() : IBlend();
  if (disabled)
    blend.mWeight = 0.25f;
  return blend;
}

void IVectorBase::DrawBackground(IGraphics& g, const IRECT& r)
{
  const IBlend blend = ShapeBlend(false);
  g.FillRect(GetColor(kBG), r, &blend);
}

void IVectorBase::DrawLabel(IGraphics& g)
{
  if (mLabelBounds.H() == 0.f || !mStyle.showLabel || mLabelStr.GetLength() == 0)
    return;
  // Over the widget the label sits in its middle, whatever the style's alignment above a widget.
  const IText text = mLabelInWidget ? mStyle.labelText.WithVAlign(kVAlignMiddle) : mStyle.labelText;
  const IBlend blend = ShapeBlend(false);
  g.DrawText(text, mLabelStr.Get(), mLabelBounds, &blend);
}

void IVectorBase::DrawValue(IGraphics& g, bool mouseOver)
{
  const IBlend blend = ShapeBlend(false);
  if (mouseOver)
    g.FillRect(COLOR_TRANSLUCENT, mValueBounds, &blend);
  if (!mStyle.showValue || mValueStr.GetLength() == 0)
    return;
  const IText text = mValueInWidget ? mStyle.valueText.WithVAlign(kVAlignMiddle) : mStyle.valueText;
  g.DrawText(text, mValueStr.Get(), mValueBounds, &blend);
}

void IVectorBase::DrawSplash(IGraphics& g, const IRECT& clipRegion)
{
  g.PathClipRegion(clipRegion);
  g.FillCircle(GetColor(kHL), mSplashX, mSplashY, mSplashRadius);
  g.PathClipRegion();
}

namespace
{

// The layers of one pressable shape, from shadow to frame. path adds the shape at a rectangle.
void DrawPressable(IGraphics& g, const IVStyle& style, const IRECT& bounds, bool pressed, bool mouseOver,
                   const IBlend& blend, const ShapePath& path, const std::function<void(const IRECT&)>& splash)
{
  const IRECT r = style.drawFrame ? bounds.GetPadded(-style.frameThickness / 2.f) : bounds;
  const IVColorSpec& c = style.colorSpec;
  const auto fill = [&](const IRECT& at, const IPattern& pattern) {
    g.PathClear();
    path(g, at);
    g.PathFill(pattern, IFillOptions(), &blend);
  };

  if (pressed)
    fill(r, IPattern(c.GetColor(kPR)));
  else
  {
    if (style.drawShadows)
    {
      const float o = style.shadowOffset;
      fill(IRECT(r.L + o, r.T + o, r.R + o, r.B + o), IPattern(c.GetColor(kSH)));
    }
    fill(r, IPattern(c.GetColor(kFG)));
  }

  if (style.emboss)
  {
    // Light falls from the top: raised shapes are lit above and shaded below, pressed ones the other way.
    const IColor light(pressed ? 60 : 90, 255, 255, 255);
    const IColor dark(pressed ? 90 : 60, 0, 0, 0);
    const IColor& top = pressed ? dark : light;
    const IColor& bottom = pressed ? light : dark;
    fill(r, IPattern::CreateLinearGradient(r.L, r.T, r.L, r.B, {{top, 0.f}, {COLOR_TRANSPARENT, 0.5f}, {bottom, 1.f}}));
  }

  splash(r);

  if (mouseOver)
    fill(r, IPattern(c.GetColor(kHL)));

  if (style.drawFrame && style.frameThickness > 0.f)
  {
    g.PathClear();
    path(g, r);
    g.PathStroke(IPattern(c.GetColor(kFR)), style.frameThickness, IStrokeOptions(), &blend);
  }
}

} // namespace

void IVectorBase::DrawPressableEllipse(IGraphics& g, const IRECT& bounds, bool pressed, bool mouseOver, bool disabled)
{
  const IBlend blend = ShapeBlend(disabled);
  DrawPressable(g, mStyle, bounds, pressed, mouseOver, blend,
                [](IGraphics& gr, const IRECT& r) { gr.PathEllipse(r); },
                [&](const IRECT& r) {
                  if (SplashRunning())
                    DrawSplash(g, r);
                });
}

void IVectorBase::DrawPressableTriangle(IGraphics& g, const IRECT& bounds, bool pressed, bool mouseOver, float angle,
                                        bool disabled)
{
  const IBlend blend = ShapeBlend(disabled);
  const auto triangle = [angle](IGraphics& gr, const IRECT& r) {
    // Vertices on the inscribed circle, the first at angle (0 points up), then every 120 degrees.
    const float radius = std::min(r.W(), r.H()) / 2.f;
    float x[3];
    float y[3];
    for (int i = 0; i < 3; ++i)
    {
      const double theta = (angle + 120.0 * i - 90.0) * M_PI / 180.0;
      x[i] = r.MW() + radius * static_cast<float>(std::cos(theta));
      y[i] = r.MH() + radius * static_cast<float>(std::sin(theta));
    }
    gr.PathTriangle(x[0], y[0], x[1], y[1], x[2], y[2]);
  };
  DrawPressable(g, mStyle, bounds, pressed, mouseOver, blend, triangle, [&](const IRECT& r) {
    if (SplashRunning())
      DrawSplash(g, r);
  });
}

void IVectorBase::DrawPressableRectangle(IGraphics& g, const IRECT& bounds, bool pressed, bool mouseOver,
                                         bool disabled, bool roundTopLeft, bool roundTopRight, bool roundBottomLeft,
                                         bool roundBottomRight, float cornerRadius)
{
  const IBlend blend = ShapeBlend(disabled);
  const float radius = cornerRadius >= 0.f ? cornerRadius : RoundnessRadius(bounds);
  const auto rectangle = [=](IGraphics& gr, const IRECT& r) {
    const float rad = std::min(radius, std::min(r.W(), r.H()) / 2.f);
    gr.PathRoundRect(r, roundTopLeft ? rad : 0.f, roundTopRight ? rad : 0.f, roundBottomLeft ? rad : 0.f,
                     roundBottomRight ? rad : 0.f);
  };
  DrawPressable(g, mStyle, bounds, pressed, mouseOver, blend, rectangle, [&](const IRECT& r) {
    if (SplashRunning())
      DrawSplash(g, r);
  });
}

void IVectorBase::DrawPressableShape(IGraphics& g, EVShape shape, const IRECT& bounds, bool pressed, bool mouseOver,
                                     bool disabled)
{
  switch (shape)
  {
  case kVShapeEllipse: DrawPressableEllipse(g, bounds, pressed, mouseOver, disabled); break;
  case kVShapeTriangle: DrawPressableTriangle(g, bounds, pressed, mouseOver, mStyle.angle, disabled); break;
  case kVShapeTopRounded: DrawPressableRectangle(g, bounds, pressed, mouseOver, disabled, true, true, false, false); break;
  case kVShapeAllRounded:
    DrawPressableRectangle(g, bounds, pressed, mouseOver, disabled, true, true, true, true,
                           std::min(bounds.W(), bounds.H()) / 2.f);
    break;
  case kVShapeRectangle:
  default: DrawPressableRectangle(g, bounds, pressed, mouseOver, disabled); break;
  }
}

IRECT IVectorBase::MakeRects(const IRECT& parent, bool hasHandle)
{
  IRECT free = parent;
  const IGraphics* pGraphics = mControl ? mControl->GetUI() : nullptr;

  mLabelBounds = IRECT();
  if (!mLabelInWidget && mStyle.showLabel && mLabelStr.GetLength() > 0 && pGraphics)
  {
    const IRECT size = MeasureStr(*pGraphics, mStyle.labelText, mLabelStr.Get());
    const float w = std::max(size.W(), 1.f);
    mLabelBounds = IRECT(parent.MW() - w / 2.f, parent.T, parent.MW() + w / 2.f, parent.T + size.H());
    free.T = std::min(mLabelBounds.B, free.B);
  }

  if (!mStyle.showValue || mValueInWidget || !pGraphics)
  {
    mWidgetBounds = free;
    mValueBounds = free;
  }
  else
  {
    const IRECT size = MeasureStr(*pGraphics, mStyle.valueText, mValueStr.Get());
    const float halfW = size.W() * mValueDisplayFrac;
    const float h = std::min(size.H(), free.H());
    switch (mStyle.valueText.mVAlign)
    {
    case kVAlignTop:
      mValueBounds = IRECT(free.MW() - halfW, free.T, free.MW() + halfW, free.T + h);
      mWidgetBounds = ScaledAboutCentre(IRECT(free.L, free.T + h, free.R, free.B), mStyle.widgetFrac);
      break;
    case kVAlignMiddle:
      mValueBounds = IRECT(free.MW() - halfW, free.MH() - h / 2.f, free.MW() + halfW, free.MH() + h / 2.f);
      mWidgetBounds = ScaledAboutCentre(free, mStyle.widgetFrac);
      break;
    case kVAlignBottom:
    default:
      mValueBounds = IRECT(free.MW() - halfW, free.B - h, free.MW() + halfW, free.B);
      mWidgetBounds = ScaledAboutCentre(IRECT(free.L, free.T, free.R, free.B - h), mStyle.widgetFrac);
      break;
    }
  }

  if (hasHandle)
  {
    if (mStyle.drawFrame)
      mWidgetBounds = mWidgetBounds.GetPadded(-mStyle.frameThickness / 2.f);
    if (mStyle.drawShadows)
      mWidgetBounds = mWidgetBounds.GetPadded(-mStyle.shadowOffset);
  }

  // A text drawn over the widget is laid out in it.
  if (mLabelInWidget)
    mLabelBounds = mWidgetBounds;
  return mWidgetBounds;
}

void SplashClickActionFunc(IControl* pCaller)
{
  auto* pVector = dynamic_cast<IVectorBase*>(pCaller);
  IGraphics* pGraphics = pCaller ? pCaller->GetUI() : nullptr;
  if (!pVector || !pGraphics)
    return;
  pVector->SetSplashPoint(pGraphics->GetPressX(), pGraphics->GetPressY());
  pCaller->SetAnimation(SplashAnimationFunc);
  pCaller->StartAnimation(100);
}

void SplashAnimationFunc(IControl* pCaller)
{
  auto* pVector = dynamic_cast<IVectorBase*>(pCaller);
  if (!pVector)
    return;
  const double progress = pCaller->GetAnimationProgress();
  if (progress > 1.0)
  {
    pVector->SetSplashRadius(0.f);
    pCaller->OnEndAnimation();
    return;
  }
  pVector->SetSplashRadius(static_cast<float>(progress));
  pCaller->SetDirty(false);
}

void IGraphics::StyleAllVectorControls(const IVStyle& style)
{
  ForStandardControlsFunc([&style](IControl* pControl) {
    if (auto* pVector = dynamic_cast<IVectorBase*>(pControl))
      pVector->SetStyle(style);
  });
}

} // namespace iplug::igraphics
