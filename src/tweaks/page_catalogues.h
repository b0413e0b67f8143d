// The ordered catalogues of the three Tweaks pages.
#pragma once

#include <vector>

#include "tweaks/catalogue.h"

namespace velotune {

const std::vector<Row>& Page1Rows();
const std::vector<Row>& Page2Rows();
const std::vector<Row>& Page3Rows();

// Page 3's "Decrease Latency" row, which GREEN Boost runs too: its values are
// machine-specific.
Row LatencyRow();

// Replaces SharedRegistry by a fresh accessor and pre-creates the keys the
// page-1 and page-2 saves open without creating.
void RenewSharedRegistryAndKeys();

}  // namespace velotune
