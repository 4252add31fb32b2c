// The framework's exceptions: CException, the TRY/CATCH macros and every exception class.
#pragma once

#include "mfc/BaseException.h"
#include "mfc/SimpleException.h"
#include "mfc/MemoryException.h"
#include "mfc/InvalidArgException.h"
#include "mfc/NotSupportedException.h"
#include "mfc/ResourceException.h"
#include "mfc/UserException.h"
#include "mfc/FileException.h"
#include "mfc/ArchiveException.h"
