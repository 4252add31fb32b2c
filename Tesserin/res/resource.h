// Resource ids of the Tesserin library. Library ids lie from 10000 to 19999, apart from the programs'.
#pragma once

#define IDS_TESSERIN_NAME 10001
#define IDS_SOCKETS_FAILED 10002

// Grid header menu and its commands.
#define IDR_VXGRID 11000
#define ID_VXGRID_EXCEL 18773
#define ID_VXGRID_TEXT 18774
