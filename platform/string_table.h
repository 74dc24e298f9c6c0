// Access to the executable's own string table, a block of 16 entries at a time.
#pragma once

#include "text/text_buffer.h"

// Finds block 'blockNumber' (id / 16 + 1) in the platform's choice of language and points
// 'block' at its UTF-16 units. The data belongs to the loaded image. False when it is missing.
bool findStringBlock(uint16_t blockNumber, WideTextView& block);
