// CSysProcess: lists the running processes or counts those of one executable name.
#pragma once

#include "mfc.h"

class AFX_EXT_CLASS CSysProcess {
public:
    CSysProcess();
    virtual ~CSysProcess();

    // Appends every process (but the snapshot's first entry) to the four arrays. Always 1.
    int GetProcessList();
    // Processes whose executable file name is strExeName, ignoring case.
    int GetProcessCount(CString strExeName);

    CUIntArray m_arrPriority;
    CUIntArray m_arrProcessID;
    CUIntArray m_arrThreadCount;
    CStringArray m_arrExeName;
};
