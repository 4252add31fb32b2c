// The framework's collections: arrays, lists and maps, as templates and as the named classes.
#pragma once

#include "mfc/Position.h"
#include "mfc/CollectionHelpers.h"

#include "mfc/Array.h"
#include "mfc/StringArray.h"
#include "mfc/UIntArray.h"
#include "mfc/DWordArray.h"
#include "mfc/WordArray.h"
#include "mfc/ByteArray.h"
#include "mfc/PtrArray.h"
#include "mfc/ObArray.h"
#include "mfc/TypedPtrArray.h"

#include "mfc/List.h"
#include "mfc/PtrList.h"
#include "mfc/ObList.h"
#include "mfc/StringList.h"
#include "mfc/TypedPtrList.h"

#include "mfc/Map.h"
#include "mfc/MapStringToString.h"
#include "mfc/MapStringToPtr.h"
#include "mfc/MapStringToOb.h"
#include "mfc/MapPtrToPtr.h"
#include "mfc/MapWordToPtr.h"
#include "mfc/MapPtrToWord.h"
#include "mfc/MapWordToOb.h"
#include "mfc/TypedPtrMap.h"
