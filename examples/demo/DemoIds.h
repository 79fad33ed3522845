#pragma once

// Resource names and command ids shared by TqDemo.rc and main.cpp. A new
// action gets an id here, a menu item and (optionally) a key in TqDemo.rc,
// and a case in CDemoWnd::OnCmdMsg.
#define IDR_DEMO_MENU "TqDemoMenu"
#define IDR_DEMO_ACCEL "TqDemoAccel"

#define ID_DEMO_SUMMARY 101
#define ID_DEMO_EXIT 102
#define ID_DEMO_RECORD 103
