#pragma once

// TqCommon: everything the library exports, in one header.

#include "library/TqExport.h"
#include "library/TqModule.h"

#include "containers/CTqArray.h"

#include "strings/CTqString.h"

#include "media/CTqAVI.h"
#include "media/CTqSoundRecorder.h"

#include "system/TqMsgBox.h"
