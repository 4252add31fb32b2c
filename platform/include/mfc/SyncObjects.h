// The framework's synchronisation classes.
#pragma once

#include "mfc/SyncObject.h"
#include "mfc/CriticalSection.h"
#include "mfc/Mutex.h"
#include "mfc/Event.h"
#include "mfc/Semaphore.h"
#include "mfc/SingleLock.h"
#include "mfc/MultiLock.h"
