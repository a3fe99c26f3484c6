#include "AppChoiceControl.h"

#include "IGraphics.h"

namespace iplug::igraphics
{
namespace
{
  const IColor kBox(255, 250, 250, 250);
  const IColor kFrame(255, 120, 120, 120);
  const IColor kInk(255, 30, 30, 30);
}

AppChoiceControl::AppChoiceControl(const IRECT& bounds, ChoiceFunc choiceFunc)
  : IControl(bounds)
  , mChoiceFunc(std::move(choiceFunc))
{
  mTextStyle = IText(14.f, kInk, nullptr, kAlignNear);
}

void AppChoiceControl::SetChoices(std::vector<std::string> choices, int selected, const std::string& emptyText)
{
  mChoices = std::move(choices);
  mSelected = selected >= 0 && selected < static_cast<int>(mChoices.size()) ? selected : -1;
  mEmptyText = emptyText;
  SetDirty(false);
}

void AppChoiceControl::Draw(IGraphics& g)
{
  const IRECT& r = GetRECT();
  g.FillRect(kBox, r);
  g.DrawRect(kFrame, r);
  g.DrawText(mTextStyle, ShownText().c_str(), IRECT(r.L + 6.f, r.T, r.R - 20.f, r.B));
  // The drop-down mark.
  const float cx = r.R - 11.f;
  const float cy = r.MH();
  g.DrawLine(kInk, cx - 4.f, cy - 2.f, cx, cy + 2.f);
  g.DrawLine(kInk, cx, cy + 2.f, cx + 4.f, cy - 2.f);
}

void AppChoiceControl::OnMouseDown(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  if (mChoices.empty() || !GetUI())
    return;
  mMenu.Clear();
  for (size_t i = 0; i < mChoices.size(); ++i)
  {
    IPopupMenu::Item* item = mMenu.AddItem(mChoices[i].c_str());
    item->SetChecked(static_cast<int>(i) == mSelected);
  }
  GetUI()->CreatePopupMenu(*this, mMenu, GetRECT());
}

void AppChoiceControl::OnPopupMenuSelection(IPopupMenu* pMenu, int /*valIdx*/)
{
  if (pMenu && pMenu->GetChosenItemIdx() >= 0 && mChoiceFunc)
    mChoiceFunc(pMenu->GetChosenItemIdx());
}

} // namespace iplug::igraphics
