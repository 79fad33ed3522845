#pragma once

// What the media tests share: their support headers, and the Linux tools
// that read back what the library wrote.
#include <TqCommon.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CodePage.h"
#include "MsgBoxCatcher.h"
#include "TempFolder.h"
#include "TestWindow.h"

// A file's Linux path, quoted for the Linux shell.
std::string ShellPath(const std::string& windowsPath);

// Runs a command with the Linux shell; what it printed (stdout and stderr).
std::string RunUnix(const std::string& command);

// ffprobe's csv report of entries ("stream=width,height:packet=size") of the
// first stream of type ("v", "a") of a file.
std::string Probe(const std::string& path, const char* type, const char* entries);
