#pragma once

/// \file
/// TqCommon: everything the library exports, in one header.
///
/// Applications include `<TqCommon.h>` and link TqCommon::TqCommon; every
/// public header below includes its neighbours by paths relative to itself,
/// so an application's own headers cannot shadow them. See the main page for
/// the subsystems and conventions.

#include "TqExport.h"
#include "TqModule.h"
#include "TqResourceIds.h"
#include "TqScopedHandle.h"

#include "../containers/CTqArray.h"

#include "../strings/CTqString.h"

#include "../window/CTqWnd.h"

#include "../controls/CTqBaseProgressWnd.h"
#include "../controls/CTqBmpButtonCtrl.h"
#include "../controls/CTqButtonCtrl.h"
#include "../controls/CTqCstmButtonCtrl.h"
#include "../controls/CTqPlayerCtrl.h"
#include "../controls/CTqPlayerTimeSliderCtrl.h"
#include "../controls/CTqPlayerVolumeSliderCtrl.h"
#include "../controls/CTqSliderCtrl.h"
#include "../controls/CTqTimeSliderCtrl.h"
#include "../controls/CTqVolumeSliderCtrl.h"
#include "../controls/CTqWaitCursor.h"

#include "../graphics/CTqDib.h"
#include "../graphics/CTqTransparentBmp.h"
#include "../graphics/TqBlt.h"
#include "../graphics/TqBmpFile.h"
#include "../graphics/TqDraw.h"
#include "../graphics/TqImageFile.h"

#include "../media/CTqAVI.h"
#include "../media/CTqSoundRecorder.h"

#include "../system/TqAppData.h"
#include "../system/TqConsole.h"
#include "../system/TqDebugOutput.h"
#include "../system/TqDirectoryPath.h"
#include "../system/TqMsgBox.h"
#include "../system/TqOsVersion.h"
#include "../system/TqProcess.h"
#include "../system/TqResource.h"
#include "../system/TqShellRegistration.h"
