// Whole-file reads and crash-safe whole-file writes for the small profile files.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "profiles/profile_codec.h"

namespace kx {

// Writes one buffer to an open file; the seam through which tests inject a failing write.
using ChunkWriter = bool (*)(HANDLE file, const uint8_t* data, size_t size);
bool WriteAllBytes(HANDLE file, const uint8_t* data, size_t size);

// Reads an existing file (shared for reading) whole. False when it is missing, unreadable
// or larger than `maxBytes`.
bool ReadWholeFile(const std::wstring& path, size_t maxBytes, Bytes& bytes);

// Writes `bytes` to "<path>.tmp" in the same folder and moves it over `path`, so a failed or
// interrupted write leaves the previous file as it was. The temp file is removed on failure.
bool ReplaceFileContents(const std::wstring& path, const Bytes& bytes,
                         ChunkWriter writer = WriteAllBytes);

// The current directory (empty folder) or the given folder, joined with a file name.
std::wstring PathInFolder(const std::wstring& folder, const wchar_t* fileName);

}  // namespace kx
