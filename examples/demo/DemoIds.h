#pragma once

// Resource names and command ids shared by TqDemo.rc and the sources. A new
// action gets an id here, a menu item and (optionally) a key in TqDemo.rc,
// and a case in CDemoWnd::OnCmdMsg.
#define IDR_DEMO_MENU "TqDemoMenu"
#define IDR_DEMO_ACCEL "TqDemoAccel"

#define ID_DEMO_SUMMARY 101
#define ID_DEMO_EXIT 102
#define ID_DEMO_RECORD 103
#define ID_DEMO_PLAY 104
#define ID_DEMO_TO_START 105
#define ID_DEMO_TO_END 106
#define ID_DEMO_LOOP 107
#define ID_DEMO_OPEN_IMAGE 108

// Child windows of the main window that are not commands.
#define ID_DEMO_PLAYER 120
