// A bitmap resource of the program, loaded and selected into its own memory DC for the
// length of one paint. Nothing is cached: the next paint loads it again.
#pragma once

#include <windows.h>

#include "base/handles.h"

namespace kx {

class ResourcePicture {
 public:
  // `reference` is the DC the picture will be copied to. Only the low 16 bits of id count.
  ResourcePicture(HDC reference, UINT id);
  ~ResourcePicture();
  ResourcePicture(const ResourcePicture&) = delete;
  ResourcePicture& operator=(const ResourcePicture&) = delete;

  explicit operator bool() const { return previous_ != nullptr; }
  HDC Dc() const { return dc_.Get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  UniqueBitmap bitmap_;
  UniqueDc dc_;
  HGDIOBJ previous_ = nullptr;
  int width_ = 0, height_ = 0;
};

}  // namespace kx
