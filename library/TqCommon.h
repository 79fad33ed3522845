#pragma once

// TqCommon: everything the library exports, in one header.

#include "library/TqExport.h"
#include "library/TqModule.h"

#include "containers/CTqArray.h"

#include "strings/CTqString.h"

#include "graphics/CTqDib.h"
#include "graphics/CTqTransparentBmp.h"
#include "graphics/TqBlt.h"
#include "graphics/TqBmpFile.h"
#include "graphics/TqDraw.h"

#include "system/TqMsgBox.h"
