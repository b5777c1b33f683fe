// Plain file-system questions and an owning handle, shared by every subsystem.
#pragma once
#include <windows.h>

#include <string>

bool FileExists(const std::string& path);      // a file, not a directory
bool DirectoryExists(const std::string& path);

// Closes its handle when it goes out of scope (CloseHandle, or FindClose for
// a search handle).
class FileHandle {
public:
    enum class Kind { File, Search };
    explicit FileHandle(HANDLE handle, Kind kind = Kind::File) : handle_(handle), kind_(kind) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE Get() const { return handle_; }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Close();

private:
    HANDLE handle_;
    Kind kind_;
};
