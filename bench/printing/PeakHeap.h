#pragma once

#include <cstddef>

// Heap in use by the whole process, counted at every allocation of this program and its libraries.
namespace PeakHeap {
std::size_t current();
// Starts a new peak from what is in use now.
void reset();
std::size_t peak();

// Resident memory of the process in KiB, and its high-water mark since the last resetResident().
long residentKiB();
long residentPeakKiB();
void resetResident();
} // namespace PeakHeap
