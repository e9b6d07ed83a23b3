#pragma once

// True exactly for 1, 2, 4, 8 and every further power of two; false for 0,
// negative numbers and every other value.
bool isPowerOfTwo(int n);
