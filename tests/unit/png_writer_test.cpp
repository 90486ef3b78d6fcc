// Our PNG writer against two decoders that share nothing with it, GDI+ and stb_image: thousands
// of generated images and the benchmark's two scenes must come back as exactly the pixels
// written. Then a capture saved through the program, decoded back to the grab's pixels, and
// the failures' status values. A file a user cannot open is a capture lost.
#include <gtest/gtest.h>
#include <shlwapi.h>
#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "capture/capture_output.h"
#include "capture/png_encoder.h"
#include "capture/profile_values.h"
#include "picture.h"
#include "profiles/file_io.h"
#include "scenes.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#include <stb_image.h>

namespace kx {
namespace {

// 0xXXRRGGBB pixels as a grab holds them, `stride` pixels a row.
struct Image {
  int width, height, stride;
  std::vector<uint32_t> pixels;
  std::string kind;
};

class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint64_t Next() {  // splitmix64
    uint64_t z = state_ += 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Below(int n) { return int(Next() % uint64_t(n)); }
  int Between(int low, int high) { return low + Below(high - low + 1); }

 private:
  uint64_t state_;
};

// The kinds of content a screen holds, as a colour of (x, y); `r` draws fixed choices first.
constexpr const char* kKindNames[] = {"flat", "noise", "gradient", "text", "tiles"};
using Paint = std::function<uint32_t(int x, int y)>;
Paint MakePaint(int kind, Random& r) {
  const uint32_t a = uint32_t(r.Next()), b = uint32_t(r.Next());
  const int cell = r.Between(2, 9), dx = r.Between(-9, 9), dy = r.Between(-9, 9);
  const uint64_t glyphs = r.Next();
  auto noise = std::make_shared<Random>(r.Next());
  switch (kind) {
    case 0:  // flat areas: rectangles of two colours
      return [=](int x, int y) { return (x / (cell * 5) + y / (cell * 3)) % 3 ? a : b; };
    case 1:  // noise
      return [=](int, int) { return uint32_t(noise->Next()); };
    case 2:  // gradients, steep or gentle, wrapping
      return [=](int x, int y) {
        return (uint32_t((a & 0xFF) + dx * x + dy * y) & 0xFF) |
               (uint32_t((a >> 8) + dy * x - dx * y) & 0xFF) << 8 |
               (uint32_t((a >> 16) + x * y / cell) & 0xFF) << 16;
      };
    case 3:  // text-like edges: glyphs of an 8 x 8 pattern on a background, a grey between
      return [=](int x, int y) {
        const int bit = (x % 8) + 8 * (y % 8) + (x / 8 % 3);
        const bool ink = (glyphs >> (bit % 64)) & 1, edge = (glyphs >> ((bit + 1) % 64)) & 1;
        return ink ? a : edge ? 0x808080u : b;
      };
    default:  // a small noisy tile repeated: matches at every distance
      return [=](int x, int y) {
        return uint32_t(((x % cell) * 0x9E3779B1u) ^ ((y % (cell + 1)) * 0x85EBCA77u) ^ a);
      };
  }
}

Image Generated(uint64_t seed, int index) {
  Random r(seed * 1000003 + uint64_t(index));
  Image image;
  const int shape = r.Below(100);
  image.width = shape < 60   ? r.Between(1, 48)
                : shape < 85 ? r.Between(1, 400)
                : shape < 95 ? r.Between(1, 4096)
                             : r.Between(200, 700);
  image.height = shape < 60   ? r.Between(1, 48)
                 : shape < 85 ? r.Between(1, 40)
                 : shape < 95 ? r.Between(1, 3)
                              : r.Between(200, 500);
  image.stride = image.width + r.Below(3);
  // Up to four bands of different kinds, as windows of different content stand side by side.
  const int bands = r.Between(1, 4);
  std::vector<Paint> paints;
  for (int i = 0; i < bands; ++i) {
    const int kind = r.Below(5);
    paints.push_back(MakePaint(kind, r));
    image.kind += std::string(i ? " " : "") + kKindNames[kind];
  }
  // The unused byte is one value, as a grab leaves it, or noise, which must not count either.
  const bool noisy = r.Below(2);
  const uint32_t unused = uint32_t(r.Below(256));
  image.pixels.resize(size_t(image.stride) * image.height);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.stride; ++x)
      image.pixels[size_t(y) * image.stride + x] =
          (paints[std::min(bands - 1, x * bands / image.width)](x, y) & 0xFFFFFF) |
          (noisy ? uint32_t(r.Below(256)) : unused) << 24;
  return image;
}

Image FromPicture(const bench::Picture& picture, const char* kind) {
  return {picture.width, picture.height, picture.width, picture.pixels, kind};
}

// The colours 0x00RRGGBB, stride padding left out.
std::vector<uint32_t> Colours(const Image& image) {
  std::vector<uint32_t> colours;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      colours.push_back(image.pixels[size_t(y) * image.stride + x] & 0xFFFFFF);
  return colours;
}

// Neither decoder checks the chunks' CRCs, which other readers refuse a file for: the
// platform's own CRC-32 does.
bool ChunkCrcsHold(const Bytes& file) {
  using Crc = DWORD(WINAPI*)(DWORD, const BYTE*, INT);
  static const auto crc = reinterpret_cast<Crc>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlComputeCrc32")));
  auto word = [&](size_t at) {
    const uint8_t* p = file.data() + at;
    return DWORD(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
  };
  size_t at = 8, chunks = 0;
  for (; crc && at + 12 <= file.size(); ++chunks) {
    const size_t length = word(at);
    if (at + 12 + length > file.size() ||
        word(at + 8 + length) != crc(0, file.data() + at + 4, INT(length + 4)))
      return false;
    at += 12 + length;
  }
  return at == file.size() && chunks >= 3;
}

std::vector<uint32_t> DecodeWithStb(const Bytes& file) {
  int width = 0, height = 0, channels = 0;
  uint8_t* rgb =
      stbi_load_from_memory(file.data(), int(file.size()), &width, &height, &channels, 3);
  std::vector<uint32_t> colours;
  for (size_t i = 0; rgb && i < size_t(width) * height; ++i)
    colours.push_back(uint32_t(rgb[3 * i]) << 16 | rgb[3 * i + 1] << 8 | rgb[3 * i + 2]);
  stbi_image_free(rgb);
  return colours;
}

std::vector<uint32_t> DecodeWithGdiplus(const uint8_t* bytes, size_t size) {
  std::vector<uint32_t> colours;
  IStream* stream = SHCreateMemStream(bytes, UINT(size));
  if (!stream) return colours;
  {
    Gdiplus::GpBitmap* raw = nullptr;
    gp::GdipCreateBitmapFromStream(stream, &raw);
    const UniqueGpBitmap bitmap(raw);
    UINT width = 0, height = 0;
    gp::GdipGetImageWidth(raw, &width);
    gp::GdipGetImageHeight(raw, &height);
    const Gdiplus::GpRect all(0, 0, INT(width), INT(height));
    Gdiplus::BitmapData data = {};
    if (bitmap && gp::GdipBitmapLockBits(raw, &all, Gdiplus::ImageLockModeRead, PixelFormat32bppRGB,
                                         &data) == Gdiplus::Ok) {
      for (UINT y = 0; y < height; ++y)
        for (UINT x = 0; x < width; ++x)
          colours.push_back(static_cast<const uint32_t*>(data.Scan0)[y * data.Stride / 4 + x] &
                            0xFFFFFF);
      gp::GdipBitmapUnlockBits(raw, &data);
    }
  }
  stream->Release();
  return colours;
}

TEST(PngWriter, ThousandsOfImagesComeBackExactlyThroughGdiplusAndStbImage) {
  GdiplusSession gdiplus;
  const char* given = std::getenv("KX_PNG_SEED");  // to repeat a run that failed
  const uint64_t seed = given
                            ? std::strtoull(given, nullptr, 10)
                            : uint64_t(std::chrono::steady_clock::now().time_since_epoch().count());
  constexpr int kGenerated = 3000;
  int wrong = 0;
  for (int i = 0; i < kGenerated + 2; ++i) {
    const Image image = i < kGenerated ? Generated(seed, i)
                        : i == kGenerated
                            ? FromPicture(bench::PhotoScene(1920, 1080), "photo-like scene")
                            : FromPicture(bench::DesktopScene(1920, 1080), "desktop-like scene");
    Bytes file;
    ASSERT_EQ(WritePng({reinterpret_cast<const uint8_t*>(image.pixels.data()), image.width,
                        image.height, ptrdiff_t(image.stride) * 4},
                       [&](const uint8_t* bytes, size_t size) {
                         file.insert(file.end(), bytes, bytes + size);
                         return true;
                       }),
              PngStatus::kWritten);
    const std::vector<uint32_t> expected = Colours(image);
    const bool stb = DecodeWithStb(file) == expected;
    const bool platform = DecodeWithGdiplus(file.data(), file.size()) == expected;
    const bool crcs = ChunkCrcsHold(file);
    if ((!stb || !platform || !crcs) && ++wrong <= 5)
      ADD_FAILURE() << "image " << i << " (" << image.width << " x " << image.height << ", "
                    << image.kind << ") is misread by" << (stb ? "" : " stb_image")
                    << (platform ? "" : " GDI+") << (crcs ? "" : " the CRC check");
  }
  std::printf("PNG writer: %d images written and decoded twice, seed %llu\n", kGenerated + 2,
              static_cast<unsigned long long>(seed));
  EXPECT_EQ(wrong, 0) << "seed " << seed;
}

TEST(PngWriter, ACaptureSavedDecodesToItsPixelsAndFailuresKeepTheirStatus) {
  GdiplusSession gdiplus;
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"kx-png-writer-test";
  CreateDirectoryW(folder.c_str(), nullptr);
  CaptureProfile profile;
  BuildDefaultProfile(profile, folder);
  profile.OutFilename = 1;  // KEST.png
  profile.OutFormat = kPngFormat;
  // The desktop scene as a grab holds it: a bitmap of the screen's kind and a GDI+ image of it.
  const bench::Picture scene = bench::DesktopScene(640, 400);
  CaptureImage holder(nullptr);
  ScopedWindowDc screen(nullptr);
  holder.bitmap.Reset(CreateCompatibleBitmap(screen.Get(), scene.width, scene.height));
  const BITMAPINFO info = bench::TopDown32(scene.width, scene.height);
  SetDIBits(screen.Get(), holder.bitmap.Get(), 0, UINT(scene.height), scene.pixels.data(), &info,
            DIB_RGB_COLORS);
  Gdiplus::GpBitmap* image = nullptr;
  gp::GdipCreateBitmapFromHBITMAP(holder.bitmap.Get(), nullptr, &image);
  holder.image.Reset(image);

  ASSERT_EQ(SaveCaptureToFile(holder, profile), kStatusOk);
  const std::wstring ours = CaptureFilePath(profile);
  Bytes written;
  ASSERT_TRUE(ReadWholeFile(ours, 1 << 24, written));
  EXPECT_EQ(DecodeWithGdiplus(written.data(), written.size()), scene.pixels);

  // What stands where the file goes and cannot be replaced (here a folder; Wine replaces a
  // read-only file) stays, with no temp file left. A storage folder that cannot be made, and
  // no image, fail as any other failure does.
  DeleteFileW(ours.c_str());
  CreateDirectoryW(ours.c_str(), nullptr);
  EXPECT_EQ(SaveCaptureToFile(holder, profile), kStatusAccessDenied);
  EXPECT_TRUE(RemoveDirectoryW(ours.c_str()));
  EXPECT_EQ(GetFileAttributesW((ours + L".tmp").c_str()), INVALID_FILE_ATTRIBUTES);
  CaptureProfile deep = profile;
  BuildDefaultProfile(deep, folder + L"\\a\\b");
  EXPECT_EQ(SaveCaptureToFile(holder, deep), kStatusWriteFailed);
  holder.Release();
  EXPECT_EQ(SaveCaptureToFile(holder, profile), kStatusWriteFailed);
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace kx
