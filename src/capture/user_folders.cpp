#include "capture/user_folders.h"

#include <windows.h>

#include <shlobj.h>

namespace kx {

std::wstring UserPicturesFolder() {
  wchar_t pictures[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_MYPICTURES, nullptr, SHGFP_TYPE_CURRENT, pictures)))
    return {};
  return pictures;
}

}  // namespace kx
