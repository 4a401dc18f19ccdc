// The generator of the fast paths' tables (engine/math/TablesData.cpp): every entry computed
// with the accurate path, and the source file that holds them. Only the tests use it.
#pragma once

#include <string>

#include "Tables.h"

namespace quorbit1::math {

Tables ComputeTables();

// The source of TablesData.cpp for these tables.
std::string TablesSource(const Tables& t);

}  // namespace quorbit1::math
