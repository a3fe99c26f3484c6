#include "GalleryFileMenu.h"

#include <cstring>

#include "IGraphics.h"

namespace iplug::igraphics
{

namespace
{
const IColor kFieldColor(255, 250, 251, 252);
const IColor kFrameColor(255, 70, 70, 70);
// Width and height of the drop-down triangle, and its distance from the right edge.
constexpr float kTriangleW = 8.f;
constexpr float kTriangleH = 5.f;
constexpr float kTriangleInset = 8.f;
} // namespace

GalleryFileMenu::GalleryFileMenu(const IRECT& bounds, const char* extension, const IText& text)
  : IDirBrowseControlBase(bounds, extension, false)
{
  mTextStyle = text;
}

const char* GalleryFileMenu::GetDisplayText() const
{
  return GetSelectedItemIndex() < 0 ? "Choose a file" : mChosenText.Get();
}

void GalleryFileMenu::Draw(IGraphics& g)
{
  g.FillRect(kFieldColor, mBounds, &mDrawBlend);
  g.DrawRect(kFrameColor, mBounds, &mDrawBlend);
  const IRECT textArea(mBounds.L + 4.f, mBounds.T, mBounds.R - kTriangleInset - kTriangleW - 4.f, mBounds.B);
  g.DrawText(mTextStyle, GetDisplayText(), textArea, &mDrawBlend);
  const float right = mBounds.R - kTriangleInset;
  const float top = mBounds.MH() - kTriangleH / 2.f;
  g.FillTriangle(kFrameColor, right - kTriangleW, top, right, top, right - kTriangleW / 2.f, top + kTriangleH,
                 &mDrawBlend);
}

void GalleryFileMenu::OnMouseDown(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  SetupMenu();
  // The rescan forgets the selection; the chosen file keeps it when it is still there.
  for (int i = 0; i < NItems(); ++i)
    if (mChosenPath.GetLength() && std::strcmp(mChosenPath.Get(), GetFilePath(i)) == 0)
      SetSelectedItemIndex(i);
  if (GetUI() && GetMenu().NItems() > 0)
    GetUI()->CreatePopupMenu(*this, GetMenu(), mBounds);
}

void GalleryFileMenu::OnPopupMenuSelection(IPopupMenu* pMenu, int /*valIdx*/)
{
  const IPopupMenu::Item* pItem = pMenu ? pMenu->GetChosenItem() : nullptr;
  if (!pItem || pItem->GetTag() < 0)
    return;
  SetSelectedItemIndex(pItem->GetTag());
  mChosenText.Set(pItem->GetText());
  mChosenPath.Set(GetFilePath(pItem->GetTag()));
  SetDirty(false);
}

} // namespace iplug::igraphics
