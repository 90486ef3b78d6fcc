#include "profiles/file_io.h"

#include "base/handles.h"

namespace kx {

bool WriteAllBytes(HANDLE file, const uint8_t* data, size_t size) {
  while (size > 0) {
    DWORD chunk = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(file, data, chunk, &written, nullptr) || written == 0) return false;
    data += written;
    size -= written;
  }
  return true;
}

bool ReadWholeFile(const std::wstring& path, size_t maxBytes, Bytes& bytes) {
  UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 ||
      static_cast<unsigned long long>(size.QuadPart) > maxBytes)
    return false;
  Bytes content(static_cast<size_t>(size.QuadPart));
  size_t done = 0;
  while (done < content.size()) {
    DWORD got = 0;
    DWORD want = static_cast<DWORD>(content.size() - done);
    if (!ReadFile(file.Get(), content.data() + done, want, &got, nullptr) || got == 0) return false;
    done += got;
  }
  bytes = std::move(content);
  return true;
}

bool ReplaceFileContents(const std::wstring& path, const Bytes& bytes, ChunkWriter writer) {
  const std::wstring temp = path + L".tmp";
  bool written = false;
  {
    UniqueFile file(CreateFileW(temp.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    written = writer(file.Get(), bytes.data(), bytes.size()) && FlushFileBuffers(file.Get());
  }
  if (written &&
      MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  DeleteFileW(temp.c_str());
  return false;
}

std::wstring PathInFolder(const std::wstring& folder, const wchar_t* fileName) {
  std::wstring base = folder;
  if (base.empty()) {
    wchar_t current[1000] = {};
    DWORD length = GetCurrentDirectoryW(1000, current);
    if (length > 0 && length < 1000) base.assign(current, length);
  }
  return base + L"\\" + fileName;
}

}  // namespace kx
