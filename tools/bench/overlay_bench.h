// Timings of the selection overlays, each next to a bare screen copy.
#pragma once

#include <vector>

#include "table.h"

namespace kx::bench {

std::vector<Row> MeasureOverlays(int runs);

}  // namespace kx::bench
