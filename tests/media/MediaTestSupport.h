#pragma once

#include <string>

// A file's Linux path, quoted for the Linux shell.
std::string ShellPath(const std::string& windowsPath);

// Runs a command with the Linux shell; what it printed (stdout and stderr).
std::string RunUnix(const std::string& command);

// ffprobe's csv report of entries ("stream=width,height:packet=size") of the
// first stream of type ("v", "a") of a file.
std::string Probe(const std::string& path, const char* type, const char* entries);
