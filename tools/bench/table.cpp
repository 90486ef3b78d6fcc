#include "table.h"

#include <cinttypes>
#include <cstdio>

namespace kx::bench {

void PrintSceneHeading(const char* scene, int width, int height, uint64_t checksum, bool stayed) {
  std::printf("\n%s scene, %dx%d, pixel checksum %016" PRIx64 ", %s\n", scene, width, height,
              checksum, stayed ? "on the screen before and after timing" : "CHANGED during timing");
}

void PrintTable(const std::vector<Row>& rows) {
  std::printf("%-22s %9s   %-26s %9s %7s %11s\n", "step", "ms", "baseline", "ms", "ratio", "bytes");
  for (const Row& row : rows) {
    if (row.baseline.empty()) {  // a step the baseline has no counterpart of
      std::printf("%-22s %9.1f%s\n", row.step.c_str(), row.ms.ours,
                  row.ms.failed ? "  FAILED" : "");
      continue;
    }
    const double ratio = row.ms.baseline > 0 ? row.ms.ours / row.ms.baseline : 0;
    std::printf("%-22s %9.1f   %-26s %9.1f %7.2f", row.step.c_str(), row.ms.ours,
                row.baseline.c_str(), row.ms.baseline, ratio);
    if (row.bytes >= 0) std::printf(" %11" PRId64, row.bytes);
    std::printf("%s\n", row.ms.failed ? "  FAILED" : "");
  }
}

}  // namespace kx::bench
