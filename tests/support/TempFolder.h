#pragma once

#include <string>
#include <vector>

// A new, empty folder under the system's temp folder, deleted with
// everything in it when the object goes.
class TempFolder {
public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    // The folder's path, without a trailing backslash.
    const std::string& Path() const { return m_path; }
    // The path of a file or folder inside it.
    std::string operator/(const std::string& name) const { return m_path + "\\" + name; }

    // Writes bytes to a file inside the folder and returns its path.
    std::string WriteFile(const std::string& name, const std::string& bytes) const;
    // The bytes of a file, or "<missing>" when it cannot be read.
    static std::string ReadFile(const std::string& path);
    // Every file and folder inside, as sorted paths relative to the folder.
    std::vector<std::string> List() const;

private:
    std::string m_path;
};
