// Resource ids of the Tesserin library. Library ids lie from 10000 to 19999, apart from the programs'.
#pragma once

#define IDS_TESSERIN_NAME 10001
#define IDS_SOCKETS_FAILED 10002
#define IDC_TESSERIN_HAND 10128
#define IDC_TESSERIN_NODROP 10268
#define IDC_TESSERIN_DRAGITEM 11320
