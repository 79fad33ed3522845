#pragma once

// What the system-service tests share: the helper program and its copies,
// temporary files and folders, environment variables and registry keys that
// are put back when a test ends.
#include <windows.h>

#include <string>
#include <vector>

// UTF-8 text as code page 932 bytes, converted by the system, so that the
// expected texts do not depend on the library's own byte tables.
std::string Cp932(const char* utf8);

// The full path of tqtest_helper.exe beside the tests.
std::string HelperPath();

// A path in the temporary folder.
std::string TempPath(const std::string& name);

// Starts program directly and waits for it: its exit code, or -1000 when it
// could not be started or did not end within 30 seconds.
int RunToEnd(const std::string& program, const char* arguments);

// Writes bytes into a new file at path.
void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);

// The names in a folder, "." and ".." left out, sorted.
std::vector<std::string> FolderNames(const std::string& folder);

// Removes a folder with everything in it.
void RemoveTree(const std::string& folder);

// Sets an environment variable for the test's scope (and so for the programs
// that it starts), then puts the old value back.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value);
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
    ~ScopedEnvironment();

private:
    std::string m_name;
    std::string m_old;
    bool m_had;
};

// Deletes the registry keys that a test writes, with all their subkeys: at
// the start (what an interrupted run left) and when the test ends, whatever
// its outcome.
class ScopedRegistryCleanup {
public:
    ScopedRegistryCleanup(HKEY root, std::vector<std::string> keys);
    ScopedRegistryCleanup(const ScopedRegistryCleanup&) = delete;
    ScopedRegistryCleanup& operator=(const ScopedRegistryCleanup&) = delete;
    ~ScopedRegistryCleanup();

private:
    HKEY m_root;
    std::vector<std::string> m_keys;
};

// A copy of the helper under its own name, to which Wine reports the Windows
// version given ("win2k", "winxp", "vista", "win7") through its per-program
// setting. Only this copy sees that version; the copy and its setting go
// with the object.
class VersionedHelper {
public:
    explicit VersionedHelper(const char* version);
    VersionedHelper(const VersionedHelper&) = delete;
    VersionedHelper& operator=(const VersionedHelper&) = delete;
    ~VersionedHelper();

    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
    std::string m_settingKey;
};
