#pragma once
#include <cstddef>
#include <cstdint>

// What FirstDifference gives when reading either range faulted: a mapped file that
// shrank under its view, a drive that went away. Nothing is known of the bytes then.
constexpr size_t ReadFaulted = SIZE_MAX;

// The index of the first byte at which a and b differ, 16 bytes a step; count when the
// two ranges are equal. A read fault inside either range is caught and answered with
// ReadFaulted instead of ending the process.
size_t FirstDifference(const uint8_t* a, const uint8_t* b, size_t count);
