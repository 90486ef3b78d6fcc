// Timings of the selection overlays, printed after the capture timings.
#pragma once

namespace kx::bench {

void BenchOverlays(int runs);

}  // namespace kx::bench
