// Resource ids of the main program, one header per subsystem. Ids are shared
// by the whole program: a new id must not repeat one of another subsystem or
// of the library (the resource chain searches the program first).
#pragma once

#include "shell/ids.h"
#include "editor/ids.h"
#include "album/ids.h"
#include "browser/ids.h"
#include "templates/ids.h"
#include "print/ids.h"
#include "calendar/ids.h"
