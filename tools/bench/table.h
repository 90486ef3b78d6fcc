// The benchmark's table: one row per step of ours, next to its baseline and their ratio.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "timing.h"

namespace kx::bench {

struct Row {
  std::string step;      // what of ours was timed
  std::string baseline;  // what the platform alone did instead; empty where it did nothing like it
  PairedMedians ms;
  int64_t bytes = -1;  // size of the file written; -1 when the step writes none
};

// `stayed`: a grab equalled the scene both before and after the timing.
void PrintSceneHeading(const char* scene, int width, int height, uint64_t checksum, bool stayed);
void PrintTable(const std::vector<Row>& rows);

}  // namespace kx::bench
