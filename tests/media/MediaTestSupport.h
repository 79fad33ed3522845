#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

// What the media tests share: the platform's own text conversion, scratch
// files, the Linux tools (ffprobe, ffmpeg) that read the files back, and a
// driver for the system's video compressor dialog.

// UTF-8 text as code page 932 bytes, converted by the system.
std::string Cp932(const char* utf8);

// A path in the temp folder for name; any file already there is deleted.
std::string FreshTempPath(const std::string& name);

std::string ReadWholeFile(const std::string& path);

// The Linux path of a file, for the Linux tools.
std::string UnixPath(const std::string& windowsPath);

// Runs a command line with the Linux shell and returns what it printed
// (stdout and stderr). Wine starts Linux programs detached, without our
// pipes and without a handle that tells when they end, so the output goes to
// a file that appears, complete, when the command has finished.
std::string RunUnix(const std::string& command);

// ffprobe's "key=value" answers for the given entries of the first stream of
// the given type ("v" or "a") of a file.
std::map<std::string, std::string> ProbeStream(const std::string& path, const char* type,
                                               const char* entries);

// Every frame of a movie decoded by ffmpeg to packed bgr24, top row first.
std::string DecodeFramesBgr24(const std::string& path);

// Answers the system's video compressor dialog while it lives: picks the
// entry whose text contains pick (none: keeps the preselection) and presses
// answer. The dialog is recognised by its combo box. Construct it after any
// MsgBoxCatcher: it keeps the dialog from the hooks installed before it,
// which would otherwise take it for a message box.
class CompressorDialog {
public:
    explicit CompressorDialog(int answer = IDOK, std::string pick = std::string());
    CompressorDialog(const CompressorDialog&) = delete;
    CompressorDialog& operator=(const CompressorDialog&) = delete;
    ~CompressorDialog();

    int Shown() const { return m_shown; }
    const std::vector<std::string>& Entries() const { return m_entries; }
    // The entry selected when the dialog appeared.
    const std::string& Preselected() const { return m_preselected; }

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
    void Answer(HWND dialog, HWND combo);

    HHOOK m_hook;
    int m_answer;
    std::string m_pick;
    HWND m_answered = nullptr;
    int m_shown = 0;
    std::vector<std::string> m_entries;
    std::string m_preselected;
};
