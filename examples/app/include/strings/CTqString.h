#pragma once

// The application's own header. Its name is one of TqCommon's on purpose:
// TqCommon's headers find each other relative to themselves, so none of them
// may ever land here.
#error "an application header was taken for one of TqCommon's"
