#include "ui/resource_picture.h"

namespace kx {

ResourcePicture::ResourcePicture(HDC reference, UINT id)
    : bitmap_(id & 0xFFFF ? LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id & 0xFFFF))
                          : nullptr) {
  if (!bitmap_) return;
  BITMAP info = {};
  if (!GetObjectW(bitmap_.Get(), sizeof(info), &info)) return;
  dc_.Reset(CreateCompatibleDC(reference));
  if (!dc_) return;
  width_ = info.bmWidth;
  height_ = info.bmHeight;
  previous_ = SelectObject(dc_.Get(), bitmap_.Get());
}

ResourcePicture::~ResourcePicture() {
  if (previous_) SelectObject(dc_.Get(), previous_);
}

}  // namespace kx
