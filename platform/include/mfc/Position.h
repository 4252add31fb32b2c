// POSITION: an opaque place in a list or map, handed out by the collection itself.
#pragma once

struct __POSITION {};
typedef __POSITION* POSITION;

// A map's start position before its first element is looked up.
#define BEFORE_START_POSITION ((POSITION)(-1L))
