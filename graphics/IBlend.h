#pragma once

#include "IGraphicsConstants.h"

namespace iplug::igraphics {

// Compositing method and opacity of a drawing operation. A null IBlend* means source-over at weight 1.
struct IBlend
{
  EBlend mMethod = kBlendSrcOver; // compositing method
  float mWeight = 1.f;            // opacity multiplier, 0-1

  // A blend with the given method and weight.
  constexpr IBlend(EBlend method = kBlendSrcOver, float weight = 1.f) : mMethod(method), mWeight(weight) {}
};

// The weight a possibly-null blend stands for.
constexpr float BlendWeight(const IBlend* blend) { return blend ? blend->mWeight : 1.f; }

// The method a possibly-null blend stands for.
constexpr EBlend BlendMethod(const IBlend* blend) { return blend ? blend->mMethod : kBlendSrcOver; }

// Common blends: drawing over at a weight, and the destination-in and destination-over methods at full weight.
inline constexpr IBlend BLEND_75(kBlendSrcOver, 0.75f);
inline constexpr IBlend BLEND_50(kBlendSrcOver, 0.5f);
inline constexpr IBlend BLEND_25(kBlendSrcOver, 0.25f);
inline constexpr IBlend BLEND_10(kBlendSrcOver, 0.1f);
inline constexpr IBlend BLEND_05(kBlendSrcOver, 0.05f);
inline constexpr IBlend BLEND_01(kBlendSrcOver, 0.01f);
inline constexpr IBlend BLEND_DST_IN(kBlendDstIn, 1.f);
inline constexpr IBlend BLEND_DST_OVER(kBlendDstOver, 1.f);

} // namespace iplug::igraphics
