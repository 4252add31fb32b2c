// The framework's time classes.
#pragma once

#include "mfc/DateTime.h"
#include "mfc/OleDateTime.h"
